#pragma once

#include "orders/OrderExport.h"
#include "products/ProductRun.h"
#include "shop/CheckWooCommerce.h"

#include <QString>

namespace norvan::app {

// What an order run did with the orders it handled; each order counts once.
struct OrderRunCounts {
    int exported = 0;  // file written and status changed
    int retried = 0;   // an earlier run wrote the file; the status change alone was sent, and taken
    int failed = 0;    // not read, not written, or its status not changed (the journal retries it)
    bool listingFailed = false;  // a listing of the run got no list of orders from the shop

    void add(const orders::OrderExportOutcome& outcome);
};

// The line that closes a run's record in the daily log, one wording for each kind of run.
QString runSummary(const shop::CheckOutcome& outcome);
QString runSummary(const OrderRunCounts& counts);
QString runSummary(const products::ProductRunCounts& counts);

// What the status bar shows of a run that ended: its counts in the words of its summary, the
// first always and the others when not zero ("Orders: 5 exported", "Products: 998 updated, 2 not
// found"). It calls for the operator when anything failed, was refused, not found or kept for
// later.
struct RunOutcome {
    QString text;
    bool callsForOperator = false;
};
RunOutcome runOutcome(const OrderRunCounts& counts);
RunOutcome runOutcome(const products::ProductRunCounts& counts);

}  // namespace norvan::app
