#include "LineReport.h"

#include "shop/ResultText.h"

namespace norvan::products {

void LineReport::badLine(qsizetype number, const QString& reason) {
    entries_.append(QStringLiteral("---Error in product line ") + QString::number(number) +
                    QStringLiteral(": ") + reason);
    delivery_ = Delivery::Refused;
}

bool LineReport::lookedUp(const SkuLookup& lookup, qsizetype number, const QString& sku) {
    if (lookup.failure) {
        entries_.append(shop::responseErrorLine(lookup.failure->text));
        afterFailure(*lookup.failure, sku);
    } else if (!lookup.fault.isEmpty()) {
        badLine(number, lookup.fault);
    } else if (lookup.id.isEmpty()) {
        entries_.append(QStringLiteral("---Product not found /SKU: ") + sku);
        delivery_ = Delivery::NotFound;
    }
    return !lookup.id.isEmpty();
}

void LineReport::sent(const QString& id, bool added, const CallResult& result, const QString& sku) {
    entries_.append(QStringLiteral("---Create JSON  /Product id: ") + id);
    const bool failed = shop::isFailureResult(result.text);
    if (added) {
        entries_.append(failed ? QStringLiteral("---Error to create product: ") + result.text
                               : QStringLiteral("---Product insert successfully /") + result.text);
    } else {
        entries_.append(failed ? QStringLiteral("---Error to update product: ") + result.text
                               : QStringLiteral("---Product update successfully /") + result.text);
    }
    if (failed)
        afterFailure(result, sku);
    else
        delivery_ = Delivery::Updated;
}

// A call the shop refused is done with; one that failed on its way is made again next run.
void LineReport::afterFailure(const CallResult& call, const QString& sku) {
    if (!call.movedTo.isEmpty()) entries_.append(shop::movedToLine(call.movedTo));
    if (!call.failedInTransit) {
        delivery_ = Delivery::Refused;
        return;
    }
    entries_.append(QStringLiteral("---Kept for the next run /SKU: ") + sku);
    delivery_ = Delivery::Kept;
}

}  // namespace norvan::products
