// The unattended cycle: the timer starts the order run and the product run, each handed back
// to the main thread by a worker.
#include "TfMain.h"
#include "automation/UnattendedCycle.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QEventLoop>
#include <QListWidget>

namespace norvan::app {

void TfMain::createCycle() {
    cycle_ = std::make_unique<automation::UnattendedCycle>(
        *tCheckTime, this,
        automation::UnattendedCycle::Runs{
            .modeOn = [this] { return cycleModeOn(); },
            .orderRun = [this] { runHandedOver(&TfMain::orderRunProcedure); },
            .productRun = [this] { runHandedOver(&TfMain::productRunProcedure); },
        });
}

bool TfMain::cycleModeOn() {
    if (!chbAutomat->isChecked()) return false;
    // The cycle asks at the start of every tick and then starts a worker for each kind whose
    // flag is clear; a worker holds this window until its run is handed over (see ~TfMain).
    runsInFlight_ += int(!cycle_->ThreadGetBusy) + int(!cycle_->ThreadPutBusy);
    return true;
}

void TfMain::runHandedOver(void (TfMain::*procedure)()) {
    --runsInFlight_;
    if (!closing_) (this->*procedure)();
}

void TfMain::waitForHandedOverRuns() {
    closing_ = true;
    cycle_->stop();
    while (runsInFlight_ > 0) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void TfMain::tCheckTimeTimer() {
    cycle_->tick();
}

void TfMain::btnThreadGetClick() {
    ++runsInFlight_;
    cycle_->startOrderRun();
}

void TfMain::btnThreadPutClick() {
    ++runsInFlight_;
    cycle_->startProductRun();
}

void TfMain::orderRunProcedure() {
    setActivePage(tsOrders);
    btnGetOrdersClick();
    const int count = lstOrder->count();
    // A run nested in this one (through the pumps of its steps) may list fewer orders; an index
    // past the end would select nothing and export the previous order a second time.
    for (int index = 0; index < count && index < lstOrder->count(); ++index) {
        lstOrder->setCurrentRow(index);
        btnextractOrdersClick();
        if (vleOrderValue->rowCount() > 0) btnToDexarAndChangeOrdersClick();
    }
}

void TfMain::productRunProcedure() {
    btnGetProductsClick();
    btnUpdateProductClick();
}

}  // namespace norvan::app
