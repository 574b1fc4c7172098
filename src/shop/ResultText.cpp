#include "ResultText.h"

#include "common/RunLog.h"

namespace norvan::shop {

bool isFailureResult(const QString& result) {
    return result.startsWith(u"Error: ");
}

QString responseErrorLine(const QString& result) {
    return QStringLiteral("---Response error: ") + result + QStringLiteral(" (unsuccessful).");
}

void logResponseError(common::RunLog& log, const QString& result) {
    log.appendLog(responseErrorLine(result));
}

QString shopSaysLine(const QString& message) {
    return QStringLiteral("---The shop says: ") + message;
}

void logShopSays(common::RunLog& log, const QString& message) {
    if (!message.isEmpty()) log.appendLog(shopSaysLine(message));
}

QString movedToLine(const QString& address) {
    return QStringLiteral("---The shop moved to: ") + address;
}

void logMovedTo(common::RunLog& log, const QString& address) {
    if (!address.isEmpty()) log.appendLog(movedToLine(address));
}

}  // namespace norvan::shop
