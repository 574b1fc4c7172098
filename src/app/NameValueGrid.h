#pragma once

#include "PacedUpdate.h"
#include "common/NameValueList.h"

#include <QTableView>

namespace norvan::app {

class NameValueModel;

// A two-column grid (name, value) showing the rows of a NameValueList. The logic reads and
// writes the list through these members, and the list is current after every change; the cells
// follow it at the end of its frame while the grid is shown (see PacedUpdate), as a product run
// shows every line's rows. The operator only views it; a cell shows at most the first
// kMaxShownCharacters of its text (see shownText).
class NameValueGrid : public QTableView {
    Q_OBJECT
  public:
    explicit NameValueGrid(QWidget* parent = nullptr);

    const common::NameValueList& list() const { return list_; }
    int rowCount() const { return list_.count(); }
    void clear();
    void add(const QString& row);
    void addPair(const QString& name, const QString& value);
    void setList(common::NameValueList list);
    // The rows as the cells show them, brought up to the list first.
    QAbstractItemModel* model() const;

  private:
    void showList();

    common::NameValueList list_;
    NameValueModel* model_;
    mutable PacedUpdate display_;  // a read of the cells brings them up to the list
};

}  // namespace norvan::app
