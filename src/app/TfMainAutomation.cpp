// The unattended cycle: the timer starts the order run and the product run, each handed back
// to the main thread by a worker.
#include "ListItems.h"
#include "ProductIntakeControls.h"
#include "TfMain.h"
#include "automation/UnattendedCycle.h"
#include "common/Error.h"
#include "orders/OrderExtraction.h"
#include "orders/OrderListings.h"
#include "settings/KeptProductLines.h"
#include "settings/SettingsDatabase.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSet>
#include <utility>

namespace norvan::app {

void TfMain::createCycle() {
    cycle_ = std::make_unique<automation::UnattendedCycle>(
        *tCheckTime, this,
        automation::UnattendedCycle::Runs{
            .modeOn = [this] { return chbAutomat->isChecked(); },
            .orderRun = [this] { orderRunProcedure(); },
            .productRun = [this] { productRunProcedure(); },
            .skipped =
                [this](automation::CycleRun run) {
                    RunRecord(
                        dailyLog_,
                        run == automation::CycleRun::Orders ? RunKind::Orders : RunKind::Products,
                        RunMode::Unattended)
                        .recordSkipped();
                },
        });
}

automation::RunSlot* TfMain::runSlot(RunKind kind) const {
    switch (kind) {
        case RunKind::Orders:
            return &cycle_->orderRuns();
        case RunKind::Products:
            return &cycle_->productRuns();
        case RunKind::Check:
            break;
    }
    return nullptr;
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

// The run presses the order buttons: it carries out their steps within its own record.
void TfMain::orderRunProcedure() {
    recordRun(RunKind::Orders, RunMode::Unattended, &TfMain::runOrders);
}

void TfMain::runOrders(RunRecord& record, OrderRunCounts& counts) {
    setActivePage(tsOrders);
    orders::OrderListings listings(edtStatusAz->text());
    // One pane for the whole run: a later listing continues the log of the first.
    shop::CheckLog log = shop::CheckLog::Fresh;
    do {
        listOrderPage(record, counts, std::exchange(log, shop::CheckLog::Continued));
        listings.listed(listItems(*lstOrder));
        runStatus_->showProgress(listings.triedCount(), listings.listedCount());
        const int count = lstOrder->count();
        // A run nested in this one (through the pumps of its steps) may list fewer orders; an
        // index past the end would select nothing and export the previous order a second time.
        for (int index = 0; index < count && index < lstOrder->count(); ++index) {
            if (!listings.firstTry(lstOrder->item(index)->text())) continue;
            lstOrder->setCurrentRow(index);
            if (!extractOrderOfRun(lstOrder->item(index)->text(), record))
                ++counts.failed;
            else if (vleOrderValue->rowCount() > 0)
                exportExtractedOrder(record, counts);
            runStatus_->showProgress(listings.triedCount(), listings.listedCount());
        }
    } while (listings.listAgain());
}

// An order that cannot be read is that order's failure alone: it is logged and the run goes on
// with the next one. Failures of the export (the disk, the Orders folder) still end the run.
// A read the shop failed is logged in the client's words, not as the reader's rejection of them.
bool TfMain::extractOrderOfRun(const QString& orderId, RunRecord& record) {
    QString failure;
    try {
        btnextractOrdersClick();
        return true;
    } catch (const orders::FailedOrderRead& error) {
        failure = error.clientText();
    } catch (const std::exception& error) {
        failure = exceptionMessage(error);
    }
    record.appendLine(
        *mLogs, QStringLiteral("---Error in order ") + orderId + QStringLiteral(": ") + failure);
    return false;
}

void TfMain::productRunProcedure() {
    recordRun(RunKind::Products, RunMode::Unattended, &TfMain::runProducts);
}

// The run takes the product files as it sends: its first request goes out once the first step
// of them is kept, and a huge file never holds the window.
void TfMain::runProducts(RunRecord& record, products::ProductRunCounts& counts) {
    settings::KeptProductLines kept(openSettingsDatabase().connection());
    ProductIntakeControls intake(*lstProdTextFile, *mProdFiles, record, kept, appPath_,
                                 environment_.pause, productRunNotes_);
    sendKeptProducts(record, counts, kept,
                     [&intake](QStringList& notes) { return intake.takeLines(notes); });
}

}  // namespace norvan::app
