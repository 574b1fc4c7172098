#pragma once

#include "CallResult.h"
#include "SkuLookup.h"
#include "shop/ProductList.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace norvan::products {

// What the product run logs about one product line, and whether the line stays kept: the same
// entries whether the line went to the shop alone or in a batch, so that the log reads the same.
class LineReport {
  public:
    // What became of the line. Kept: a call for it failed in transit or said nothing about it,
    // and the next run sends it again; the shop (or the run) is done with a line of any other
    // outcome.
    enum class Delivery {
        Updated,   // confirmed by the shop (updated, or added)
        NotFound,  // the shop has no product with the line's SKU
        Refused,   // refused by the shop, or by the run (an incomplete or wrong line)
        Kept,
    };

    // The run cannot send the line: "---Error in product line <number>: <reason>".
    void badLine(qsizetype number, const QString& reason);
    // Logs what kept the line's SKU from being found, if anything: the product the shop holds
    // under the SKU, when it holds exactly one.
    std::optional<shop::ListedProduct> lookedUp(const SkuLookup& lookup, qsizetype number,
                                                const QString& sku);
    // The line's values went to the product with AddProduct (added) or its update, or as an item
    // of a batch call with the same action; result: the shop's answer for them.
    void sent(const shop::ListedProduct& product, bool added, const CallResult& result,
              const QString& sku);

    const QStringList& entries() const { return entries_; }
    Delivery delivery() const { return delivery_; }

    // The shop can take no further line: it refused the key (401), or something in front of it
    // refused the program (403). The line is kept, and so are the lines after it.
    bool stopsTheRun() const { return stop_.has_value(); }
    // The line that ends such a run, counting the lines after this one.
    QString stopLine(qsizetype moreLines) const;

  private:
    void afterFailure(const CallResult& call, const QString& sku);

    QStringList entries_;
    Delivery delivery_ = Delivery::Refused;
    std::optional<CallResult::Meaning> stop_;
};

}  // namespace norvan::products
