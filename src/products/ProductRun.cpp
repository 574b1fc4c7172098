#include "ProductRun.h"

#include "ProductBody.h"
#include "ProductLookup.h"
#include "ProductRows.h"
#include "common/Error.h"
#include "shop/ResultText.h"
#include "shop/TWooCommerceAPI.h"

#include <exception>
#include <memory>

namespace norvan::products {

using shop::isFailureResult;

ProductRun::ProductRun(ProductRunSettings settings, ProductRunWindow& window)
    : settings_(std::move(settings)), window_(window) {}

void ProductRun::run(const QStringList& lines) {
    window_.clearLog();
    log(QStringLiteral("---BEGIN Update Product---"));
    // An unattended run leaves the pointer to the cycle that started it.
    if (!window_.unattendedRunUnderWay()) window_.setBusy(true);
    auto client = std::make_unique<shop::TWooCommerceAPI>(settings_.connection);
    const auto finish = [&] {
        client.reset();
        window_.setBusy(false);
        log(QStringLiteral("---END Update Product---"));
    };
    try {
        sendLines(*client, lines);
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

void ProductRun::sendLines(shop::TWooCommerceAPI& client, const QStringList& lines) {
    for (qsizetype index = 0; index < lines.size(); ++index) {
        try {
            sendLine(client, lines.at(index));
        } catch (const Error& error) {
            log(QStringLiteral("---Error in product line ") + QString::number(index + 1) +
                QStringLiteral(": ") + error.message());
        }
    }
}

void ProductRun::sendLine(shop::TWooCommerceAPI& client, const QString& line) {
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

    const QString answer = client.GetResponse(settings_.productRes, skuQuery(sku));
    if (isFailureResult(answer)) {
        shop::logResponseError(window_, answer);
        return;
    }
    const QString id = GetFirstProductId(answer);
    if (id.isEmpty()) {
        log(QStringLiteral("---Product not found /SKU: ") + sku);
        return;
    }
    sendProduct(client, rows, id);
}

void ProductRun::sendProduct(shop::TWooCommerceAPI& client, const common::NameValueList& rows,
                             const QString& id) {
    const shop::JsonBody body = productBody(rows);
    log(QStringLiteral("---Create JSON  /Product id: ") + id);
    if (settings_.addProducts) {
        client.setProductRes(settings_.productRes);
        const QString result = client.AddProduct(body);
        log(isFailureResult(result) ? QStringLiteral("---Error to create product: ") + result
                                    : QStringLiteral("---Product insert successfully /") + result);
    } else {
        client.setProductRes(settings_.productRes + id + u'/');
        const QString result = client.UpdateProduct(body);
        log(isFailureResult(result) ? QStringLiteral("---Error to update product: ") + result
                                    : QStringLiteral("---Product update successfully /") + result);
    }
}

}  // namespace norvan::products
