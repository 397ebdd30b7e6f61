// Display formats for rice yield and years.
#include "world/numeric.h"

#include <cstdio>
#include <cstdlib>

namespace vh {

std::string formatKoku(int koku) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%d万%04d石", koku / 10000, koku % 10000);
    return buf;
}

std::string formatYear(int year) {
    if (year < 0) return "B.C." + std::to_string(-static_cast<long long>(year));
    return std::to_string(year);
}

} // namespace vh
