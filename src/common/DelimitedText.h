#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

namespace norvan::common {

// Splits a delimited text into fields: a blank (U+0001..U+0020) ends an unquoted field as the
// delimiter does, a double-quoted field keeps blanks and delimiters ("" stands for one quote),
// and a delimiter that is the very last character adds one empty field.
QStringList splitDelimited(const QString& text, QChar delimiter = u';');

}  // namespace norvan::common
