#pragma once

#include "LineReport.h"
#include "ProductRows.h"
#include "ProductRunSettings.h"
#include "ProductRunWindow.h"
#include "shop/JsonBody.h"
#include "shop/RetryPolicy.h"

#include <QHash>
#include <QList>
#include <QStringList>

namespace norvan::shop {
class TWooCommerceAPI;
}

namespace norvan::products {

// Sends product lines a batch at a time: one lookup for the SKUs of the batch (a SKU that holds
// a comma is looked up alone) and one products/batch call for the products found, and one
// products/<id>/variations/batch call for the variations found of each product. Every value is
// checked before it is sent, as the shop does not check batch items; a SKU on several lines is
// sent once, with the latest line's values, and each of those lines is reported with its answer.
class BatchSender {
  public:
    BatchSender(const ProductRunSettings& settings, ProductRunWindow& window,
                shop::TWooCommerceAPI& client, shop::Pause pause);

    // lines: at most kMostProductsPerCall, the first of them numbered firstNumber in the run.
    // Returns one report per line, in their order. Shows the last line and lets the window's
    // events run before the batch goes out.
    QList<LineReport> send(const QStringList& lines, qsizetype firstNumber);

  private:
    // One product of a batch call and the lines that carry its SKU.
    struct Item {
        shop::ListedProduct product;
        shop::JsonBody body;     // the latest of those lines' values
        QList<qsizetype> lines;  // indexes into the batch
    };
    // One batch call: its resource (ProductRes; the call adds "batch") and its items.
    struct Call {
        QString resource;
        QList<Item> items;
    };

    QList<ReadProductLine> readAndShow(const QStringList& lines);
    // The lookup of every SKU the lines can be looked up by, by comparableSku.
    QHash<QString, SkuLookup> lookUp(const QList<ReadProductLine>& lines);
    // The calls for the products found whose values pass the checks, products/batch first; the
    // other lines are reported here.
    QList<Call> callsToMake(const QList<ReadProductLine>& lines,
                            const QHash<QString, SkuLookup>& lookups, qsizetype firstNumber,
                            QList<LineReport>& reports);
    void make(const Call& call, const QList<ReadProductLine>& lines, QList<LineReport>& reports);

    const ProductRunSettings& settings_;
    ProductRunWindow& window_;
    shop::TWooCommerceAPI& client_;
    shop::Pause pause_;
};

}  // namespace norvan::products
