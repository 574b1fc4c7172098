#include "ProductRun.h"

#include "ProductBody.h"
#include "ProductLookup.h"
#include "ProductRows.h"
#include "common/Error.h"
#include "shop/ResultText.h"
#include "shop/TWooCommerceAPI.h"

#include <QSet>
#include <exception>
#include <memory>
#include <utility>

namespace norvan::products {

using shop::isFailureResult;

namespace {

// Lines in a row that failed in transit before the shop is taken to be down.
constexpr int kFailuresOfAShopDown = 3;
constexpr qsizetype kLinesForgottenTogether = 100;

}  // namespace

void keepProductLines(settings::KeptProductLines& kept, const QStringList& lines) {
    QList<settings::KeptProductLine> keptLines;
    for (const QString& line : lines) keptLines.append({0, skuKey(line), line});
    kept.keep(keptLines);
}

ProductRun::ProductRun(ProductRunSettings settings, ProductRunWindow& window,
                       settings::KeptProductLines& kept, shop::Pause pause)
    : settings_(std::move(settings)), window_(window), kept_(kept), pause_(std::move(pause)) {}

void ProductRun::run(const QStringList& lines, const QStringList& notes) {
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
        sendLines(*client, planLines(lines));
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

// A line of the list is kept already when a kept line has its text or its SKU: the product
// files' lines are kept as they are read, and a kept line of the SKU is at least as new.
QList<settings::KeptProductLine> ProductRun::planLines(const QStringList& lines) {
    QSet<QString> keptTexts;
    QSet<QString> keptKeys;
    for (const settings::KeptProductLine& line : kept_.lines()) {
        keptTexts.insert(line.line);
        if (!line.key.isEmpty()) keptKeys.insert(line.key);
    }
    QStringList missing;
    for (const QString& line : lines) {
        const QString key = skuKey(line);
        if (!keptTexts.contains(line) && (key.isEmpty() || !keptKeys.contains(key)))
            missing.append(line);
    }
    if (!missing.isEmpty()) keepProductLines(kept_, missing);
    return kept_.lines();
}

void ProductRun::sendLines(shop::TWooCommerceAPI& client,
                           const QList<settings::KeptProductLine>& plan) {
    // Lines the shop is done with leave the kept ones in batches: one transaction per line
    // would cost a disk flush each. A line done but not yet removed is only sent again.
    QList<qint64> done;
    const auto forgetDone = [&] {
        if (!done.isEmpty()) kept_.remove(std::exchange(done, {}));
    };
    try {
        int failuresInARow = 0;
        for (qsizetype index = 0; index < plan.size(); ++index) {
            const Delivery delivery = sendLine(client, plan.at(index).line, index + 1);
            count(delivery);
            if (delivery != Delivery::Kept) {
                done.append(plan.at(index).id);
                if (done.size() == kLinesForgottenTogether) forgetDone();
                failuresInARow = 0;
            } else if (++failuresInARow == kFailuresOfAShopDown && index + 1 < plan.size()) {
                const qsizetype notSent = plan.size() - index - 1;
                log(QStringLiteral("---The shop does not answer: %1 more product lines kept for "
                                   "the next run")
                        .arg(notSent));
                counts_.kept += notSent;
                break;
            }
        }
    } catch (...) {
        forgetDone();
        throw;
    }
    forgetDone();
}

void ProductRun::count(Delivery delivery) {
    switch (delivery) {
        case Delivery::Updated:
            ++counts_.updated;
            break;
        case Delivery::NotFound:
            ++counts_.notFound;
            break;
        case Delivery::Refused:
            ++counts_.refused;
            break;
        case Delivery::Kept:
            ++counts_.kept;
            break;
    }
}

ProductRun::Delivery ProductRun::sendLine(shop::TWooCommerceAPI& client, const QString& line,
                                          qsizetype number) {
    try {
        return lookUpAndSend(client, line);
    } catch (const Error& error) {
        log(QStringLiteral("---Error in product line ") + QString::number(number) +
            QStringLiteral(": ") + error.message());
        return Delivery::Refused;
    }
}

ProductRun::Delivery ProductRun::lookUpAndSend(shop::TWooCommerceAPI& client, const QString& line) {
    common::NameValueList rows;
    std::exception_ptr incompleteLine;
    try {
        LoadingProds(line, rows);
    } catch (const Error&) {
        incompleteLine = std::current_exception();
    }
    // The window shows what the line gave and stays responsive, incomplete lines included.
    window_.setProductRows(rows);
    const QString sku = rows.value(QStringLiteral("sku"));
    window_.setStatusText(QStringLiteral("SKU: ") + sku);
    window_.processEvents();
    if (incompleteLine) std::rethrow_exception(incompleteLine);
    // Asked for no SKU, a shop answers with every product.
    if (sku.trimmed().isEmpty()) throw Error(QStringLiteral("The line has no SKU."));

    const QString answer = shop::callWithRetries(
        client, [&] { return client.GetResponse(settings_.productRes, skuQuery(sku)); }, pause_);
    if (isFailureResult(answer)) {
        shop::logResponseError(window_, answer);
        return afterFailure(client, sku);
    }
    // A shop may strip parts of the SKU asked for and answer with another product.
    const FoundProduct found = GetFirstProduct(answer);
    if (found.id.isEmpty() || found.sku.compare(sku, Qt::CaseInsensitive) != 0) {
        log(QStringLiteral("---Product not found /SKU: ") + sku);
        return Delivery::NotFound;
    }
    return sendProduct(client, rows, found.id);
}

ProductRun::Delivery ProductRun::sendProduct(shop::TWooCommerceAPI& client,
                                             const common::NameValueList& rows, const QString& id) {
    const shop::JsonBody body = productBody(rows);
    log(QStringLiteral("---Create JSON  /Product id: ") + id);
    QString result;
    if (settings_.addProducts) {
        client.setProductRes(settings_.productRes);
        result = shop::callWithRetries(
            client, [&] { return client.AddProduct(body); }, pause_);
        log(isFailureResult(result) ? QStringLiteral("---Error to create product: ") + result
                                    : QStringLiteral("---Product insert successfully /") + result);
    } else {
        client.setProductRes(settings_.productRes + id + u'/');
        result = shop::callWithRetries(
            client, [&] { return client.UpdateProduct(body); }, pause_);
        log(isFailureResult(result) ? QStringLiteral("---Error to update product: ") + result
                                    : QStringLiteral("---Product update successfully /") + result);
    }
    if (isFailureResult(result)) return afterFailure(client, rows.value(QStringLiteral("sku")));
    return Delivery::Updated;
}

ProductRun::Delivery ProductRun::afterFailure(const shop::TWooCommerceAPI& client,
                                              const QString& sku) {
    shop::logMovedTo(window_, client.movedTo());
    if (!client.lastCallFailedInTransit()) return Delivery::Refused;
    log(QStringLiteral("---Kept for the next run /SKU: ") + sku);
    return Delivery::Kept;
}

}  // namespace norvan::products
