// The real program, started offscreen from a copy in an empty folder.
#include "support/TempProgramFolder.h"

#include <gtest/gtest.h>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileSystemWatcher>
#include <QProcess>
#include <QTimer>

namespace norvan::app {
namespace {

TEST(ProgramSmokeTest, ProgramStartsAndCreatesItsDatabaseBesideItself) {
    testing::TempProgramFolder folder;
    const QString program = folder.filePath("NorvanECommerce");
    ASSERT_TRUE(QFile::copy(QStringLiteral(NORVAN_PROGRAM_FILE), program));

    QFileSystemWatcher watcher({folder.path()});
    QEventLoop loop;
    QObject::connect(&watcher, &QFileSystemWatcher::directoryChanged, &loop, [&] {
        if (folder.isFile("EcomDB.s3db")) loop.quit();
    });
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    process.start(program, {});
    ASSERT_TRUE(process.waitForStarted());

    // A safety net only: the loop ends as soon as the database appears or the program ends.
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    loop.exec();

    EXPECT_TRUE(folder.isFile("EcomDB.s3db"));
    EXPECT_EQ(process.state(), QProcess::Running) << process.readAllStandardError().toStdString();
    process.kill();
    process.waitForFinished();
}

}  // namespace
}  // namespace norvan::app
