#pragma once

#include <QString>

namespace norvan::common {
class RunLog;
}

namespace norvan::shop {

// A shop call failed when its result text begins with "Error: ". Success texts and JSON texts
// never do, while a product description or customer note may contain the word anywhere.
bool isFailureResult(const QString& result);

// A failed call's result text as every run logs it: "---Response error: <result> (unsuccessful)."
QString responseErrorLine(const QString& result);
void logResponseError(common::RunLog& log, const QString& result);

// What a shop that refused a call said of it, "---The shop says: <message>", logged after the
// call's error line; no line when the shop gave no message.
QString shopSaysLine(const QString& message);
void logShopSays(common::RunLog& log, const QString& message);

// Where a shop that stopped a call with a redirect to another address asked it to go,
// "---The shop moved to: <address>", so that the operator can put it into the settings. The log
// gets no line when the address is empty.
QString movedToLine(const QString& address);
void logMovedTo(common::RunLog& log, const QString& address);

}  // namespace norvan::shop
