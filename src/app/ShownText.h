#pragma once

#include <QString>
#include <QStringView>

namespace norvan::app {

// The window shows at most this many characters of any one value or line: laying out and
// painting a value of megabytes (a customer note an order brings) would hold the window for
// minutes. The value itself stays whole where it is kept; only its display is cut.
inline constexpr qsizetype kMaxShownCharacters = 4096;

// The text as the window shows it: whole, or its first kMaxShownCharacters followed by a mark
// that says how long it is.
QString shownText(QStringView text);

// A text of lines ending with LF or CR LF as the window shows it: each line as shownText shows
// it, its line end kept.
QString shownLines(const QString& text);

}  // namespace norvan::app
