#include "ListItems.h"

#include <QListWidget>

namespace norvan::app {

QStringList listItems(const QListWidget& list) {
    QStringList texts;
    texts.reserve(list.count());
    for (int i = 0; i < list.count(); ++i) texts.append(list.item(i)->text());
    return texts;
}

}  // namespace norvan::app
