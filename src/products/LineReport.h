#pragma once

#include "CallResult.h"
#include "SkuLookup.h"

#include <QString>
#include <QStringList>

namespace norvan::products {

// What the product run logs about one product line, and whether the line stays kept: the same
// entries whether the line went to the shop alone or in a batch, so that the log reads the same.
class LineReport {
  public:
    // What became of the line. Kept: a call for it failed in transit, and the next run sends it
    // again; the shop (or the run) is done with a line of any other outcome.
    enum class Delivery {
        Updated,   // confirmed by the shop (updated, or added)
        NotFound,  // the shop has no product with the line's SKU
        Refused,   // refused by the shop, or by the run (an incomplete or wrong line)
        Kept,
    };

    // The run cannot send the line: "---Error in product line <number>: <reason>".
    void badLine(qsizetype number, const QString& reason);
    // Logs what kept the line's SKU from being found, if anything: true when the shop holds the
    // product (lookup.id).
    bool lookedUp(const SkuLookup& lookup, qsizetype number, const QString& sku);
    // The line's values went to the product id with AddProduct (added) or UpdateProduct, or as
    // an item of a batch call with the same action; result: the shop's answer for them.
    void sent(const QString& id, bool added, const CallResult& result, const QString& sku);

    const QStringList& entries() const { return entries_; }
    Delivery delivery() const { return delivery_; }

  private:
    void afterFailure(const CallResult& call, const QString& sku);

    QStringList entries_;
    Delivery delivery_ = Delivery::Refused;
};

}  // namespace norvan::products
