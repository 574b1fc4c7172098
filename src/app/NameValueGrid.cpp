#include "NameValueGrid.h"

#include "ShownText.h"

#include <QAbstractTableModel>
#include <QHeaderView>

namespace norvan::app {

class NameValueModel : public QAbstractTableModel {
  public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : list_.count();
    }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 2; }

    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid()) return {};
        return shownText(index.column() == 0 ? list_.nameView(index.row())
                                             : list_.valueView(index.row()));
    }

    void reset(const common::NameValueList& list) {
        beginResetModel();
        list_ = list;  // shares the rows with the grid's list until that changes
        endResetModel();
    }

  private:
    common::NameValueList list_;
};

NameValueGrid::NameValueGrid(QWidget* parent)
    : QTableView(parent),
      model_(new NameValueModel(this)),
      display_(*this, [this] { showList(); }) {
    setModel(model_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
}

void NameValueGrid::clear() {
    list_.clear();
    display_.request();
}

void NameValueGrid::add(const QString& row) {
    list_.add(row);
    display_.request();
}

void NameValueGrid::addPair(const QString& name, const QString& value) {
    list_.addPair(name, value);
    display_.request();
}

void NameValueGrid::setList(common::NameValueList list) {
    list_ = std::move(list);
    display_.request();
}

QAbstractItemModel* NameValueGrid::model() const {
    display_.runPending();
    return model_;
}

void NameValueGrid::showList() {
    model_->reset(list_);
}

}  // namespace norvan::app
