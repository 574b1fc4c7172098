#include "BatchSender.h"

#include "ProductBody.h"
#include "ProductLookup.h"
#include "common/Error.h"
#include "shop/TWooCommerceAPI.h"

#include <algorithm>
#include <utility>

namespace norvan::products {

BatchSender::BatchSender(const ProductRunSettings& settings, ProductRunWindow& window,
                         shop::TWooCommerceAPI& client, shop::Pause pause)
    : settings_(settings), window_(window), client_(client), pause_(std::move(pause)) {}

QList<LineReport> BatchSender::send(const QStringList& lines, qsizetype firstNumber) {
    const QList<ReadProductLine> read = readAndShow(lines);
    QList<LineReport> reports(read.size());
    for (const Call& call : callsToMake(read, lookUp(read), firstNumber, reports))
        make(call, read, reports);
    return reports;
}

QList<ReadProductLine> BatchSender::readAndShow(const QStringList& lines) {
    QList<ReadProductLine> read;
    read.reserve(lines.size());
    for (const QString& line : lines) read.append(readProductLine(line));
    window_.setProductRows(read.last().rows);
    window_.setStatusText(QStringLiteral("SKU: ") + read.last().sku);
    window_.processEvents();
    return read;
}

QHash<QString, SkuLookup> BatchSender::lookUp(const QList<ReadProductLine>& lines) {
    // Each SKU once, as its latest line writes it.
    QStringList keys;
    QHash<QString, QString> latest;
    for (const ReadProductLine& line : lines) {
        if (!line.fault.isEmpty()) continue;
        const QString key = comparableSku(line.sku);
        if (!latest.contains(key)) keys.append(key);
        latest.insert(key, line.sku);
    }
    QStringList listed;
    QStringList alone;
    for (const QString& key : keys) {
        const QString& sku = latest[key];
        (sku.contains(u',') ? alone : listed).append(sku);
    }

    QHash<QString, SkuLookup> lookups;
    if (!listed.isEmpty()) lookups = lookUpSkus(client_, settings_.productRes, listed, pause_);
    for (const QString& sku : alone)
        lookups.insert(comparableSku(sku), lookUpSku(client_, settings_.productRes, sku, pause_));
    return lookups;
}

QList<BatchSender::Call> BatchSender::callsToMake(const QList<ReadProductLine>& lines,
                                                  const QHash<QString, SkuLookup>& lookups,
                                                  qsizetype firstNumber,
                                                  QList<LineReport>& reports) {
    QList<Call> calls;
    QHash<QString, std::pair<qsizetype, qsizetype>> itemOfSku;  // the call and the item
    for (qsizetype index = 0; index < lines.size(); ++index) {
        const ReadProductLine& line = lines.at(index);
        const qsizetype number = firstNumber + index;
        if (!line.fault.isEmpty()) {
            reports[index].badLine(number, line.fault);
            continue;
        }
        const QString key = comparableSku(line.sku);
        const std::optional<shop::ListedProduct> product =
            reports[index].lookedUp(lookups.value(key), number, line.sku);
        if (!product) continue;
        try {
            shop::JsonBody body = batchItemBody(product->id, line.rows, product->sku);
            if (!itemOfSku.contains(key)) {
                const QString resource = settings_.addProducts
                                             ? settings_.productRes
                                             : batchResource(settings_.productRes, *product);
                auto call = std::find_if(calls.begin(), calls.end(), [&](const Call& made) {
                    return made.resource == resource;
                });
                if (call == calls.end()) call = calls.insert(calls.end(), {resource, {}});
                itemOfSku.insert(key, {call - calls.begin(), call->items.size()});
                call->items.append({.product = *product, .body = {}, .lines = {}});
            }
            const auto [call, item] = itemOfSku.value(key);
            calls[call].items[item].body = std::move(body);
            calls[call].items[item].lines.append(index);
        } catch (const Error& error) {
            reports[index].badLine(number, error.message());
        }
    }
    // The products first, then the variations of each product.
    std::stable_partition(calls.begin(), calls.end(),
                          [&](const Call& call) { return call.resource == settings_.productRes; });
    return calls;
}

void BatchSender::make(const Call& call, const QList<ReadProductLine>& lines,
                       QList<LineReport>& reports) {
    QList<shop::JsonBody> bodies;
    bodies.reserve(call.items.size());
    for (const Item& item : call.items) bodies.append(item.body);
    const auto action =
        settings_.addProducts ? shop::BatchAction::Create : shop::BatchAction::Update;
    client_.setProductRes(call.resource);
    shop::BatchResult answer;
    shop::callWithRetries(
        client_,
        [&] {
            answer = client_.BatchProducts(action, bodies);
            return answer.failure;
        },
        pause_);

    // A batch that failed as a whole failed for each of its lines.
    const CallResult whole = CallResult::of(client_, answer.failure);
    for (qsizetype i = 0; i < call.items.size(); ++i) {
        const CallResult result = answer.failure.isEmpty()
                                      ? CallResult{.text = answer.itemResults.at(i),
                                                   .movedTo = {},
                                                   .failedInTransit = false,
                                                   .answer = answer.itemFailures.at(i)}
                                      : whole;
        const Item& item = call.items.at(i);
        for (const qsizetype index : item.lines)
            reports[index].sent(item.product, settings_.addProducts, result, lines.at(index).sku);
    }
}

}  // namespace norvan::products
