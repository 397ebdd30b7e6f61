// Rounding rules and the display formats shared by every rule and dialog.
#pragma once

#include <cmath>
#include <string>

namespace vh {

// Nearest integer, halves away from zero.
inline int roundHalfAway(double v) { return static_cast<int>(v < 0 ? -std::floor(-v + 0.5) : std::floor(v + 0.5)); }

// Any non-zero fraction moves one step away from zero.
inline int ceilAway(double v) { return static_cast<int>(v < 0 ? -std::ceil(-v) : std::ceil(v)); }

// Rice yield as "%d万%04d石" (UTF-8).
std::string formatKoku(int koku);

// A year, with "B.C." and the absolute value when negative.
std::string formatYear(int year);

} // namespace vh
