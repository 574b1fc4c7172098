#include "ListCheckWindow.h"

#include <QLineEdit>
#include <QListWidget>

namespace norvan::app {

ListCheckWindow::ListCheckWindow(QListWidget& ids, TextPaneView& log, QLineEdit& token,
                                 RunRecord& record)
    : PaneRunLog(log, record), ids_(ids), token_(token) {}

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
