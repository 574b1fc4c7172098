#pragma once

#include "common/TextPane.h"

#include <QPlainTextEdit>

namespace norvan::app {

// A multi-line pane: the exact text lives in a TextPane (CR LF line ends) and the editor shows
// it. Appending adds only the new line to the editor, so a long log does not slow down.
// Change the text only through these members (they shadow QPlainTextEdit::clear), never
// through setPlainText or typing; the panes are read-only.
class TextPaneView : public QPlainTextEdit {
    Q_OBJECT
  public:
    explicit TextPaneView(QWidget* parent = nullptr);

    void clear();
    void appendLine(const QString& line);
    void setText(const QString& text);

    const common::TextPane& pane() const { return pane_; }
    const QString& text() const { return pane_.text(); }
    int lineCount() const { return pane_.lineCount(); }
    QString line(int index) const { return pane_.line(index); }
    QStringList lines() const { return pane_.lines(); }

  private:
    common::TextPane pane_;
};

}  // namespace norvan::app
