#include "SettingsDatabase.h"

#include "common/Error.h"

#include "support/ExpectError.h"
#include "support/Printers.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <csignal>
#include <functional>
#include <memory>

using norvan::Error;
using norvan::settings::SettingsDatabase;
using norvan::settings::SettingsRow;

namespace {

// A connection of its own, keyed as the sqlcipher shell is keyed, to look at the file from
// outside the library.
class OutsideConnection {
  public:
    explicit OutsideConnection(const QString& path, const char* key = "!%Kestrel9") {
        sqlite3* raw = nullptr;
        sqlite3_open_v2(QFile::encodeName(path).constData(), &raw,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        db_.reset(raw);
        if (key) exec(QStringLiteral("PRAGMA key = '%1'").arg(QString::fromLatin1(key)));
    }

    void exec(const QString& sql) {
        ASSERT_EQ(sqlite3_exec(db_.get(), sql.toUtf8().constData(), nullptr, nullptr, nullptr),
                  SQLITE_OK)
            << sqlite3_errmsg(db_.get());
    }

    // Every result row, its columns joined with "|".
    QStringList rows(const QString& sql) {
        QStringList result;
        sqlite3_stmt* raw = nullptr;
        EXPECT_EQ(sqlite3_prepare_v2(db_.get(), sql.toUtf8().constData(), -1, &raw, nullptr),
                  SQLITE_OK)
            << sqlite3_errmsg(db_.get());
        std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)> statement(raw,
                                                                             &sqlite3_finalize);
        while (raw && sqlite3_step(raw) == SQLITE_ROW) {
            QStringList columns;
            for (int i = 0; i < sqlite3_column_count(raw); ++i)
                columns << QString::fromUtf8(
                    reinterpret_cast<const char*>(sqlite3_column_text(raw, i)));
            result << columns.join(u'|');
        }
        return result;
    }

  private:
    std::unique_ptr<sqlite3, decltype(&sqlite3_close)> db_{nullptr, &sqlite3_close};
};

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

SettingsRow filledRow() {
    SettingsRow row;
    row.tokenUrl = QStringLiteral("https://token.example/");
    row.ecomUrl = QStringLiteral("https://shop.example/wp-json/wc/v3/");
    row.siteUser = QStringLiteral("ck_user");
    row.sitePass = QStringLiteral(" secret with blanks ");
    row.prodRes = QStringLiteral("products/");
    row.orderRes = QStringLiteral("orders/");
    row.itemTitle = QStringLiteral("line_items");
    row.automatic = true;
    row.statusAz = QStringLiteral("processing");
    row.statusTo = QStringLiteral("تکمیل شده");
    row.consKey = true;
    return row;
}

class SettingsDatabaseTest : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("EcomDB.s3db"));
};

TEST_F(SettingsDatabaseTest, CreatesAnEncryptedFileWithTheEmptySettingsTable) {
    {
        SettingsDatabase database(path);
        EXPECT_FALSE(database.hasRow());
    }
    ASSERT_TRUE(QFileInfo(path).isFile());
    EXPECT_FALSE(fileBytes(path).startsWith("SQLite format 3"));

    OutsideConnection outside(path);
    const char* columns[] = {
        "TokenURL|NVARCHAR(200)",    "EComURL|NVARCHAR(200)",    "SiteUser|NVARCHAR(150)",
        "SitePass|NVARCHAR(150)",    "ProdRes|NVARCHAR(150)",    "OrderRes|NVARCHAR(150)",
        "ProdParams|NVARCHAR(1000)", "OrdParams|NVARCHAR(1000)", "itemParams|NVARCHAR(1000)",
        "itemTitle|NVARCHAR(100)",   "Automatic|BOOLEAN",        "StatusAz|NVARCHAR(100)",
        "StatusTo|NVARCHAR(100)",    "ConsKey|BOOLEAN"};
    // cid|name|type|notnull|default|pk: all nullable, no default, no key.
    QStringList expected;
    for (const char* column : columns)
        expected << QStringLiteral("%1|%2|0||0").arg(expected.size()).arg(column);
    EXPECT_EQ(outside.rows("PRAGMA table_info(Settings)"), expected);
    EXPECT_EQ(outside.rows("SELECT type, name FROM sqlite_master"), QStringList{"table|Settings"});
    EXPECT_EQ(outside.rows("SELECT count(*) FROM Settings"), QStringList{"0"});
}

TEST_F(SettingsDatabaseTest, SaveAndOrderMappingWriteTheirOwnColumnsOfOneRow) {
    {
        SettingsDatabase database(path);
        EXPECT_FALSE(database.saveOrderMapping(QStringLiteral("a;"), QStringLiteral("b;")));
        EXPECT_FALSE(database.hasRow());

        SettingsRow saved = filledRow();
        saved.prodParams = QStringLiteral("not written by Save");
        database.saveSettings(saved);
        EXPECT_TRUE(database.saveOrderMapping(QStringLiteral("id;number;"),
                                              QStringLiteral("sku;quantity;")));
        saved.statusAz = QStringLiteral("on-hold");
        saved.automatic = false;
        database.saveSettings(saved);
    }
    SettingsDatabase reopened(path);
    SettingsRow expected = filledRow();
    expected.statusAz = QStringLiteral("on-hold");
    expected.automatic = false;
    expected.ordParams = QStringLiteral("id;number;");
    expected.itemParams = QStringLiteral("sku;quantity;");
    EXPECT_EQ(reopened.firstRow(), expected);
    EXPECT_EQ(OutsideConnection(path).rows("SELECT Automatic, ConsKey FROM Settings"),
              QStringList{"0|1"});
}

TEST_F(SettingsDatabaseTest, WritesGoToTheFirstRowInStorageOrder) {
    SettingsDatabase{path};
    OutsideConnection outside(path);
    outside.exec("INSERT INTO Settings (rowid, StatusAz) VALUES (7, 'second')");
    outside.exec("INSERT INTO Settings (rowid, StatusAz) VALUES (3, 'first')");

    SettingsDatabase database(path);
    EXPECT_EQ(database.firstRow()->statusAz, "first");
    SettingsRow row;
    row.statusAz = QStringLiteral("saved");
    database.saveSettings(row);
    database.saveOrderMapping(QStringLiteral("h;"), QStringLiteral("i;"));
    EXPECT_EQ(outside.rows("SELECT rowid, StatusAz, OrdParams FROM Settings ORDER BY rowid"),
              (QStringList{"3|saved|h;", "7|second|"}));
}

TEST_F(SettingsDatabaseTest, TextsAreCutToTheirDeclaredLengths) {
    struct Case {
        QString SettingsRow::*field;
        int maxLength;
    };
    const Case cases[] = {
        {&SettingsRow::tokenUrl, 200},  {&SettingsRow::ecomUrl, 200},
        {&SettingsRow::siteUser, 150},  {&SettingsRow::sitePass, 150},
        {&SettingsRow::prodRes, 150},   {&SettingsRow::orderRes, 150},
        {&SettingsRow::itemTitle, 100}, {&SettingsRow::statusAz, 100},
        {&SettingsRow::statusTo, 100},
    };
    SettingsDatabase database(path);
    for (const Case& c : cases) {
        for (const int length : {c.maxLength, c.maxLength + 50}) {
            SettingsRow row;
            row.*c.field = QString(length, u'x');
            database.saveSettings(row);
            EXPECT_EQ(database.firstRow().value().*c.field, QString(c.maxLength, u'x'))
                << "length " << length;
        }
    }

    database.saveOrderMapping(QString(1001, u'h'), QString(1000, u'i'));
    EXPECT_EQ(database.firstRow()->ordParams, QString(1000, u'h'));
    EXPECT_EQ(database.firstRow()->itemParams, QString(1000, u'i'));

    // A character outside the BMP counts as two units; its half cannot be stored.
    SettingsRow row;
    row.statusAz = QString(99, u'a') + QStringLiteral("\U0001F600");
    database.saveSettings(row);
    EXPECT_EQ(database.firstRow()->statusAz, QString(99, u'a'));
}

TEST_F(SettingsDatabaseTest, MissingValuesReadAsEmptyTextAndFalse) {
    SettingsDatabase database(path);
    OutsideConnection(path).exec("INSERT INTO Settings DEFAULT VALUES");
    EXPECT_EQ(database.firstRow(), SettingsRow{});
}

TEST_F(SettingsDatabaseTest, AFileThatCannotBeReadIsReportedInPlainWordsAndLeftAsItWas) {
    const QString whole = dir.filePath("whole.s3db");
    SettingsDatabase{whole};
    const QByteArray wholeBytes = fileBytes(whole);
    QFile::remove(whole);
    QByteArray alteredSecondPage = wholeBytes;
    alteredSecondPage[1500] = char(~alteredSecondPage[1500]);

    const QString notReadable = QStringLiteral("file is encrypted or is not a database");
    const QString damaged = QStringLiteral("is damaged and cannot be read");
    const QString notOurs = QStringLiteral("is not this program's database: ");
    struct Case {
        const char* what;
        std::function<void(const QString&)> make;
        QString problem;
        QString sqliteText;
    };
    const Case cases[] = {
        {"text", [](const QString& p) { writeBytes(p, QByteArray(3000, 'z')); },
         "is not a database at all", notReadable},
        {"another key",
         [](const QString& p) { OutsideConnection(p, "other").exec("CREATE TABLE Settings (a)"); },
         "cannot be read with this program's key: it was encrypted with another key, or it is "
         "not this program's database",
         notReadable},
        {"plain SQLite",
         [](const QString& p) { OutsideConnection(p, nullptr).exec("CREATE TABLE Settings (a)"); },
         notOurs + "it is an unencrypted SQLite database", notReadable},
        {"no Settings table",
         [](const QString& p) { OutsideConnection(p).exec("CREATE TABLE Other (a)"); },
         notOurs + "it has no usable Settings table", "no such table: Settings"},
        {"cut within the first page",
         [&](const QString& p) { writeBytes(p, wholeBytes.left(500)); },
         damaged + ": part of it is missing", notReadable},
        {"cut after the first page",
         [&](const QString& p) { writeBytes(p, wholeBytes.left(1500)); }, damaged,
         "database disk image is malformed"},
        {"second page altered", [&](const QString& p) { writeBytes(p, alteredSecondPage); },
         damaged, "database disk image is malformed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(path);
        c.make(path);
        const QByteArray before = fileBytes(path);
        EXPECT_ERROR(SettingsDatabase{path}, QStringLiteral("The settings database \"%1\" %2. (%3)")
                                                 .arg(path, c.problem, c.sqliteText));
        EXPECT_EQ(fileBytes(path), before);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{"EcomDB.s3db"});
    }
}

// The write-ahead log of another database with a saved row, as a killed program leaves it.
QByteArray writeAheadLogWithARow() {
    QTemporaryDir other;
    SettingsDatabase database(other.filePath("EcomDB.s3db"));
    database.saveSettings(filledRow());
    return fileBytes(other.filePath("EcomDB.s3db-wal"));
}

TEST_F(SettingsDatabaseTest, AZeroByteFileIsReplacedByANewDatabase) {
    struct Case {
        const char* what;
        QStringList leftBehind;  // by an older build killed while creating the database
    };
    const Case cases[] = {
        {"zero-byte file", {"EcomDB.s3db"}},
        // Played back into the new file, an orphaned journal would undo its table, and an
        // orphaned write-ahead log would bring another database's pages.
        {"zero-byte file and its journal", {"EcomDB.s3db", "EcomDB.s3db-journal"}},
        {"journal alone", {"EcomDB.s3db-journal"}},
        {"write-ahead log alone", {"EcomDB.s3db-wal", "EcomDB.s3db-shm"}},
    };
    const QByteArray writeAheadLog = writeAheadLogWithARow();
    ASSERT_FALSE(writeAheadLog.isEmpty());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(path);
        for (const QString& name : c.leftBehind) {
            writeBytes(dir.filePath(name), name.endsWith("journal") ? QByteArray(512, 'j')
                                           : name.endsWith("wal")   ? writeAheadLog
                                                                    : "");
        }

        EXPECT_FALSE(SettingsDatabase(path).hasRow());
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{"EcomDB.s3db"});
        EXPECT_EQ(OutsideConnection(path).rows("SELECT count(*) FROM Settings"), QStringList{"0"});
    }
}

TEST_F(SettingsDatabaseTest, LeftoversOfAKilledCreationAreRemovedAndNeverTakenForTheDatabase) {
    const QString leftover = dir.filePath(".EcomDB.s3db.0123456789abcdef.new");
    {
        SettingsDatabase whole(leftover);  // a creation killed just before it was renamed
        whole.saveSettings(filledRow());
    }
    writeBytes(leftover + "-journal", QByteArray(512, 'j'));

    EXPECT_FALSE(SettingsDatabase(path).hasRow());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"EcomDB.s3db"});

    writeBytes(leftover, "");
    SettingsDatabase(path).saveSettings(filledRow());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"EcomDB.s3db"});
    EXPECT_EQ(SettingsDatabase(path).firstRow(), filledRow());
}

// Limits the size of files this process writes; a write beyond it fails as on a full disk.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        const rlimit limited{std::min(bytes, saved_.rlim_max), saved_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limited);
        signal(SIGXFSZ, SIG_IGN);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        signal(SIGXFSZ, SIG_DFL);
    }

  private:
    rlimit saved_{};
};

TEST_F(SettingsDatabaseTest, AFailedCreationLeavesNoFile) {
    struct Case {
        const char* what;
        std::function<QString(const QString& folder)> prepare;  // returns the database path
        rlim_t fileSizeLimit = RLIM_INFINITY;
    };
    const Case cases[] = {
        {"folder is a file",
         [](const QString& folder) {
             writeBytes(folder + "/plain", "x");
             return folder + "/plain/EcomDB.s3db";
         }},
        {"a directory has the database's name",
         [](const QString& folder) {
             QDir(folder).mkdir("EcomDB.s3db");
             return folder + "/EcomDB.s3db";
         }},
        {"a directory has the journal's name",
         [](const QString& folder) {
             QDir(folder).mkdir("EcomDB.s3db-journal");
             return folder + "/EcomDB.s3db";
         }},
        {"the disk fills up after the first page",
         [](const QString& folder) { return folder + "/EcomDB.s3db"; }, 1024},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir folder;
        const QString databasePath = c.prepare(folder.path());
        const auto entries = [&] {
            return QDir(folder.path())
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        };
        const QStringList before = entries();
        {
            const FileSizeLimit limit(c.fileSizeLimit);
            EXPECT_THROW(SettingsDatabase{databasePath}, Error);
        }
        EXPECT_EQ(entries(), before);
    }
}

TEST_F(SettingsDatabaseTest, AReadOnlyFolderGetsNoFile) {
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    if (access(QFile::encodeName(dir.path()).constData(), W_OK) == 0) {
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        GTEST_SKIP() << "folder permissions are not enforced for this user";
    }
    EXPECT_THROW(SettingsDatabase{path}, Error);
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

}  // namespace
