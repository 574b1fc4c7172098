#include "ResultText.h"

#include "common/RunLog.h"

namespace norvan::shop {

bool isFailureResult(const QString& result) {
    return result.startsWith(u"Error: ");
}

void logResponseError(common::RunLog& log, const QString& result) {
    log.appendLog(QStringLiteral("---Response error: ") + result +
                  QStringLiteral(" (unsuccessful)."));
}

void logMovedTo(common::RunLog& log, const QString& address) {
    if (!address.isEmpty()) log.appendLog(QStringLiteral("---The shop moved to: ") + address);
}

}  // namespace norvan::shop
