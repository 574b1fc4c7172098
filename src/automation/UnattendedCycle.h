#pragma once

#include "RunSlot.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QThread>
#include <QTimer>
#include <functional>

namespace norvan::automation {

enum class CycleRun { Orders, Products };

// The unattended mode: a main-thread timer starts a cycle; a cycle starts the order run and the
// product run, each through a worker that hands the run back to the main thread, unless a run of
// that kind is still queued or under way. A run handed over holds its kind's slot while it works,
// and a run pressed by hand takes the same slot (see RunSlot), so that no run of a kind ever
// starts inside another of the same kind, however each was started.
class UnattendedCycle {
  public:
    struct Runs {
        std::function<bool()> modeOn;      // "Automatic opration" ticked
        std::function<void()> orderRun;    // the order-run procedure, on the main thread
        std::function<void()> productRun;  // the product-run procedure, on the main thread
        // A cycle found a run of that kind queued or under way and started none, or a run handed
        // over found its slot held and did not start. May be empty.
        std::function<void(CycleRun)> skipped;
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
    QThread* startOrderRun();    // starts the worker of an order run
    QThread* startProductRun();  // starts the worker of a product run

    // The slot that a run of the kind holds while it works: the cycle takes it for the runs it
    // hands over; a run pressed by hand takes it itself.
    RunSlot& orderRuns() { return orderRuns_; }
    RunSlot& productRuns() { return productRuns_; }
    // A run of that kind is queued (started by a worker, not yet handed over) or under way; a
    // cycle skips it then.
    bool orderRunBusy() const { return queuedOrderRuns_ > 0 || orderRuns_.held(); }
    bool productRunBusy() const { return queuedProductRuns_ > 0 || productRuns_.held(); }

  private:
    QThread* startRun(CycleRun kind, int& queued, RunSlot& slot, const std::function<void()>& run);
    void skip(CycleRun kind) const;
    void enableTimer();

    QTimer& timer_;
    QObject* context_;
    Runs runs_;
    RunSlot orderRuns_;
    RunSlot productRuns_;
    int queuedOrderRuns_ = 0;  // workers started whose run is not yet handed over
    int queuedProductRuns_ = 0;
    QList<QPointer<QThread>> workers_;  // started and not yet freed
    bool shuttingDown_ = false;
};

}  // namespace norvan::automation
