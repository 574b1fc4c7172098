#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace norvan::common {

// Ordered rows "name=value". A row's name is its text before the first "="; lookups by name
// ignore letter case and find the first such row. Lookups are indexed, so a large list stays fast.
class NameValueList {
  public:
    void clear();
    // Rows are indexed by int, as the item models that show them are.
    int count() const { return static_cast<int>(rows_.size()); }
    bool isEmpty() const { return rows_.isEmpty(); }

    void add(const QString& row);                             // appends the row as it is
    void addPair(const QString& name, const QString& value);  // appends name + "=" + value

    const QString& row(int index) const { return rows_.at(index); }
    const QStringList& rows() const { return rows_; }
    QString name(int index) const;            // text before the first "=" (whole row without "=")
    QString valueFromIndex(int index) const;  // after the first "="; empty for index < 0 or no "="
    // The same in the row's own characters, for a reader that wants only a part of a value that
    // may be megabytes long.
    QStringView nameView(int index) const;
    QStringView valueView(int index) const;
    int indexOfName(const QString& name) const;  // -1 when no row has that name
    QString value(const QString& name) const { return valueFromIndex(indexOfName(name)); }

  private:
    QStringList rows_;  // never changed in place: keys of the index may point into them
    QHash<QString, int> firstRowByName_;  // case-folded name -> first row
};

}  // namespace norvan::common
