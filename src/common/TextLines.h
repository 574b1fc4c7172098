#pragma once

#include <QString>
#include <QStringList>

namespace norvan::common {

// A line ends at CR LF, a lone CR or a lone LF; a line end at the very end adds no empty line.
QStringList splitLines(const QString& text);

// Every line followed by CR LF, the last one too; no lines give empty text.
QString joinLines(const QStringList& lines);

// Whole-text lookup of a list control: first item equal to text ignoring letter case, or -1.
int indexOfText(const QStringList& items, const QString& text);

}  // namespace norvan::common
