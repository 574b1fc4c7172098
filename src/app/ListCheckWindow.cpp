#include "ListCheckWindow.h"

#include "BusyPointer.h"
#include "PendingEvents.h"
#include "TextPaneView.h"

#include <QLineEdit>
#include <QListWidget>

namespace norvan::app {

ListCheckWindow::ListCheckWindow(QListWidget& ids, TextPaneView& log, QLineEdit& token)
    : ids_(ids), log_(log), token_(token) {}

void ListCheckWindow::clearLog() {
    log_.clear();
}

void ListCheckWindow::appendLog(const QString& line) {
    log_.appendLine(line);
}

void ListCheckWindow::setBusy(bool busy) {
    if (busy)
        setBusyPointer();
    else
        setDefaultPointer();
}

void ListCheckWindow::processEvents() {
    processPendingEvents();
}

void ListCheckWindow::clearIds() {
    ids_.clear();
}

void ListCheckWindow::appendIds(const QStringList& ids) {
    ids_.addItems(ids);
}

void ListCheckWindow::setToken(const QString& token) {
    token_.setText(QString(token).remove(QStringLiteral("\r\n")));
}

}  // namespace norvan::app
