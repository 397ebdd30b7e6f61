// Runs the built vardenholm-cli with arguments and collects its standard output and exit status.
#pragma once

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

namespace vh::test {

struct CliRun {
    int status = -1;
    std::string out;
};

// `args` go to the shell after the program name; standard error is discarded.
inline CliRun runCli(const std::string& args) {
    CliRun r;
    const std::string cli = std::string(VH_BINARY_DIR) + "/vardenholm-cli";
    FILE* p = popen((cli + " " + args + " 2>/dev/null").c_str(), "r");
    if (!p) return r;
    std::array<char, 4096> buf;
    size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), n);
    const int s = pclose(p);
    r.status = WIFEXITED(s) ? WEXITSTATUS(s) : -1;
    return r;
}

} // namespace vh::test
