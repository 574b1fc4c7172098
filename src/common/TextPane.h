#pragma once

#include <QString>
#include <QStringList>

namespace norvan::common {

// The exact text of a multi-line pane (logs, the order file view, the product file buffer).
class TextPane {
  public:
    static constexpr int kMaxLineRead = 4096;

    void clear() { text_.clear(); }
    // Adds the line followed by CR LF, or CR LF and the line when the text does not end
    // with a line end. Returns the text that was added.
    QString appendLine(const QString& line);
    // Every lone CR and lone LF becomes CR LF.
    void setText(const QString& text);
    const QString& text() const { return text_; }

    int lineCount() const;          // the empty rest after a final line end is no line
    QString line(int index) const;  // at most kMaxLineRead characters
    QStringList lines() const;      // every line, each cut to kMaxLineRead characters

  private:
    QString text_;
};

}  // namespace norvan::common
