#include "UnattendedCycle.h"

#include "CycleInterval.h"
#include "SynchronisedRun.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace norvan::automation {

UnattendedCycle::UnattendedCycle(QTimer& timer, QObject* context, Runs runs)
    : timer_(timer), context_(context), runs_(std::move(runs)) {
    QObject::connect(&timer_, &QTimer::timeout, context_, [this] { tick(); });
}

UnattendedCycle::~UnattendedCycle() {
    shutDown();
}

void UnattendedCycle::shutDown() {
    shuttingDown_ = true;
    timer_.stop();
    while (queuedOrderRuns_ + queuedProductRuns_ > 0)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    // A worker frees itself through the event loop, which may not run again once the window is
    // gone; those left are freed here.
    for (const QPointer<QThread>& worker : std::as_const(workers_)) {
        if (worker.isNull()) continue;
        worker->wait();
        delete worker.data();
    }
    workers_.clear();
}

QString UnattendedCycle::setPeriod(const QString& minutes, const QString& origin) {
    QString shown = minutes.isEmpty() ? QString::fromLatin1(kDefaultCycleMinutes) : minutes;
    timer_.setInterval(cycleIntervalMs(shown, origin));
    return shown;
}

void UnattendedCycle::tick() {
    if (!runs_.modeOn()) return;
    timer_.stop();
    struct ResumeWhenDone {
        UnattendedCycle& cycle;
        ~ResumeWhenDone() {
            QCoreApplication::processEvents();
            cycle.enableTimer();
        }
    } resume{*this};
    if (orderRunBusy())
        skip(CycleRun::Orders);
    else
        startOrderRun();
    if (productRunBusy())
        skip(CycleRun::Products);
    else
        startProductRun();
}

void UnattendedCycle::stop() {
    timer_.stop();
}

QThread* UnattendedCycle::startOrderRun() {
    return startRun(CycleRun::Orders, queuedOrderRuns_, orderRuns_, runs_.orderRun);
}

QThread* UnattendedCycle::startProductRun() {
    return startRun(CycleRun::Products, queuedProductRuns_, productRuns_, runs_.productRun);
}

// A run counts as busy from its worker's start: queued until it is handed over, then holding
// its slot. One handed over while its slot is held (the worker of a second press of the button,
// running in the event pump of the run under way) is skipped.
QThread* UnattendedCycle::startRun(CycleRun kind, int& queued, RunSlot& slot,
                                   const std::function<void()>& run) {
    ++queued;
    workers_.removeIf([](const QPointer<QThread>& worker) { return worker.isNull(); });
    QThread* worker = startSynchronisedRun(context_, [this, kind, &queued, &slot, run] {
        --queued;
        if (shuttingDown_) return;
        const auto alone = slot.take();
        if (!alone) {
            skip(kind);
            return;
        }
        run();
    });
    workers_.append(worker);
    return worker;
}

void UnattendedCycle::skip(CycleRun kind) const {
    if (runs_.skipped) runs_.skipped(kind);
}

void UnattendedCycle::enableTimer() {
    // A period of zero means no periodic ticks, only the immediate cycle of arming; a QTimer
    // with interval zero would fire on every pass of the event loop instead.
    if (timer_.interval() > 0) timer_.start();
}

}  // namespace norvan::automation
