#include "TextPaneView.h"

#include "ShownText.h"

#include <QTextCursor>
#include <QTextOption>
#include <utility>

namespace norvan::app {

namespace {

// The editor shows the start of a very long line (cut before anything else is done to it), and
// ends a line at "\n" only.
QString displayText(const QString& text) {
    QString shown = shownLines(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(u'\r', u'\n');
    return shown;
}

}  // namespace

TextPaneView::TextPaneView(QWidget* parent)
    : QPlainTextEdit(parent), display_(*this, [this] { showPendingLines(); }) {
    setReadOnly(true);
    setUndoRedoEnabled(false);
    // Lines read left to right as a whole, also those that begin with a Persian word (order
    // lines, log lines naming a product).
    QTextOption option = document()->defaultTextOption();
    option.setTextDirection(Qt::LeftToRight);
    document()->setDefaultTextOption(option);
}

void TextPaneView::clear() {
    pane_.clear();
    pendingLines_.clear();
    display_.cancel();
    QPlainTextEdit::clear();
}

void TextPaneView::appendLine(const QString& line) {
    pendingLines_ += displayText(pane_.appendLine(line));
    display_.request();
}

void TextPaneView::setText(const QString& text) {
    pane_.setText(text);
    pendingLines_.clear();
    display_.cancel();
    setPlainText(displayText(pane_.text()));
}

QString TextPaneView::toPlainText() const {
    display_.runPending();
    return QPlainTextEdit::toPlainText();
}

// Adds the lines at the end without touching the text before them, and follows them, as a log
// is read at its end.
void TextPaneView::showPendingLines() {
    if (pendingLines_.isEmpty()) return;
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    end.insertText(std::exchange(pendingLines_, QString()));
    setTextCursor(end);
    ensureCursorVisible();
}

}  // namespace norvan::app
