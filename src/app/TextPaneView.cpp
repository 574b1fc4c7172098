#include "TextPaneView.h"

#include <QTextCursor>
#include <QTextOption>

namespace norvan::app {

namespace {

// The editor ends a line at "\n" only.
QString displayText(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

}  // namespace

TextPaneView::TextPaneView(QWidget* parent) : QPlainTextEdit(parent) {
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
    QPlainTextEdit::clear();
}

void TextPaneView::appendLine(const QString& line) {
    const QString added = pane_.appendLine(line);
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    end.insertText(displayText(added));
    // Follow the new line, as a log is read at its end.
    setTextCursor(end);
    ensureCursorVisible();
}

void TextPaneView::setText(const QString& text) {
    pane_.setText(text);
    setPlainText(displayText(pane_.text()));
}

}  // namespace norvan::app
