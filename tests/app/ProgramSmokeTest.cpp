// The real program, started offscreen from a copy in an empty folder.
#include "support/TempProgramFolder.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileSystemWatcher>
#include <QProcess>
#include <QTimer>
#include <functional>
#include <list>

namespace norvan::app {
namespace {

// The copy of the program in a temporary folder, started offscreen.
class ProgramSmokeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(QFile::copy(QStringLiteral(NORVAN_PROGRAM_FILE), program));
    }
    void TearDown() override {
        for (QProcess& process : processes) {
            process.kill();
            process.waitForFinished();
        }
    }

    QProcess& start() {
        QProcess& process = processes.emplace_back();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(environment);
        QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
        process.start(program, {});
        EXPECT_TRUE(process.waitForStarted());
        return process;
    }

    // Runs the event loop until done() holds after a change in the folder, one of its
    // sub-folders or their files, or a program ends. A safety net of a minute only.
    void waitUntil(const std::function<bool()>& done) {
        QFileSystemWatcher watcher({folder.path()});
        const auto look = [&] {
            const QDir top(folder.path());
            for (const QString& name : top.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
                const QDir sub(top.filePath(name));
                watcher.addPath(sub.path());
                for (const QString& file : sub.entryList(QDir::Files))
                    watcher.addPath(sub.filePath(file));
            }
            if (done()) loop.quit();
        };
        QObject::connect(&watcher, &QFileSystemWatcher::directoryChanged, &loop, look);
        QObject::connect(&watcher, &QFileSystemWatcher::fileChanged, &loop, look);
        QTimer::singleShot(0, &loop, look);
        QTimer::singleShot(60000, &loop, &QEventLoop::quit);
        loop.exec();
    }

    testing::TempProgramFolder folder;
    const QString program = folder.filePath("NorvanECommerce");
    QEventLoop loop;
    std::list<QProcess> processes;
};

TEST_F(ProgramSmokeTest, ProgramStartsAndCreatesItsDatabaseBesideItself) {
    QProcess& process = start();

    waitUntil([&] { return folder.isFile("EcomDB.s3db"); });

    EXPECT_TRUE(folder.isFile("EcomDB.s3db"));
    EXPECT_EQ(process.state(), QProcess::Running) << process.readAllStandardError().toStdString();
}

TEST_F(ProgramSmokeTest, ASecondCopyOnTheSameFolderSaysThatItWaits) {
    start();
    waitUntil([&] { return folder.isFile("EcomDB.s3db"); });
    QProcess& second = start();
    const QString waits = QStringLiteral(
        "Another copy of the program is working on this folder; "
        "this one waits.");
    const auto logText = [&] {
        QString text;
        for (const QString& name : QDir(folder.filePath("Logs")).entryList(QDir::Files))
            text += QString::fromUtf8(folder.readBytes("Logs/" + name));
        return text;
    };

    waitUntil([&] { return logText().contains(waits); });

    EXPECT_TRUE(logText().contains(" start-up mLogs: " + waits)) << logText().toStdString();
    EXPECT_EQ(second.state(), QProcess::Running);
}

}  // namespace
}  // namespace norvan::app
