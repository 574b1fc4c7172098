#pragma once

#include <QByteArray>
#include <QString>

namespace norvan::shop {

// The JSON text of an answer as the shop client returns it: every member and element on a line
// of its own, indented by four blanks per level, lines ending CR LF, member order and number text
// exactly as received, strings escaped as in the request body. Empty when the bytes are empty or
// not JSON. Throws Error for a text nested deeper than kMaxJsonDepth, and for one whose layout
// would be more than four times its size (and more than 1 MB).
QString formatJson(const QByteArray& utf8);

}  // namespace norvan::shop
