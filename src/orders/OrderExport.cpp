#include "OrderExport.h"

#include "NormalizeDigits.h"
#include "OrderFile.h"
#include "common/Error.h"
#include "common/TextLines.h"
#include "shop/JsonBody.h"
#include "shop/ResultText.h"
#include "shop/TWooCommerceAPI.h"

#include <QDir>

namespace norvan::orders {

namespace {

void changeOrderStatus(const StatusChange& change, OrderExportWindow& window) {
    shop::TWooCommerceAPI client(change.connection);
    window.appendLog(QStringLiteral("---Changing status order:  ") + change.orderId +
                     QStringLiteral(" //Az:  ") + change.statusAz + QStringLiteral(" To:  ") +
                     change.statusTo);
    client.setOrderRes(change.orderRes + change.orderId + u'/');
    const QString result =
        client.UpdateOrder(shop::JsonBody().add(QStringLiteral("status"), change.statusTo));
    if (shop::isFailureResult(result)) {
        shop::logResponseError(window, result);
    } else {
        window.appendLog(QStringLiteral("---Update status /\"ORDER\"\\ successfully."));
        window.processEvents();
    }
}

}  // namespace

QString exportOrder(const OrderFileSource& source, const StatusChange& change,
                    const QString& appPath, const common::Clock& clock, OrderExportWindow& window) {
    QStringList lines;
    try {
        GenerateCOMSTR(source, lines);
    } catch (...) {
        window.setFacText(common::joinLines(lines));  // the lines built up to the fault
        throw;
    }
    const QString text = NormalizeDigits(common::joinLines(lines));
    window.setFacText(text);

    if (change.orderId.isEmpty()) throw Error(QStringLiteral("List index out of bounds (-1)"));

    const QString folder = QDir(appPath).filePath(QStringLiteral("Orders"));
    QDir().mkpath(folder);  // a folder that cannot be made fails the file's creation below
    const QString path = writeOrderFile(folder, text, clock());
    changeOrderStatus(change, window);
    return path;
}

}  // namespace norvan::orders
