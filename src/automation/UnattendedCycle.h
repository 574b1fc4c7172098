#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QThread>
#include <QTimer>
#include <functional>

namespace norvan::automation {

// The unattended mode: a main-thread timer starts a cycle; a cycle starts the order run and the
// product run, each through a worker that hands the run back to the main thread, unless a run of
// that kind is still queued or under way.
class UnattendedCycle {
  public:
    struct Runs {
        std::function<bool()> modeOn;      // "Automatic opration" ticked
        std::function<void()> orderRun;    // the order-run procedure, on the main thread
        std::function<void()> productRun;  // the product-run procedure, on the main thread
    };

    // timer is the window's tCheckTime; context an object living on the main thread.
    UnattendedCycle(QTimer& timer, QObject* context, Runs runs);
    ~UnattendedCycle();  // shuts down
    UnattendedCycle(const UnattendedCycle&) = delete;
    UnattendedCycle& operator=(const UnattendedCycle&) = delete;

    // Sets the period (minutes; empty means 60) and reports the minutes text the window shows.
    // Throws for a text that is not a whole number and for a negative number, naming origin
    // (see cycleIntervalMs) and leaving the timer as it was.
    QString setPeriod(const QString& minutes, const QString& origin);
    void tick();  // one cycle
    void stop();  // the operator edits the settings
    // Stops the timer and waits, running the event loop, until every worker has handed its run
    // over; runs handed over from then on are skipped. A worker holds the context until then,
    // so the context's owner calls this before the context goes away. The workers have ended
    // and are freed when it returns.
    void shutDown();
    QThread* startOrderRun();    // marks the order run busy and starts the worker
    QThread* startProductRun();  // marks the product run busy and starts the worker

    // A run of that kind is queued or under way (on the main thread, handed over by its
    // worker); a cycle skips it then.
    bool orderRunBusy() const { return orderRunBusy_; }
    bool productRunBusy() const { return productRunBusy_; }
    // The window clears both when it is shown.
    void setOrderRunBusy(bool busy) { orderRunBusy_ = busy; }
    void setProductRunBusy(bool busy) { productRunBusy_ = busy; }

  private:
    QThread* startRun(bool& busy, const std::function<void()>& run);
    void enableTimer();

    QTimer& timer_;
    QObject* context_;
    Runs runs_;
    bool orderRunBusy_ = false;
    bool productRunBusy_ = false;
    int workersInFlight_ = 0;           // started, run not yet handed over
    QList<QPointer<QThread>> workers_;  // started and not yet freed
    bool shuttingDown_ = false;
};

}  // namespace norvan::automation
