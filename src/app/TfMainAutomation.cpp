// The unattended cycle: the timer starts the order run and the product run, each handed back
// to the main thread by a worker.
#include "ListItems.h"
#include "TfMain.h"
#include "automation/UnattendedCycle.h"
#include "common/Error.h"
#include "orders/OrderListings.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>

namespace norvan::app {

void TfMain::createCycle() {
    cycle_ = std::make_unique<automation::UnattendedCycle>(
        *tCheckTime, this,
        automation::UnattendedCycle::Runs{
            .modeOn = [this] { return chbAutomat->isChecked(); },
            .orderRun = [this] { orderRunProcedure(); },
            .productRun = [this] { productRunProcedure(); },
        });
}

void TfMain::tCheckTimeTimer() {
    cycle_->tick();
}

void TfMain::btnThreadGetClick() {
    cycle_->startOrderRun();
}

void TfMain::btnThreadPutClick() {
    cycle_->startProductRun();
}

void TfMain::orderRunProcedure() {
    setActivePage(tsOrders);
    orders::OrderListings listings(edtStatusAz->text());
    do {
        btnGetOrdersClick();
        listings.listed(listItems(*lstOrder));
        const int count = lstOrder->count();
        // A run nested in this one (through the pumps of its steps) may list fewer orders; an
        // index past the end would select nothing and export the previous order a second time.
        for (int index = 0; index < count && index < lstOrder->count(); ++index) {
            if (!listings.firstTry(lstOrder->item(index)->text())) continue;
            lstOrder->setCurrentRow(index);
            if (extractOrderOfRun(lstOrder->item(index)->text()) && vleOrderValue->rowCount() > 0)
                btnToDexarAndChangeOrdersClick();
        }
    } while (listings.listAgain());
}

// An order that cannot be read is that order's failure alone: it is logged and the run goes on
// with the next one. Failures of the export (the disk, the Orders folder) still end the run.
bool TfMain::extractOrderOfRun(const QString& orderId) {
    try {
        btnextractOrdersClick();
        return true;
    } catch (const std::exception& error) {
        mLogs->appendLine(QStringLiteral("---Error in order ") + orderId + QStringLiteral(": ") +
                          exceptionMessage(error));
        return false;
    }
}

void TfMain::productRunProcedure() {
    btnGetProductsClick();
    btnUpdateProductClick();
}

}  // namespace norvan::app
