#pragma once

#include <QString>

namespace norvan::orders {

// Persian digits (U+06F0..U+06F9) become ASCII digits and the Arabic Yeh (U+064A) the Persian
// Yeh (U+06CC), the forms the accounting program expects; everything else stays, Arabic-Indic
// digits (U+0660..U+0669) included.
QString NormalizeDigits(const QString& text);

}  // namespace norvan::orders
