#pragma once

#include <QString>

namespace norvan::common {
class RunLog;
}

namespace norvan::shop {

// A shop call failed when its result text begins with "Error: ". Success texts and JSON texts
// never do, while a product description or customer note may contain the word anywhere.
bool isFailureResult(const QString& result);

// Logs a failed call's result text as every run does: "---Response error: <result> (unsuccessful)."
void logResponseError(common::RunLog& log, const QString& result);

// Logs where a shop that stopped a call with a redirect to another address asked it to go,
// "---The shop moved to: <address>", so that the operator can put it into the settings; nothing
// when the address is empty.
void logMovedTo(common::RunLog& log, const QString& address);

}  // namespace norvan::shop
