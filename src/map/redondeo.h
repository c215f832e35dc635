#pragma once
// The two roundings the map geometry is defined with: to the nearest integer with ties to the
// even one, and truncation towards zero. Integer division in C++ already cuts towards zero.

#include <cmath>

namespace kz {

inline int redondea(double v) {
    const double abajo = std::floor(v);
    const double resto = v - abajo;
    const long long base = static_cast<long long>(abajo);
    if (resto > 0.5) return static_cast<int>(base + 1);
    if (resto < 0.5) return static_cast<int>(base);
    return static_cast<int>(base % 2 == 0 ? base : base + 1);
}

inline int trunca(double v) { return static_cast<int>(std::trunc(v)); }

} // namespace kz
