#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

namespace norvan::orders {

// The listings of one order run. A shop answers a listing with one page of at most ten orders,
// so the run lists again while the last listing was a full page that brought an order not yet
// tried; orders that stay in the source status (a failed export) are tried once per run. A
// status text that names its own page or page size is listed once.
class OrderListings {
  public:
    explicit OrderListings(const QString& statusText);

    // Records a listing; call before firstTry for its ids.
    void listed(const QStringList& ids);
    // True the first time the run meets the id; the run exports it then.
    bool firstTry(const QString& id);
    bool listAgain() const;
    qsizetype listedCount() const { return listedIds_.size(); }  // different orders listed so far
    qsizetype triedCount() const { return tried_.size(); }

    static constexpr qsizetype kPageSize = 10;  // the shop's page when per_page is not given
    static constexpr int kMaxListings = 100;    // a shop that keeps paging cannot hold the run

  private:
    bool pagedByOperator_;
    QSet<QString> listedIds_;
    QSet<QString> tried_;
    int listings_ = 0;
    bool lastBroughtNew_ = false;
    bool lastWasFull_ = false;
};

}  // namespace norvan::orders
