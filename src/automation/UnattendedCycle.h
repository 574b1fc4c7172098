#pragma once

#include <QObject>
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
    // Throws for a text that is not a whole number, leaving the timer as it was.
    QString setPeriod(const QString& minutes);
    void tick();                 // one cycle
    void stop();                 // the operator edits the settings
    // Stops the timer and waits, running the event loop, until every worker has handed its run
    // over; runs handed over from then on are skipped. A worker holds the context until then,
    // so the context's owner calls this before the context goes away.
    void shutDown();
    QThread* startOrderRun();    // sets ThreadGetBusy and starts the worker
    QThread* startProductRun();  // sets ThreadPutBusy and starts the worker

    bool ThreadGetBusy = false;
    bool ThreadPutBusy = false;

  private:
    QThread* startRun(bool& busy, const std::function<void()>& run);
    void enableTimer();

    QTimer& timer_;
    QObject* context_;
    Runs runs_;
    int workersInFlight_ = 0;  // started, run not yet handed over
    bool shuttingDown_ = false;
};

}  // namespace norvan::automation
