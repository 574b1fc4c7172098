#include "CheckWooCommerce.h"

#include "BasicToken.h"
#include "GetWooCommerceParam.h"
#include "ResultText.h"
#include "TWooCommerceAPI.h"
#include "common/Error.h"

namespace norvan::shop {

namespace {

// One request of the check: the list is cleared only when the request is really made.
void listIds(TWooCommerceAPI& shop, const QString& resource, const QString& query,
             const QString& methodLine, CheckWindow& window) {
    window.clearIds();
    const QString result = shop.GetResponse(resource, query);
    if (isFailureResult(result)) {
        window.appendLog(QStringLiteral("---Response error: ") + result +
                         QStringLiteral(" (unsuccessful)."));
        return;
    }
    window.appendLog(methodLine);
    window.processEvents();
    window.appendLog(QStringLiteral("---Get Good Response For REST API (successful)."));
    QStringList ids;
    try {
        GetWooCommerceParam(result, ids);
    } catch (...) {
        window.appendIds(ids);  // the ids read before a fault stay listed
        throw;
    }
    window.appendIds(ids);
}

void runGuardedSteps(int type, const CheckInputs& inputs, TWooCommerceAPI& shop,
                     CheckWindow& window) {
    const QString notConfigured = QStringLiteral("/");
    window.processEvents();
    window.setToken(basicToken(inputs.edtUser, inputs.edtPassword));
    if (type == CheckProducts && inputs.edtProductRes != notConfigured) {
        listIds(shop, inputs.edtProductRes, {},
                QStringLiteral("---Get method /\"PRODUCT\"\\ successfully."), window);
    }
    window.processEvents();
    if (type == CheckOrders && inputs.edtOrderRes != notConfigured) {
        listIds(shop, inputs.edtOrderRes, QStringLiteral("status=") + inputs.edtStatusAz,
                QStringLiteral("---Get method /\"ORDER\"\\ successfully."), window);
    }
}

}  // namespace

void CheckWooCommerce(int type, const CheckInputs& inputs, CheckWindow& window) {
    window.clearLog();
    window.setBusy(true);
    window.appendLog(QStringLiteral("---BEGIN Check---"));
    window.appendLog(QStringLiteral("---Config API to get token:  ") + inputs.edtEComURL);
    TWooCommerceAPI shop(inputs.edtEComURL, inputs.edtUser, inputs.edtPassword, inputs.chbConKey);
    try {
        runGuardedSteps(type, inputs, shop, window);
    } catch (const Error& error) {
        window.appendLog(QStringLiteral("---Error: ") + error.message() +
                         QStringLiteral(" (Exception)."));
    } catch (const std::exception& error) {
        window.appendLog(QStringLiteral("---Error: ") + QString::fromLocal8Bit(error.what()) +
                         QStringLiteral(" (Exception)."));
    }
    window.appendLog(QStringLiteral("---END Check---"));
    window.setBusy(false);
}

}  // namespace norvan::shop
