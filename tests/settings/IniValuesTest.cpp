#include "IniValues.h"

#include "common/Error.h"

#include "support/ExpectError.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

using norvan::Error;
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
    EXPECT_EQ(file(), "[Setting]\r\nDexarCod=0\r\n");
}

TEST_F(IniValuesTest, SavedValuesComeBackAndEmptyOnesAreWrittenToo) {
    saveIniValues(path, {"15", "2", "7"});
    EXPECT_EQ(file(), "[Setting]\r\nSleep=15\r\nInterval=2\r\nDexarCod=7\r\n");
    const IniValues loaded = loadIniValues(path);
    EXPECT_EQ(loaded.sleep, "15");
    EXPECT_EQ(loaded.interval, "2");
    EXPECT_EQ(loaded.dexarCod, "7");

    saveIniValues(path, {});
    EXPECT_EQ(file(), "[Setting]\r\nSleep=\r\nInterval=\r\nDexarCod=\r\n");
    EXPECT_EQ(loadIniValues(path).dexarCod, "0");
    EXPECT_EQ(file(), "[Setting]\r\nSleep=\r\nInterval=\r\nDexarCod=0\r\n");
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
