#pragma once

#include "ShopConnection.h"
#include "common/RunLog.h"

#include <QString>
#include <QStringList>

namespace norvan::shop {

// What the connection check reads from the window.
struct CheckInputs {
    ShopConnection connection;
    QString productRes;  // edtProductRes
    QString orderRes;    // edtOrderRes
    QString statusAz;    // edtStatusAz: the status whose orders are listed
};

// What the connection check writes to the window besides its run log: the id list box and the
// token box.
class CheckWindow : public common::RunLog {
  public:
    virtual void clearIds() = 0;
    virtual void appendIds(const QStringList& ids) = 0;
    virtual void setToken(const QString& token) = 0;
};

enum class CheckKind { Products, Orders };

// Fresh: the check clears its log first and warns of Basic authentication over plain http.
// Continued: a later listing of the same order run, which appends to the run's log and has warned
// already.
enum class CheckLog { Fresh, Continued };

// What the check's request came to.
struct CheckOutcome {
    enum class Answer { NotAsked, Listed, Failed };  // NotAsked: the resource is not configured
    Answer answer = Answer::NotAsked;
    qsizetype idsListed = 0;
};

// Asks the shop for its products or for the orders whose status is statusAz, logs the outcome
// and lists the ids of the answer. A resource box holding only "/" is not configured: no
// request, and the list keeps its items. Failures are logged, a 2xx answer that is not JSON
// among them, except that a base address the client refuses escapes as Error, leaving the
// pointer busy. Returns what the request came to.
CheckOutcome CheckWooCommerce(CheckKind kind, const CheckInputs& inputs, CheckWindow& window,
                              CheckLog log = CheckLog::Fresh);

}  // namespace norvan::shop
