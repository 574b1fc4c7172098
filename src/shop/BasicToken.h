#pragma once

#include <QString>

namespace norvan::shop {

// The HTTP Basic token shown in the settings page: Base64 of the UTF-8 text user ":" password in
// lines of 76 characters, each full line followed by CR LF (the last one too).
QString basicToken(const QString& user, const QString& password);

}  // namespace norvan::shop
