#include "LocaleSort.h"

#include <QCollator>
#include <algorithm>

namespace norvan::common {

namespace {

QCollator makeCollator() {
    QCollator collator{QLocale()};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(false);  // "10.ecom" sorts before "9.ecom"
    return collator;
}

}  // namespace

int localeCompare(const QString& a, const QString& b) {
    return makeCollator().compare(a, b);
}

void localeSort(QStringList& items) {
    if (items.size() < 2) return;
    const QCollator collator = makeCollator();
    std::sort(items.begin(), items.end(), collator);
}

}  // namespace norvan::common
