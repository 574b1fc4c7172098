#include "ProductRun.h"

#include "BatchSender.h"
#include "ProductBody.h"
#include "ProductIntake.h"
#include "ProductLookup.h"
#include "SkuLookup.h"
#include "common/Error.h"
#include "shop/TWooCommerceAPI.h"

#include <QElapsedTimer>
#include <memory>
#include <utility>

namespace norvan::products {

namespace {

// Lines or batches in a row that failed in transit before the shop is taken to be down.
constexpr int kFailuresOfAShopDown = 3;
// The kept lines read at a time: whole batches.
constexpr qsizetype kLinesPerPage = 10 * kMostProductsPerCall;
// A removal of the lines the shop is done with takes at least this many, once this long has
// passed since the last one, or a page of them.
constexpr qsizetype kLinesForgottenTogether = 100;
constexpr qint64 kForgettingMilliseconds = 1000;

}  // namespace

ProductRun::ProductRun(ProductRunSettings settings, ProductRunWindow& window,
                       settings::KeptProductLines& kept, shop::Pause pause)
    : settings_(std::move(settings)), window_(window), kept_(kept), pause_(std::move(pause)) {}

void ProductRun::run(const QStringList& lines, const QStringList& notes,
                     const TakeMoreLines& takeMore) {
    counts_ = {};
    window_.clearLog();
    log(QStringLiteral("---BEGIN Update Product---"));
    for (const QString& note : notes) log(note);
    // An unattended run leaves the pointer to the cycle that started it.
    if (!window_.unattendedRunUnderWay()) window_.setBusy(true);
    auto client = std::make_unique<shop::TWooCommerceAPI>(settings_.connection);
    const auto finish = [&] {
        client.reset();
        window_.setBusy(false);
        log(QStringLiteral("---END Update Product---"));
    };
    try {
        keepListedLines(lines);
        sendLines(*client, takeMore);
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

// A line of the list is kept already when a kept line has its text or its SKU: the product
// files' lines are kept as they are read, and a kept line of the SKU is at least as new.
void ProductRun::keepListedLines(const QStringList& lines) {
    const QList<settings::KeptProductLine> missing = kept_.linesNotHeld(keptLinesOf(lines));
    if (!missing.isEmpty()) kept_.keep(missing);
}

void ProductRun::sendLines(shop::TWooCommerceAPI& client, const TakeMoreLines& takeMore) {
    // Lines the shop is done with leave the kept ones together, as each removal is a commit
    // that writes every page it touched: against a fast shop, a transaction a hundred lines took
    // a sixth of the run. A line done but not yet removed is only sent again after a crash.
    QList<qint64> done;
    QElapsedTimer sinceForgotten;
    sinceForgotten.start();
    const auto forgetDone = [&] {
        if (!done.isEmpty()) kept_.remove(std::exchange(done, {}));
        sinceForgotten.restart();
    };
    bool moreToTake = static_cast<bool>(takeMore);
    const auto takeStep = [&] {
        if (!moreToTake) return;
        QStringList notes;
        moreToTake = takeMore(notes);
        for (const QString& note : notes) log(note);
    };
    BatchSender batches(settings_, window_, client, pause_);
    const qsizetype unitSize = settings_.batches ? kMostProductsPerCall : 1;
    try {
        // The lines go out in units, a line or a batch; a unit failed in transit when a line of
        // it stays kept. A batch counts once, however many lines it carries: like a line, it is a
        // lookup and a write that the shop did not answer, each already tried again by the retry
        // policy, while counting its lines would take the shop for down after a single batch.
        int failuresInARow = 0;
        qint64 lastRead = 0;
        // The files are still taken whole when the sending stops, so that they leave the folder,
        // kept; returns the lines left after the unit that stopped it.
        const auto keepTheRest = [&](const settings::KeptProductLine& last) {
            while (moreToTake) {
                takeStep();
                window_.processEvents();
            }
            return kept_.countAfter(last.id);
        };
        // The run's lines known so far: those sent and those kept after them. It grows while the
        // files are taken in steps; counting the kept lines once a step keeps it cheap.
        qsizetype handled = 0;
        qint64 lastHandled = 0;
        qsizetype total = 0;
        const auto showProgress = [&](bool recount) {
            if (recount) total = handled + kept_.countAfter(lastHandled);
            window_.setProgress(handled, total);
        };
        takeStep();
        showProgress(true);
        for (bool stopped = false; !stopped;) {
            const QList<settings::KeptProductLine> plan = kept_.linesAfter(lastRead, kLinesPerPage);
            if (plan.isEmpty()) {
                if (!moreToTake) break;
                takeStep();
                showProgress(true);
                continue;
            }
            lastRead = plan.last().id;
            for (qsizetype first = 0; first < plan.size() && !stopped; first += unitSize) {
                const QList<settings::KeptProductLine> unit = plan.mid(first, unitSize);
                QStringList lines;
                for (const settings::KeptProductLine& line : unit) lines.append(line.line);
                const qsizetype number = handled + 1;
                const QList<LineReport> reports =
                    settings_.batches ? batches.send(lines, number)
                                      : QList{sendLine(client, lines.first(), number)};
                bool keptAny = false;
                const LineReport* stop = nullptr;
                QStringList entries;  // of the unit, logged together
                for (qsizetype i = 0; i < unit.size(); ++i) {
                    entries += reports.at(i).entries();
                    count(reports.at(i).delivery());
                    if (reports.at(i).delivery() != LineReport::Delivery::Kept)
                        done.append(unit.at(i).id);
                    else
                        keptAny = true;
                    if (reports.at(i).stopsTheRun()) stop = &reports.at(i);
                }
                window_.appendLogLines(entries);
                if (done.size() >= kLinesPerPage ||
                    (done.size() >= kLinesForgottenTogether &&
                     sinceForgotten.hasExpired(kForgettingMilliseconds)))
                    forgetDone();
                handled += unit.size();
                lastHandled = unit.last().id;
                if (stop) {
                    const qsizetype left = keepTheRest(unit.last());
                    log(stop->stopLine(left));
                    counts_.kept += left;
                    stopped = true;
                    break;
                }
                const bool taking = moreToTake;
                takeStep();
                showProgress(taking);
                if (!keptAny) {
                    failuresInARow = 0;
                } else if (++failuresInARow == kFailuresOfAShopDown) {
                    const qsizetype left = keepTheRest(unit.last());
                    if (left > 0) {
                        log(QStringLiteral("---The shop does not answer: %1 more product lines "
                                           "kept for the next run")
                                .arg(left));
                        counts_.kept += left;
                        stopped = true;
                    }
                }
            }
        }
    } catch (...) {
        forgetDone();
        throw;
    }
    forgetDone();
}

void ProductRun::count(LineReport::Delivery delivery) {
    switch (delivery) {
        case LineReport::Delivery::Updated:
            ++counts_.updated;
            break;
        case LineReport::Delivery::NotFound:
            ++counts_.notFound;
            break;
        case LineReport::Delivery::Refused:
            ++counts_.refused;
            break;
        case LineReport::Delivery::Kept:
            ++counts_.kept;
            break;
    }
}

LineReport ProductRun::sendLine(shop::TWooCommerceAPI& client, const QString& line,
                                qsizetype number) {
    LineReport report;
    const ReadProductLine read = readProductLine(line);
    // The window shows what the line gave and stays responsive, incomplete lines included.
    window_.setProductRows(read.rows);
    window_.setStatusText(QStringLiteral("SKU: ") + read.sku);
    window_.processEvents();
    if (!read.fault.isEmpty()) {
        report.badLine(number, read.fault);
        return report;
    }
    const SkuLookup lookup = lookUpSku(client, settings_.productRes, read.sku, pause_);
    if (const auto product = report.lookedUp(lookup, number, read.sku))
        sendProduct(client, read, *product, number, report);
    return report;
}

void ProductRun::sendProduct(shop::TWooCommerceAPI& client, const ReadProductLine& line,
                             const shop::ListedProduct& product, qsizetype number,
                             LineReport& report) {
    shop::JsonBody body;
    try {
        body = productBody(line.rows, product.sku);
    } catch (const Error& error) {
        report.badLine(number, error.message());
        return;
    }
    QString result;
    if (settings_.addProducts) {
        client.setProductRes(settings_.productRes);
        result = shop::callWithRetries(
            client, [&] { return client.AddProduct(body); }, pause_);
    } else {
        client.setProductRes(updateResource(settings_.productRes, product));
        result = shop::callWithRetries(
            client, [&] { return client.UpdateProduct(body); }, pause_);
    }
    report.sent(product, settings_.addProducts, CallResult::of(client, result), line.sku);
}

}  // namespace norvan::products
