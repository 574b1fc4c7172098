#pragma once

#include "LineReport.h"
#include "ProductRows.h"
#include "ProductRunSettings.h"
#include "ProductRunWindow.h"
#include "settings/KeptProductLines.h"
#include "shop/RetryPolicy.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace norvan::shop {
class TWooCommerceAPI;
}

namespace norvan::products {

// What a product run did with the lines it planned; each line counts once.
struct ProductRunCounts {
    qsizetype updated = 0;   // confirmed by the shop (updated, or added with addProducts)
    qsizetype notFound = 0;  // the shop has no product with the line's SKU
    qsizetype refused = 0;   // refused by the shop, or by the run (an incomplete or wrong line)
    qsizetype kept = 0;      // failed in transit or not sent: kept for the next run

    bool operator==(const ProductRunCounts&) const = default;
};

// Takes the next step of the product files into the kept lines (see ProductIntake), adding to
// notes what the run is to log of it; false once every file is taken.
using TakeMoreLines = std::function<bool(QStringList& notes)>;

// The product run (btnUpdateProduct): for every product line, look the product up by its SKU and
// send its stock, tax status, weight and prices, logging each step to the window. Line by line
// (one lookup and one update per line), or with settings.batches in batches of up to
// kMostProductsPerCall lines (see BatchSender); the log reads the same either way.
// The lines come from `kept`: those an earlier run could not deliver first, then those of the
// latest product files. They are read from `kept` a page at a time as they are sent, so that a
// run holds a page of them whatever their number. A line leaves `kept` once the shop confirmed or
// refused it; a line that failed in transit (after the retry policy's tries), or whose answer said
// nothing about it (a 404 without a product error, an unreadable answer), stays for the next run,
// and after three such lines (or batches) in a row the shop is taken to be down and the run stops
// sending. A shop that refuses the key (401) or the program (403) stops it at once, every line
// left kept. Throws Error only when the shop client cannot be made (the run then ends at once: no
// END line, the pointer as it was set) or the kept lines cannot be read or written.
class ProductRun {
  public:
    ProductRun(ProductRunSettings settings, ProductRunWindow& window,
               settings::KeptProductLines& kept, shop::Pause pause = shop::pauseResponsively);

    // lines: lstProdTextFile. Those not kept already (the list filled by hand, or sent before)
    // are kept and sent after the kept ones. notes: lines logged right after BEGIN. takeMore,
    // if given, takes the product files as the run goes: a step before the first request, and
    // one after each line or batch sent, until the files are taken whole.
    void run(const QStringList& lines, const QStringList& notes = {},
             const TakeMoreLines& takeMore = {});
    // What the last run did, up to its end or to the error that ended it.
    const ProductRunCounts& counts() const { return counts_; }

  private:
    void keepListedLines(const QStringList& lines);
    void sendLines(shop::TWooCommerceAPI& client, const TakeMoreLines& takeMore);
    // Line by line: the report of the line numbered `number` in the run.
    LineReport sendLine(shop::TWooCommerceAPI& client, const QString& line, qsizetype number);
    void sendProduct(shop::TWooCommerceAPI& client, const ReadProductLine& line,
                     const shop::ListedProduct& product, qsizetype number, LineReport& report);
    void count(LineReport::Delivery delivery);
    void log(const QString& line) { window_.appendLog(line); }

    ProductRunSettings settings_;
    ProductRunWindow& window_;
    settings::KeptProductLines& kept_;
    shop::Pause pause_;
    ProductRunCounts counts_;
};

}  // namespace norvan::products
