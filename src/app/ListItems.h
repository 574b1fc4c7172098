#pragma once

#include <QStringList>
#include <optional>

class QListWidget;

namespace norvan::app {

// The items of a list control as texts, in order (add them with QListWidget::addItems).
QStringList listItems(const QListWidget& list);

// The row of the selected item; -1 when no item is selected (a current item that is not
// selected does not count, as the operator sees no selection).
int selectedRow(const QListWidget& list);

// The text of the selected item; none when no item is selected.
std::optional<QString> selectedText(const QListWidget& list);

}  // namespace norvan::app
