#include "OrderListings.h"

#include <QRegularExpression>

namespace norvan::orders {

namespace {

bool namesPaging(const QString& statusText) {
    static const QRegularExpression paging(QStringLiteral("(^|&)\\s*(per_)?page\\s*="),
                                           QRegularExpression::CaseInsensitiveOption);
    return paging.match(statusText).hasMatch();
}

}  // namespace

OrderListings::OrderListings(const QString& statusText)
    : pagedByOperator_(namesPaging(statusText)) {}

void OrderListings::listed(const QStringList& ids) {
    ++listings_;
    lastWasFull_ = ids.size() >= kPageSize;
    lastBroughtNew_ = false;
    for (const QString& id : ids) {
        lastBroughtNew_ = lastBroughtNew_ || !tried_.contains(id);
        listedIds_.insert(id);
    }
}

bool OrderListings::firstTry(const QString& id) {
    if (tried_.contains(id)) return false;
    tried_.insert(id);
    return true;
}

bool OrderListings::listAgain() const {
    return !pagedByOperator_ && lastWasFull_ && lastBroughtNew_ && listings_ < kMaxListings;
}

}  // namespace norvan::orders
