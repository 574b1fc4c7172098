#include "ListItems.h"

#include <QListWidget>

namespace norvan::app {

QStringList listItems(const QListWidget& list) {
    QStringList texts;
    texts.reserve(list.count());
    for (int i = 0; i < list.count(); ++i) texts.append(list.item(i)->text());
    return texts;
}

int selectedRow(const QListWidget& list) {
    const QList<QListWidgetItem*> selected = list.selectedItems();
    return selected.isEmpty() ? -1 : list.row(selected.first());
}

std::optional<QString> selectedText(const QListWidget& list) {
    const int row = selectedRow(list);
    if (row < 0) return std::nullopt;
    return list.item(row)->text();
}

}  // namespace norvan::app
