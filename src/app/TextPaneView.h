#pragma once

#include "PacedUpdate.h"
#include "common/TextPane.h"

#include <QPlainTextEdit>

namespace norvan::app {

// A multi-line pane: the exact text lives in a TextPane (CR LF line ends) and the editor shows
// it. The text is complete after every change; the editor takes appended lines at the end of
// their frame while the pane is shown (see PacedUpdate), a frame's lines in one insertion, so a
// long run of appends costs neither a layout and repaint per line nor more as the log grows.
// Change the text only through these members (they shadow QPlainTextEdit::clear), never
// through setPlainText or typing; the panes are read-only. A line longer than
// kMaxShownCharacters shows its start only (see shownLines); the pane keeps it whole.
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
    // The editor's text, the lines still waiting for their frame included.
    QString toPlainText() const;

  private:
    void showPendingLines();

    common::TextPane pane_;
    QString pendingLines_;         // appended, in the editor's line ends, not yet in the editor
    mutable PacedUpdate display_;  // a read of the editor's text brings it up to the pane
};

}  // namespace norvan::app
