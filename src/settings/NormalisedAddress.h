#pragma once

#include <QString>

namespace norvan::settings {

// An address box as Save stores it: "/" appended unless the text already ends with "/", so an
// empty box becomes "/" and a slash is never doubled.
QString normalisedAddress(const QString& text);

}  // namespace norvan::settings
