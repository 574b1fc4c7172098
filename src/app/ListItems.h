#pragma once

#include <QStringList>

class QListWidget;

namespace norvan::app {

// The items of a list control as texts, in order (add them with QListWidget::addItems).
QStringList listItems(const QListWidget& list);

}  // namespace norvan::app
