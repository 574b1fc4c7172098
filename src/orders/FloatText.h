#pragma once

#include <QString>

namespace norvan::orders {

// The row text of a JSON float as received ("3.50", "1e20", an integer beyond 64 bits): at most
// 15 significant digits, "." as decimal separator, no trailing zeros; magnitudes below 0.0001 and
// from 1E15 on in scientific form with "E" and a bare exponent (10.0 -> 10, 3.50 -> 3.5, 1E20).
QString floatText(const QString& received);

}  // namespace norvan::orders
