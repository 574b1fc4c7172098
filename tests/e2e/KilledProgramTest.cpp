// The real program killed (SIGKILL) at chosen points of its unattended runs, start after start:
// no order is written twice or moved without its file, no product line is lost, and the next
// start cleans up and delivers what was left.
#include "UnattendedFixture.h"
#include "settings/OrderJournal.h"
#include "settings/SettingsDatabase.h"
#include "settings/SettingsFiles.h"
#include "support/Printers.h"

#include <signal.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <atomic>
#include <random>

namespace norvan::app {
namespace {

using sampleshop::Fault;
using sampleshop::RecordedRequest;

// Where a start is stopped.
enum class KillPoint {
    BeforeRequest,   // as its Nth request reaches the shop, which does not act on it
    AfterRequest,    // as its Nth request reaches the shop, which then acts on it
    BeforeFileStep,  // just before its Nth sync, rename or removal in its folder
};

// Lower bounds of the file-system steps a start takes. An ordinary database commit takes none:
// it is appended to the write-ahead log, which is synced only where a record must outlast a power
// cut. An order new to the journal takes four: the part file's sync, the sync of the record of
// its name, the rename and the folder's sync; one the journal knows may take none (only its
// status change is sent). A product file is kept in the database, then removed.
constexpr long kStepsPerNewOrder = 4;
constexpr long kStepsPerExportedOrder = 0;
constexpr long kStepsPerProductFile = 1;

class KilledProgramTest : public testing::UnattendedFixture {
  protected:
    void SetUp() override {
        UnattendedFixture::SetUp();
        ASSERT_TRUE(QFile::copy(QStringLiteral(NORVAN_PROGRAM_FILE), programPath()));
        shop.setRequestHook([this](const RecordedRequest&) { return stopAtRequest(); });
    }

    QString programPath() const { return folder.filePath("NorvanECommerce"); }

    // What the next start does at least, so that a kill point within it is always reached.
    struct Work {
        long requests = 1;  // the order list
        long fileSteps = 0;
    };

    Work workOfNextStart(const std::vector<std::string>& skus) {
        Work work;
        settings::SettingsDatabase database(
            folder.filePath(QString::fromLatin1(settings::kDatabaseFileName)));
        const settings::OrderJournal journal(database);
        int listed = 0;
        for (const auto& order : shop.orders()) {
            if (order["status"] != "processing") continue;
            if (listed++ == sampleshop::Options{}.perPage) break;
            work.requests += 2;  // read, then moved
            const bool exported =
                journal.find(QString::number(order["id"].get<long long>())).has_value();
            work.fileSteps += exported ? kStepsPerExportedOrder : kStepsPerNewOrder;
        }
        // Looked up and sent: each SKU with a kept line or one in a waiting file.
        const QString lines = keptProductLines().join(u'\n') + waitingProductText();
        for (const std::string& sku : skus)
            if (lines.contains(QStringLiteral("\"%1\";").arg(QString::fromStdString(sku))))
                work.requests += 2;
        work.fileSteps += kStepsPerProductFile * productFiles().size();
        return work;
    }

    // Starts the program (its stored mode is on: a cycle runs at once) and waits until it has
    // been killed at the point.
    void runUntilKilled(KillPoint point, long number) {
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        if (point == KillPoint::BeforeFileStep) {
            environment.insert("LD_PRELOAD", NORVAN_KILL_SWITCH_FILE);
            environment.insert("NORVAN_KILL_IN_FOLDER", folder.path());
            environment.insert("NORVAN_KILL_AT_STEP", QString::number(number));
            // A sanitized program loads its runtime before anything else, the kill switch too.
            environment.insert("ASAN_OPTIONS",
                               environment.value("ASAN_OPTIONS") + ":verify_asan_link_order=0");
        }
        program.setProcessEnvironment(environment);
        programId_ = 0;
        requestsSeen_ = 0;
        dropRequest_ = point == KillPoint::BeforeRequest;
        killAtRequest_ = point == KillPoint::BeforeFileStep ? 0 : number;
        program.start(programPath(), {});
        ASSERT_TRUE(program.waitForStarted());
        programId_ = program.processId();
        programId_.notify_all();

        // A safety net only: the program ends as soon as it reaches the point.
        const bool killed = program.waitForFinished(30000);
        killAtRequest_ = 0;
        if (!killed) program.kill();
        ASSERT_TRUE(killed) << "never reached; " << program.readAllStandardError().toStdString();
        EXPECT_EQ(program.exitStatus(), QProcess::CrashExit);
    }

    // The shop's hook: kills the program as its chosen request arrives.
    Fault stopAtRequest() {
        if (killAtRequest_ == 0 || ++requestsSeen_ != killAtRequest_) return Fault::None;
        programId_.wait(0);  // known as soon as the program was started
        ::kill(static_cast<pid_t>(programId_.load()), SIGKILL);
        return dropRequest_ ? Fault::DropConnection : Fault::None;
    }

    QStringList productFiles() const {
        return QDir(folder.filePath("Products")).entryList({"*.ecom"}, QDir::Files);
    }
    QStringList partFiles() const {
        return QDir(folder.filePath("Orders"))
            .entryList({"*.part"}, QDir::Files | QDir::Hidden | QDir::System);
    }

  private:
    std::atomic<qint64> programId_{0};
    std::atomic<long> killAtRequest_{0};  // 0: none
    std::atomic<long> requestsSeen_{0};
    std::atomic<bool> dropRequest_{false};
};

TEST_F(KilledProgramTest, KilledAnywhereInItsRunsTheProgramNeitherLosesNorDoublesAnything) {
    const std::vector<std::string> skus{"A-1", "A-2", "B-7", "C 10", "D-3/x", "E+5"};
    std::vector<long long> orders{15, 16, 17, 18};
    std::mt19937 draws(20240305);
    constexpr int kStarts = 40;
    for (int start = 1; start <= kStarts; ++start) {
        SCOPED_TRACE(start);
        // Since the last start an order may have come in and a product file been dropped.
        if (draws() % 2 == 0) {
            orders.push_back(100 + start);
            addOrder(orders.back());
        }
        if (draws() % 2 == 0) {
            QStringList lines;
            for (const std::string& sku : skus)
                if (draws() % 2 == 0) lines.append(productLine(sku, start * 10, start * 1000));
            dropProductFile(QStringLiteral("P_%1.ecom").arg(start, 3, 10, QChar(u'0')), lines);
        }

        const auto point = static_cast<KillPoint>(draws() % 3);
        const Work work = workOfNextStart(skus);
        const long bound = point == KillPoint::BeforeFileStep ? work.fileSteps : work.requests;
        if (bound == 0) continue;
        runUntilKilled(point, 1 + static_cast<long>(draws() % static_cast<unsigned long>(bound)));
        expectNothingLostOrDoubled(orders);
    }

    // The next start, in the test's own window so that its runs can be waited for.
    startWindow();
    waitForRuns();
    EXPECT_TRUE(boxes.errors().empty());
    expectEverythingDelivered(orders);
    EXPECT_EQ(partFiles(), QStringList());
}

}  // namespace
}  // namespace norvan::app
