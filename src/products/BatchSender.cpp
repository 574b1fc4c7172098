#include "BatchSender.h"

#include "ProductBody.h"
#include "common/Error.h"
#include "shop/TWooCommerceAPI.h"

#include <utility>

namespace norvan::products {

BatchSender::BatchSender(const ProductRunSettings& settings, ProductRunWindow& window,
                         shop::TWooCommerceAPI& client, shop::Pause pause)
    : settings_(settings), window_(window), client_(client), pause_(std::move(pause)) {}

QList<LineReport> BatchSender::send(const QStringList& lines, qsizetype firstNumber) {
    const QList<ReadProductLine> read = readAndShow(lines);
    QList<LineReport> reports(read.size());
    const QList<Item> items = itemsToSend(read, lookUp(read), firstNumber, reports);
    if (!items.isEmpty()) sendItems(items, read, reports);
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
        const QString key = line.sku.toCaseFolded();
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
        lookups.insert(sku.toCaseFolded(), lookUpSku(client_, settings_.productRes, sku, pause_));
    return lookups;
}

QList<BatchSender::Item> BatchSender::itemsToSend(const QList<ReadProductLine>& lines,
                                                  const QHash<QString, SkuLookup>& lookups,
                                                  qsizetype firstNumber,
                                                  QList<LineReport>& reports) {
    QList<Item> items;
    QHash<QString, qsizetype> itemOfSku;
    for (qsizetype index = 0; index < lines.size(); ++index) {
        const ReadProductLine& line = lines.at(index);
        const qsizetype number = firstNumber + index;
        if (!line.fault.isEmpty()) {
            reports[index].badLine(number, line.fault);
            continue;
        }
        const QString key = line.sku.toCaseFolded();
        const SkuLookup lookup = lookups.value(key);
        if (!reports[index].lookedUp(lookup, number, line.sku)) continue;
        try {
            shop::JsonBody body = batchItemBody(lookup.id, line.rows);
            if (!itemOfSku.contains(key)) {
                itemOfSku.insert(key, items.size());
                items.append({.id = lookup.id, .body = {}, .lines = {}});
            }
            Item& item = items[itemOfSku.value(key)];
            item.body = std::move(body);
            item.lines.append(index);
        } catch (const Error& error) {
            reports[index].badLine(number, error.message());
        }
    }
    return items;
}

void BatchSender::sendItems(const QList<Item>& items, const QList<ReadProductLine>& lines,
                            QList<LineReport>& reports) {
    QList<shop::JsonBody> bodies;
    bodies.reserve(items.size());
    for (const Item& item : items) bodies.append(item.body);
    const auto action =
        settings_.addProducts ? shop::BatchAction::Create : shop::BatchAction::Update;
    client_.setProductRes(settings_.productRes);
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
    for (qsizetype i = 0; i < items.size(); ++i) {
        const CallResult result = answer.failure.isEmpty()
                                      ? CallResult{.text = answer.itemResults.at(i),
                                                   .movedTo = {},
                                                   .failedInTransit = false}
                                      : whole;
        for (const qsizetype index : items.at(i).lines)
            reports[index].sent(items.at(i).id, settings_.addProducts, result, lines.at(index).sku);
    }
}

}  // namespace norvan::products
