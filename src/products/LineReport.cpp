#include "LineReport.h"

#include "shop/ResultText.h"

#include <algorithm>

namespace norvan::products {

void LineReport::badLine(qsizetype number, const QString& reason) {
    entries_.append(QStringLiteral("---Error in product line ") + QString::number(number) +
                    QStringLiteral(": ") + reason);
    delivery_ = Delivery::Refused;
}

std::optional<shop::ListedProduct> LineReport::lookedUp(const SkuLookup& lookup, qsizetype number,
                                                        const QString& sku) {
    if (lookup.failure) {
        entries_.append(shop::responseErrorLine(lookup.failure->text));
        afterFailure(*lookup.failure, sku);
        return std::nullopt;
    }
    if (lookup.products.isEmpty()) {
        entries_.append(QStringLiteral("---Product not found /SKU: ") + sku);
        delivery_ = Delivery::NotFound;
        return std::nullopt;
    }
    if (lookup.products.size() > 1) {
        // Which of them the file means cannot be told: none is guessed.
        QList<shop::ListedProduct> byId = lookup.products;
        std::ranges::sort(
            byId, {}, [](const shop::ListedProduct& product) { return product.id.toLongLong(); });
        QStringList products;
        for (const shop::ListedProduct& product : byId)
            products.append(product.id + QStringLiteral(" (") + product.sku + u')');
        badLine(number, QStringLiteral("The SKU matches more than one product of the shop: ") +
                            products.join(QStringLiteral(", ")) + u'.');
        return std::nullopt;
    }
    return lookup.products.first();
}

void LineReport::sent(const shop::ListedProduct& product, bool added, const CallResult& result,
                      const QString& sku) {
    entries_.append(QStringLiteral("---Create JSON  /Product id: ") + product.id);
    const bool failed = shop::isFailureResult(result.text);
    if (added) {
        entries_.append(failed ? QStringLiteral("---Error to create product: ") + result.text
                               : QStringLiteral("---Product insert successfully /") + result.text);
    } else {
        entries_.append(failed ? QStringLiteral("---Error to update product: ") + result.text
                               : QStringLiteral("---Product update successfully /") + result.text);
    }
    if (failed) {
        afterFailure(result, sku);
        return;
    }
    delivery_ = Delivery::Updated;
    // The shop keeps no price of a variable product's own: the file's price for it goes nowhere.
    if (!added && product.type == u"variable") {
        entries_.append(
            QStringLiteral("---A variable product's price is set on its variations: the lines "
                           "of its variations' SKUs carry their prices."));
    }
}

QString LineReport::stopLine(qsizetype moreLines) const {
    const QString reason =
        stop_ == CallResult::Meaning::KeyRefused
            ? QStringLiteral(
                  "---The shop refuses the key (401): check the consumer key, its "
                  "secret and its permissions")
            : QStringLiteral("---A firewall in front of the shop refuses the program (403)");
    return reason + QStringLiteral("; %1 more product lines kept for the next run").arg(moreLines);
}

// A call that refused the line's content is done with; one that failed on its way, or whose
// answer says nothing about the line, is made again next run.
void LineReport::afterFailure(const CallResult& call, const QString& sku) {
    if (!call.answer.message.isEmpty()) entries_.append(shop::shopSaysLine(call.answer.message));
    if (!call.movedTo.isEmpty()) entries_.append(shop::movedToLine(call.movedTo));
    const CallResult::Meaning meaning = call.meaning();
    if (meaning == CallResult::Meaning::LineRefused) {
        delivery_ = Delivery::Refused;
        return;
    }
    if (meaning != CallResult::Meaning::LineKept) stop_ = meaning;
    entries_.append(QStringLiteral("---Kept for the next run /SKU: ") + sku);
    delivery_ = Delivery::Kept;
}

}  // namespace norvan::products
