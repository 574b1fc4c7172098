#include "automation/CycleInterval.h"
#include "automation/UnattendedCycle.h"
#include "common/Error.h"
#include "support/ExpectError.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>

#include <algorithm>
#include <limits>
#include <vector>

using namespace norvan::automation;

const QString kOrigin = QStringLiteral("Sleep in SetManifest.ini");

TEST(CycleInterval, MinutesToMilliseconds) {
    const struct {
        const char* minutes;
        int ms;
    } cases[] = {
        {"5", 300000},
        {"0", 0},  // no periodic ticks
        {"60", 3600000},
        {"35791", 35791 * 60000},                          // the longest that fits
        {"35792", std::numeric_limits<int>::max()},        // clamped
        {"99999999999", std::numeric_limits<int>::max()},  // beyond an int of minutes
    };
    for (const auto& c : cases) EXPECT_EQ(cycleIntervalMs(c.minutes, kOrigin), c.ms) << c.minutes;
}

TEST(CycleInterval, TextThatIsNoWholeNumberOrIsNegativeIsRefusedNamingItsOrigin) {
    const QString notWhole = QStringLiteral(
        "'%1' is not a valid integer value: the period between unattended cycles (Sleep in "
        "SetManifest.ini) must be a whole number of minutes");
    const QString negative = QStringLiteral(
        "The period between unattended cycles cannot be negative: Sleep in SetManifest.ini is %1 "
        "minutes");
    const struct {
        const char* minutes;
        QString message;
    } cases[] = {
        {"abc", notWhole.arg("abc")}, {"1.5", notWhole.arg("1.5")}, {"", notWhole.arg("")},
        {"-5", negative.arg("-5")},   {"-1", negative.arg("-1")},
    };
    for (const auto& c : cases) EXPECT_ERROR(cycleIntervalMs(c.minutes, kOrigin), c.message);
}

class CycleTest : public ::testing::Test {
  protected:
    // Runs the event loop until the given workers have ended (their runs are done by then).
    void waitFor(std::initializer_list<QThread*> workers) {
        QEventLoop loop;
        int left = 0;
        for (QThread* w : workers) {
            if (!w) continue;
            ++left;
            QObject::connect(w, &QThread::finished, &loop, [&] {
                if (--left == 0) loop.quit();
            });
        }
        if (left > 0) loop.exec();
    }

    // Runs the event loop until the run of that kind has ended (at once if none is busy).
    void waitWhileBusy(bool (UnattendedCycle::*busy)() const) {
        QEventLoop loop;
        while ((cycle.*busy)()) loop.processEvents(QEventLoop::WaitForMoreEvents);
    }

    QObject context;
    QTimer timer;
    bool modeOn = true;
    int orderRuns = 0;
    int productRuns = 0;
    QThread* orderRunThread = nullptr;  // where the last run of each kind ran
    QThread* productRunThread = nullptr;
    std::function<void()> onProductRun;  // what a product run does besides being counted
    std::vector<CycleRun> skipped;
    UnattendedCycle cycle{timer,
                          &context,
                          {[this] { return modeOn; },
                           [this] {
                               ++orderRuns;
                               orderRunThread = QThread::currentThread();
                           },
                           [this] {
                               ++productRuns;
                               productRunThread = QThread::currentThread();
                               if (onProductRun) onProductRun();
                           },
                           [this](CycleRun run) { skipped.push_back(run); }}};
};

TEST_F(CycleTest, PeriodDefaultsToSixtyMinutes) {
    EXPECT_EQ(cycle.setPeriod("", kOrigin), "60");
    EXPECT_EQ(timer.interval(), 3600000);
    timer.setInterval(1234);
    for (const char* refused : {"x", "-5"}) {
        EXPECT_THROW(cycle.setPeriod(refused, kOrigin), norvan::Error) << refused;
        EXPECT_EQ(timer.interval(), 1234) << refused;  // the timer stays as it was
    }
}

TEST_F(CycleTest, ModeOffRunsNothing) {
    modeOn = false;
    cycle.tick();
    EXPECT_FALSE(cycle.orderRunBusy() || cycle.productRunBusy());
    EXPECT_FALSE(timer.isActive());
}

TEST_F(CycleTest, ModeOffWithTheTimerRunningStartsNothingAndLeavesTheTimerAlone) {
    modeOn = false;
    timer.setInterval(1);
    timer.start();
    // The cycle's own handler was connected first, so it has run when this loop ends.
    QEventLoop loop;
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_FALSE(cycle.orderRunBusy() || cycle.productRunBusy());  // no worker started
    EXPECT_TRUE(timer.isActive());  // neither stopped nor re-armed with another period
    EXPECT_EQ(timer.interval(), 1);
}

TEST_F(CycleTest, WorkersRunBothRunsOnTheMainThreadAndClearTheFlags) {
    cycle.setPeriod("5", kOrigin);
    QThread* orders = cycle.startOrderRun();
    QThread* products = cycle.startProductRun();
    EXPECT_TRUE(cycle.orderRunBusy() && cycle.productRunBusy());
    waitFor({orders, products});
    EXPECT_EQ(orderRuns, 1);
    EXPECT_EQ(productRuns, 1);
    EXPECT_FALSE(cycle.orderRunBusy() || cycle.productRunBusy());
    EXPECT_EQ(orderRunThread, QCoreApplication::instance()->thread());
    EXPECT_EQ(productRunThread, QCoreApplication::instance()->thread());
}

TEST_F(CycleTest, BusyKindIsSkippedReportedAndTimerRearmed) {
    cycle.setPeriod("5", kOrigin);
    {
        const auto orderRunUnderWay = cycle.orderRuns().take();
        cycle.tick();
        EXPECT_TRUE(timer.isActive());
        // Only the product run was started; let it finish.
        waitWhileBusy(&UnattendedCycle::productRunBusy);
    }
    EXPECT_EQ(orderRuns, 0);
    EXPECT_EQ(productRuns, 1);
    EXPECT_EQ(skipped, std::vector<CycleRun>{CycleRun::Orders});

    timer.stop();
    const auto productRunUnderWay = cycle.productRuns().take();
    cycle.tick();
    EXPECT_TRUE(timer.isActive());
    waitWhileBusy(&UnattendedCycle::orderRunBusy);
    EXPECT_EQ(orderRuns, 1);
    EXPECT_EQ(productRuns, 1);
    EXPECT_EQ(skipped, (std::vector<CycleRun>{CycleRun::Orders, CycleRun::Products}));
}

// However a second run of a kind is started inside the first one's event pump (a tick, the
// button's worker), it does not run; a run of the other kind does.
TEST_F(CycleTest, NoRunStartsInsideARunOfItsKind) {
    cycle.setPeriod("5", kOrigin);
    int productRunsUnderWay = 0;
    int mostUnderWay = 0;
    onProductRun = [&] {
        ++productRunsUnderWay;
        mostUnderWay = std::max(mostUnderWay, productRunsUnderWay);
        if (productRuns == 1) {
            cycle.tick();
            waitFor({cycle.startProductRun()});
        }
        --productRunsUnderWay;
    };
    waitFor({cycle.startProductRun()});
    waitWhileBusy(&UnattendedCycle::orderRunBusy);

    EXPECT_EQ(productRuns, 1);
    EXPECT_EQ(mostUnderWay, 1);
    EXPECT_EQ(orderRuns, 1);  // the tick's order run, handed over in the product run's pump
    EXPECT_EQ(skipped, (std::vector<CycleRun>{CycleRun::Products, CycleRun::Products}));
    EXPECT_FALSE(cycle.productRunBusy());

    waitFor({cycle.startProductRun()});  // once it is over, the next one runs
    EXPECT_EQ(productRuns, 2);
}

TEST_F(CycleTest, ZeroMinutesGivesNoPeriodicTicks) {
    cycle.setPeriod("0", kOrigin);
    const auto orderRunUnderWay = cycle.orderRuns().take();
    const auto productRunUnderWay = cycle.productRuns().take();
    cycle.tick();
    EXPECT_FALSE(timer.isActive());
}

TEST(SynchronisedRunTest, ErrorOfARunEndsItSilentlyAndClearsTheFlag) {
    QObject context;
    QTimer timer;
    UnattendedCycle cycle{
        timer,
        &context,
        {[] { return true; }, [] { throw norvan::Error("shop down"); }, [] {}, {}}};
    QThread* worker = cycle.startOrderRun();
    QEventLoop loop;
    QObject::connect(worker, &QThread::finished, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_FALSE(cycle.orderRunBusy());
}

TEST(SynchronisedRunTest, ShutDownWaitsForTheWorkersSkipsTheirRunsAndFreesThem) {
    QObject context;
    QTimer timer;
    int runs = 0;
    QPointer<QThread> orderWorker;
    QPointer<QThread> productWorker;
    {
        UnattendedCycle cycle{
            timer, &context, {[] { return true; }, [&runs] { ++runs; }, [&runs] { ++runs; }, {}}};
        orderWorker = cycle.startOrderRun();
        productWorker = cycle.startProductRun();
    }  // the window closes before either run was handed over; no event loop runs after it
    EXPECT_EQ(runs, 0);
    EXPECT_TRUE(orderWorker.isNull());
    EXPECT_TRUE(productWorker.isNull());
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
