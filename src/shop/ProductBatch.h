#pragma once

#include "FailedAnswer.h"
#include "JsonBody.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace norvan::shop {

// What a products/batch call asks the shop to do with its items.
enum class BatchAction { Create, Update };

// The shop's answer to a products/batch call.
struct BatchResult {
    // Empty when the shop answered the batch item by item; otherwise the failure of the call as a
    // whole, a text that begins with "Error: ".
    QString failure;
    // One result text per item sent, in that order: the success text of the single call for a
    // saved item ("201 update product.", "201 create product."), "Error: " + the shop's message
    // for a refused one.
    QStringList itemResults;
    // Beside each item result, what the shop said of a refused item: the status, code and message
    // of its error; a saved item's is empty.
    QList<FailedAnswer> itemFailures;
};

// The success text of a single create or update call, which a saved batch item earns too.
QString batchSuccessText(BatchAction action);

// {"create":[…]} or {"update":[…]}: the items' compact texts in order.
QByteArray batchRequestBody(BatchAction action, const QList<JsonBody>& items);

// The item results of a batch answer (its failure empty): a JSON object whose "create" or "update"
// list holds, in the order sent, one object per item, either the saved product or {"id":…,
// "error":{"code":…, "message":…, "data":{"status":…}}}. Read from the answer's bytes in one
// pass, keeping only the errors. Nothing when the answer is not such an object with a list of
// itemCount objects. Throws Error(jsonTooDeepMessage()) for an answer nested deeper than
// kMaxJsonDepth.
std::optional<BatchResult> batchItemResults(const QByteArray& answer, BatchAction action,
                                            qsizetype itemCount);

}  // namespace norvan::shop
