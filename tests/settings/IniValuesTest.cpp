#include "IniValues.h"

#include "IniFile.h"
#include "common/Error.h"

#include "support/ExpectError.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

using norvan::Error;
using norvan::settings::IniAccess;
using norvan::settings::IniReadWrite;
using norvan::settings::IniValues;
using norvan::settings::loadIniValues;
using norvan::settings::saveIniValues;

namespace {

class IniValuesTest : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("SetManifest.ini"));

    QByteArray file() const {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(IniValuesTest, AMissingFileGetsTheDefaultTransferCode) {
    const IniValues values = loadIniValues(path);
    EXPECT_EQ(values.sleep, "");
    EXPECT_EQ(values.interval, "");
    EXPECT_EQ(values.dexarCod, "0");
    EXPECT_FALSE(values.batch);
    EXPECT_EQ(file(), "[Setting]\r\nDexarCod=0\r\n");
}

TEST_F(IniValuesTest, SavedValuesComeBackAndEmptyOnesAreWrittenToo) {
    saveIniValues(path, {"15", "2", "7", true});
    EXPECT_EQ(file(), "[Setting]\r\nSleep=15\r\nInterval=2\r\nDexarCod=7\r\nBatch=1\r\n");
    const IniValues loaded = loadIniValues(path);
    EXPECT_EQ(loaded.sleep, "15");
    EXPECT_EQ(loaded.interval, "2");
    EXPECT_EQ(loaded.dexarCod, "7");
    EXPECT_TRUE(loaded.batch);

    saveIniValues(path, {});
    EXPECT_EQ(file(), "[Setting]\r\nSleep=\r\nInterval=\r\nDexarCod=\r\nBatch=0\r\n");
    EXPECT_EQ(loadIniValues(path).dexarCod, "0");
    EXPECT_EQ(file(), "[Setting]\r\nSleep=\r\nInterval=\r\nDexarCod=0\r\nBatch=0\r\n");
}

TEST_F(IniValuesTest, BatchIsReadFromItsSectionOnlyAndSavedBesideTheLinesOfOthers) {
    const QByteArray others = "; kept by hand\r\n[Other]\r\nBatch=1\r\n";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(others + "[Setting]\r\nExtra=x\r\nDexarCod=3\r\n");
    file.close();
    EXPECT_FALSE(loadIniValues(path).batch);

    saveIniValues(path, {"", "", "3", true});
    EXPECT_EQ(this->file(), others +
                                "[Setting]\r\nExtra=x\r\nDexarCod=3\r\nSleep=\r\nInterval=\r\n"
                                "Batch=1\r\n");
    EXPECT_TRUE(loadIniValues(path).batch);
    // Only a whole number other than 0 switches it on.
    for (const auto& [text, on] : {std::pair{"2", true}, {"0", false}, {"yes", false}}) {
        IniReadWrite(path, "Setting", "Batch", text, IniAccess::Write);
        EXPECT_EQ(loadIniValues(path).batch, on) << text;
    }
}

TEST_F(IniValuesTest, AFailedWriteIsReported) {
    QFile blocker(path);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString inside = path + "/SetManifest.ini";
    EXPECT_ERROR(saveIniValues(inside, {"1", "2", "3"}), "Unable to write to " + inside);
    EXPECT_THROW(loadIniValues(inside), Error);
}

}  // namespace
