#include "NameValueList.h"

namespace norvan::common {

void NameValueList::clear() {
    rows_.clear();
    firstRowByName_.clear();
}

void NameValueList::add(const QString& row) {
    rows_.append(row);
    // Only rows with "=" have a name that a lookup can find.
    const qsizetype eq = row.indexOf(u'=');
    if (eq < 0) return;
    // A name already in lower case, as nearly every one is, is looked up in the row's own
    // characters rather than in a copy of them: an order holds millions of rows.
    const QString name = QString::fromRawData(rows_.constLast().constData(), eq);
    const QString key = name.toCaseFolded();
    if (!firstRowByName_.contains(key))
        firstRowByName_.insert(key, static_cast<int>(rows_.size() - 1));
}

void NameValueList::addPair(const QString& name, const QString& value) {
    add(name + u'=' + value);
}

QString NameValueList::name(int index) const {
    return nameView(index).toString();
}

QString NameValueList::valueFromIndex(int index) const {
    return valueView(index).toString();
}

QStringView NameValueList::nameView(int index) const {
    const QString& row = rows_.at(index);
    const qsizetype eq = row.indexOf(u'=');
    return eq < 0 ? QStringView(row) : QStringView(row).left(eq);
}

QStringView NameValueList::valueView(int index) const {
    if (index < 0 || index >= rows_.size()) return {};
    const QString& row = rows_.at(index);
    const qsizetype eq = row.indexOf(u'=');
    return eq < 0 ? QStringView() : QStringView(row).mid(eq + 1);
}

int NameValueList::indexOfName(const QString& name) const {
    if (name.contains(u'=')) {
        // Such a name can only match a row that begins with it, "=" included; no index covers it.
        const QString prefix = name + u'=';
        for (int i = 0; i < rows_.size(); ++i)
            if (rows_[i].startsWith(prefix, Qt::CaseInsensitive)) return i;
        return -1;
    }
    return firstRowByName_.value(name.toCaseFolded(), -1);
}

}  // namespace norvan::common
