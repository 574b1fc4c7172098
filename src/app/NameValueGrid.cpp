#include "NameValueGrid.h"

#include <QAbstractTableModel>
#include <QHeaderView>

namespace norvan::app {

class NameValueModel : public QAbstractTableModel {
  public:
    using QAbstractTableModel::QAbstractTableModel;

    const common::NameValueList& list() const { return list_; }

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : list_.count();
    }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 2; }

    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid()) return {};
        return index.column() == 0 ? list_.name(index.row()) : list_.valueFromIndex(index.row());
    }

    void append(const QString& row) {
        const int at = list_.count();
        beginInsertRows({}, at, at);
        list_.add(row);
        endInsertRows();
    }

    void reset(common::NameValueList list) {
        beginResetModel();
        list_ = std::move(list);
        endResetModel();
    }

  private:
    common::NameValueList list_;
};

NameValueGrid::NameValueGrid(QWidget* parent)
    : QTableView(parent), model_(new NameValueModel(this)) {
    setModel(model_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
}

const common::NameValueList& NameValueGrid::list() const {
    return model_->list();
}

void NameValueGrid::clear() {
    model_->reset({});
}

void NameValueGrid::add(const QString& row) {
    model_->append(row);
}

void NameValueGrid::addPair(const QString& name, const QString& value) {
    model_->append(name + u'=' + value);
}

void NameValueGrid::setList(common::NameValueList list) {
    model_->reset(std::move(list));
}

}  // namespace norvan::app
