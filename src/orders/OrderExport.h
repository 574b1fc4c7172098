#pragma once

#include "OrderExportWindow.h"
#include "OrderLines.h"
#include "common/Clock.h"
#include "shop/ShopConnection.h"

#include <QString>

namespace norvan::settings {
class OrderJournal;
}

namespace norvan::orders {

// The status change that follows the order file.
struct StatusChange {
    shop::ShopConnection connection;
    QString orderRes;  // edtOrderRes
    QString orderId;   // the extracted order (ExtractedOrder::orderId); empty: none extracted
    QString statusAz;  // edtStatusAz, for the log
    QString statusTo;  // edtStatusTo
};

// What became of one order.
struct OrderExportOutcome {
    QString orderFile;           // the order's file, written now or by an earlier run
    bool writtenBefore = false;  // an earlier run wrote the file: only the status change was sent
    bool statusChanged = false;  // the shop confirmed the new status
};

// Hands one extracted order to the accounting program, then changes its status in the shop:
// builds the lines (GenerateCOMSTR) and shows them in mFac, normalised (NormalizeDigits) as the
// file will hold them; writes them as a new file in appPath + "Orders/" (created with its parents)
// named after clock(); sends PUT {"status": statusTo} for the extracted order and logs it.
// The journal keeps what became of the order, so that it is written once whatever fails: an
// order whose file an earlier run wrote, and whose status change failed or was cut short, gets
// only the status change (with a logged line naming the file), provided that file is in the
// folder right before the change; one whose file is missing is written again, and so is one the
// shop changed since (its date_modified_gmt differs: the status change went through unconfirmed
// and the order was put back). A failed request is logged and the file stays. The order file and
// the journal's record of it are on disk before the status change is sent.
// Throws Error when the lines cannot be built, when no order was extracted ("List index out of
// bounds (-1)", before any file is written) and when the file or its record cannot be written.
OrderExportOutcome exportOrder(const OrderFileSource& source, const StatusChange& change,
                               const QString& appPath, const common::Clock& clock,
                               settings::OrderJournal& journal, OrderExportWindow& window);

}  // namespace norvan::orders
