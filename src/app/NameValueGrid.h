#pragma once

#include "common/NameValueList.h"

#include <QTableView>

namespace norvan::app {

class NameValueModel;

// A two-column grid (name, value) showing the rows of a NameValueList. The logic reads and
// writes the list through these members; the grid follows every change. The operator only
// views it.
class NameValueGrid : public QTableView {
    Q_OBJECT
  public:
    explicit NameValueGrid(QWidget* parent = nullptr);

    const common::NameValueList& list() const;
    int rowCount() const { return list().count(); }
    void clear();
    void add(const QString& row);
    void addPair(const QString& name, const QString& value);
    void setList(common::NameValueList list);

  private:
    NameValueModel* model_;
};

}  // namespace norvan::app
