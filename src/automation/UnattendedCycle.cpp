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
    while (workersInFlight_ > 0) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
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
    if (!orderRunBusy_) startOrderRun();
    if (!productRunBusy_) startProductRun();
}

void UnattendedCycle::stop() {
    timer_.stop();
}

QThread* UnattendedCycle::startOrderRun() {
    return startRun(orderRunBusy_, runs_.orderRun);
}

QThread* UnattendedCycle::startProductRun() {
    return startRun(productRunBusy_, runs_.productRun);
}

QThread* UnattendedCycle::startRun(bool& busy, const std::function<void()>& run) {
    busy = true;
    ++workersInFlight_;
    workers_.removeIf([](const QPointer<QThread>& worker) { return worker.isNull(); });
    QThread* worker = startSynchronisedRun(context_, [this, &busy, run] {
        --workersInFlight_;
        struct ClearWhenDone {
            bool& flag;
            ~ClearWhenDone() { flag = false; }
        } clear{busy};
        if (!shuttingDown_) run();
    });
    workers_.append(worker);
    return worker;
}

void UnattendedCycle::enableTimer() {
    // A period of zero means no periodic ticks, only the immediate cycle of arming; a QTimer
    // with interval zero would fire on every pass of the event loop instead.
    if (timer_.interval() > 0) timer_.start();
}

}  // namespace norvan::automation
