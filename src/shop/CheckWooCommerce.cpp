#include "CheckWooCommerce.h"

#include "BasicToken.h"
#include "GetWooCommerceParam.h"
#include "ResultText.h"
#include "TWooCommerceAPI.h"
#include "common/Error.h"

namespace norvan::shop {

namespace {

// One request of the check: the list is cleared only when the request is really made. The
// answer is read once, as it came: a listing of orders brings them whole, megabytes at times.
CheckOutcome listIds(TWooCommerceAPI& shop, const QString& resource, const QString& query,
                     const QString& methodLine, CheckWindow& window) {
    window.clearIds();
    QString failure;
    const QByteArray answer = shop.GetAnswerBytes(resource, query, failure);
    if (!failure.isEmpty()) {
        logResponseError(window, failure);
        logShopSays(window, shop.lastFailure().message);
        logMovedTo(window, shop.movedTo());
        return {.answer = CheckOutcome::Answer::Failed};
    }
    // A 2xx answer that is not JSON (a login or maintenance page, an empty or cut answer)
    // comes from something in front of the shop and says nothing of what it holds: the reader
    // refuses it, and nothing is listed.
    QStringList ids;
    try {
        GetWooCommerceParam(answer, ids);
    } catch (const Error&) {
        logResponseError(window, QStringLiteral("Error: The shop's answer is not JSON."));
        return {.answer = CheckOutcome::Answer::Failed};
    }
    window.appendLog(methodLine);
    window.processEvents();
    window.appendLog(QStringLiteral("---Get Good Response For REST API (successful)."));
    window.appendIds(ids);
    return {.answer = CheckOutcome::Answer::Listed, .idsListed = ids.size()};
}

CheckOutcome runGuardedSteps(CheckKind kind, const CheckInputs& inputs, TWooCommerceAPI& shop,
                             CheckWindow& window) {
    const QString notConfigured = QStringLiteral("/");
    CheckOutcome outcome;
    window.processEvents();
    window.setToken(basicToken(inputs.connection.user, inputs.connection.password));
    if (kind == CheckKind::Products && inputs.productRes != notConfigured) {
        outcome = listIds(shop, inputs.productRes, {},
                          QStringLiteral("---Get method /\"PRODUCT\"\\ successfully."), window);
    }
    window.processEvents();
    if (kind == CheckKind::Orders && inputs.orderRes != notConfigured) {
        outcome = listIds(shop, inputs.orderRes, QStringLiteral("status=") + inputs.statusAz,
                          QStringLiteral("---Get method /\"ORDER\"\\ successfully."), window);
    }
    return outcome;
}

}  // namespace

CheckOutcome CheckWooCommerce(CheckKind kind, const CheckInputs& inputs, CheckWindow& window,
                              CheckLog log) {
    if (log == CheckLog::Fresh) window.clearLog();
    window.setBusy(true);
    window.appendLog(QStringLiteral("---BEGIN Check---"));
    window.appendLog(QStringLiteral("---Config API to get token:  ") + inputs.connection.baseUrl);
    TWooCommerceAPI shop(inputs.connection);
    // Some shops sit behind a proxy that adds TLS, so the request still goes out.
    if (log == CheckLog::Fresh && !inputs.connection.oauth1 &&
        inputs.connection.baseUrl.startsWith(QStringLiteral("http://"), Qt::CaseInsensitive)) {
        window.appendLog(QStringLiteral(
            "---Warning: Basic authentication over http:// sends the key and secret unencrypted; "
            "use an https:// address."));
    }
    CheckOutcome outcome;
    try {
        outcome = runGuardedSteps(kind, inputs, shop, window);
    } catch (const std::exception& error) {
        window.appendLog(QStringLiteral("---Error: ") + exceptionMessage(error) +
                         QStringLiteral(" (Exception)."));
        outcome = {.answer = CheckOutcome::Answer::Failed};
    }
    window.appendLog(QStringLiteral("---END Check---"));
    window.setBusy(false);
    return outcome;
}

}  // namespace norvan::shop
