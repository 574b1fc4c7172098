#pragma once

#include <QString>
#include <QStringList>

namespace norvan::shop {

// What the connection check reads from the window.
struct CheckInputs {
    QString edtEComURL;
    QString edtUser;
    QString edtPassword;
    QString edtProductRes;
    QString edtOrderRes;
    QString edtStatusAz;
    bool chbConKey = false;
};

// What the connection check writes to the window: the log pane, the id list box, the token box,
// the busy pointer, and the pending window events it lets run between its steps.
class CheckWindow {
  public:
    virtual ~CheckWindow() = default;
    virtual void clearLog() = 0;
    virtual void appendLog(const QString& line) = 0;
    virtual void setBusy(bool busy) = 0;
    virtual void processEvents() = 0;
    virtual void clearIds() = 0;
    virtual void appendIds(const QStringList& ids) = 0;
    virtual void setToken(const QString& token) = 0;
};

enum CheckType : int { CheckProducts = 0, CheckOrders = 1 };

// Asks the shop for its products (type 0) or for the orders whose status is edtStatusAz
// (type 1), logs the outcome and lists the ids of the answer. A resource box holding only "/"
// is not configured: no request, and the list keeps its items. Any other type runs only the
// log, client and token steps. Failures are logged, except that a base address the client
// refuses escapes as Error, leaving the pointer busy.
void CheckWooCommerce(int type, const CheckInputs& inputs, CheckWindow& window);

}  // namespace norvan::shop
