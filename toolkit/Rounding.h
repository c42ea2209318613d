#pragma once
// Rounding used by every size computation and by the ring blend.

#include <cmath>

// Nearest integer, halves to the even neighbour (round(4.5) = 4, round(3.5) = 4),
// under the default floating-point rounding mode.
inline int roundHalfEven(double value) { return static_cast<int>(std::lrint(value)); }
inline int roundHalfEven(float value) { return static_cast<int>(std::lrintf(value)); }
