#include "common/Error.h"
#include "products/ProductFile.h"
#include "products/ProductIntake.h"
#include "settings/SettingsDatabase.h"
#include "settings/SqliteStatement.h"
#include "support/Printers.h"
#include "support/TempProgramFolder.h"

#include <gtest/gtest.h>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>

namespace norvan::products {
namespace {

using namespace std::chrono_literals;

class ProductIntakeTest : public ::testing::Test {
  protected:
    void SetUp() override { folder.makeFolder("Products"); }

    void write(const QString& name, const QByteArray& bytes) const {
        folder.writeBytes("Products/" + name, bytes);
    }
    bool exists(const QString& name) const {
        return QFileInfo::exists(folder.filePath("Products/" + name));
    }

    // An intake whose pause between its two looks at the files does what onPause says.
    ProductIntake intake() {
        return ProductIntake(folder.path(), kept, [this](std::chrono::milliseconds pause) {
            pauses.push_back(pause);
            if (onPause) onPause();
        });
    }
    // Takes what a new intake finds, step by step; the lines each step kept.
    QList<QStringList> takeAll() {
        ProductIntake taking = intake();
        QList<QStringList> steps;
        while (const std::optional<IntakeStep> step = taking.takeStep()) steps.append(step->kept);
        return steps;
    }
    QStringList keptLines() const {
        QStringList lines;
        for (const settings::KeptProductLine& line : kept.lines()) lines.append(line.line);
        return lines;
    }
    // The shop confirmed every kept line but those of `failed`.
    void deliverAllBut(const QString& failed) {
        QList<qint64> ids;
        for (const settings::KeptProductLine& line : kept.lines())
            if (line.line != failed) ids.append(line.id);
        kept.remove(ids);
    }

    testing::TempProgramFolder folder;
    settings::SettingsDatabase database{folder.filePath("EcomDB.s3db")};
    settings::KeptProductLines kept{database.connection()};
    std::vector<std::chrono::milliseconds> pauses;
    std::function<void()> onPause;
};

TEST_F(ProductIntakeTest, TakesEveryFileOldestNameFirstAndDeletesEachOnceItsLinesAreKept) {
    write("P_20240102_0800.ecom", "B;2;1;0;10;;0\r\n");
    write("P_20240101_0900.ecom", "A;1;1;0;10;;0");  // no final line end
    write("zz.txt", "C;3;1;0;10;;0\r\n");
    folder.makeFolder("Products/zz.ecom");  // a folder is never a file
    write("zz.ecom/zz.ecom", "D;4;1;0;10;;0\r\n");
    ProductIntake taking = intake();
    EXPECT_EQ(pauses, std::vector{kCompleteFileLooksApart});

    std::optional<IntakeStep> step = taking.takeStep();
    ASSERT_TRUE(step);
    EXPECT_EQ(step->file, "P_20240101_0900.ecom");
    EXPECT_EQ(step->kept, QStringList{"A;1;1;0;10;;0"});
    EXPECT_EQ(keptLines(), QStringList{"A;1;1;0;10;;0"});
    EXPECT_FALSE(exists("P_20240101_0900.ecom"));
    EXPECT_TRUE(exists("P_20240102_0800.ecom"));

    step = taking.takeStep();
    ASSERT_TRUE(step);
    EXPECT_EQ(step->kept, QStringList{"B;2;1;0;10;;0"});
    EXPECT_FALSE(exists("P_20240102_0800.ecom"));
    EXPECT_FALSE(taking.takeStep());
    EXPECT_EQ(keptLines(), QStringList({"A;1;1;0;10;;0", "B;2;1;0;10;;0"}));
    EXPECT_TRUE(exists("zz.ecom/zz.ecom"));
    EXPECT_TRUE(exists("zz.txt"));
}

TEST_F(ProductIntakeTest, AFileWhoseLinesCannotBeKeptStays) {
    write("A.ecom", "A;1;1;0;10;;0\r\n");
    settings::executeSql(database.connection(), "DROP TABLE KeptProductLines");
    ProductIntake taking = intake();
    EXPECT_THROW(taking.takeStep(), Error);
    EXPECT_TRUE(exists("A.ecom"));
}

// A file whose date lies (a clock set back) is taken at once; one that grows between the two
// looks waits without holding back the files after it, and once taken brings no value older than
// theirs, whether they are still kept or already delivered.
TEST_F(ProductIntakeTest, OnlyAFileThatChangesWaitsAndItsOlderLinesNeverComeLast) {
    write("P_1.ecom", "A;1;1;0;10;;0\r\nC;1;1;0;10;;0\r\n");
    write("P_2.ecom", "A;2;1;0;10;;0\r\nB;2;1;0;10;;0\r\nE;2;1;0;10;;0\r\n");
    write("P_3.ecom", "A;3;1;0;10;;0\r\nE;3;1;0;10;;0\r\n");
    write("P_4.ecom", "B;4;1;0;10;;0\r\n");
    folder.setModified("Products/P_3.ecom", QDateTime::currentDateTime().addSecs(3600));
    onPause = [this] {
        QFile growing(folder.filePath("Products/P_2.ecom"));
        ASSERT_TRUE(growing.open(QIODevice::Append));
        growing.write("D;2;1;0;10;;0\r\n");
    };
    {
        ProductIntake taking = intake();
        EXPECT_EQ(taking.filesLeft(), QStringList{"P_2.ecom"});
        while (taking.takeStep()) {
        }
    }
    EXPECT_EQ(keptLines(),
              QStringList({"C;1;1;0;10;;0", "A;3;1;0;10;;0", "E;3;1;0;10;;0", "B;4;1;0;10;;0"}));
    deliverAllBut("E;3;1;0;10;;0");  // E's newest line failed in transit and is still kept
    onPause = nullptr;
    ProductIntake taking = intake();
    EXPECT_TRUE(taking.filesLeft().isEmpty());
    const std::optional<IntakeStep> older = taking.takeStep();
    ASSERT_TRUE(older);
    EXPECT_EQ(older->file, "P_2.ecom");
    EXPECT_EQ(older->kept, QStringList{"D;2;1;0;10;;0"});
    EXPECT_EQ(older->leftOut, 3);
    EXPECT_FALSE(taking.takeStep());
    EXPECT_EQ(keptLines(), QStringList({"E;3;1;0;10;;0", "D;2;1;0;10;;0"}));
    EXPECT_FALSE(exists("P_2.ecom"));

    // Taken, it holds nothing back any more: a new file of that name brings its lines.
    write("P_2.ecom", "A;6;1;0;10;;0\r\n");
    EXPECT_EQ(takeAll(), QList<QStringList>{{"A;6;1;0;10;;0"}});
}

// A file longer than a step is kept step by step; its lines never replace one another.
TEST_F(ProductIntakeTest, AFileLongerThanAStepIsTakenInStepsAndDeletedAfterTheLast) {
    QByteArray bytes = "S;1;1;0;10;;0\r\n";
    for (qsizetype i = 1; i < kLinesPerStep; ++i) bytes += "X" + QByteArray::number(i) + ";1\r\n";
    bytes += "\r\ns;2;1;0;10;;0";
    write("P.ecom", bytes);
    ProductIntake taking = intake();

    const std::optional<IntakeStep> first = taking.takeStep();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->lines.size(), kLinesPerStep);
    EXPECT_EQ(kept.countAfter(0), kLinesPerStep);
    EXPECT_TRUE(exists("P.ecom"));

    const std::optional<IntakeStep> last = taking.takeStep();
    ASSERT_TRUE(last);
    EXPECT_EQ(last->lines, QStringList({"", "s;2;1;0;10;;0"}));
    EXPECT_EQ(last->kept, QStringList{"s;2;1;0;10;;0"});
    EXPECT_FALSE(exists("P.ecom"));
    EXPECT_EQ(kept.countAfter(0), kLinesPerStep + 1);
    EXPECT_EQ(keptLines().first(), "S;1;1;0;10;;0");
}

TEST_F(ProductIntakeTest, NamesSortIgnoringCaseWithDigitsOneAtATime) {
    const struct {
        QStringList names;
        QString takenFirst;
    } cases[] = {{{"P_9.ecom", "P_10.ecom"}, "P_10.ecom"},
                 {{"B.ecom", "a.ecom"}, "a.ecom"},
                 {{"b.ecom", "A.ecom"}, "A.ecom"}};
    for (const auto& c : cases) {
        for (const QString& name : c.names) write(name, name.toUtf8() + ";1;1;0;1;;0");
        EXPECT_EQ(takeAll().value(0), QStringList{c.takenFirst + ";1;1;0;1;;0"});
    }
}

TEST_F(ProductIntakeTest, DropsEmptyLinesAndDecodesByByteOrderMark) {
    const QString longLine(5000, u'x');
    const struct {
        const char* what;
        QByteArray bytes;
        QStringList lines;
    } cases[] = {
        {"empty lines",
         "A;1;1;0;10;;0;X\r\n\r\nB;2;0;0;20;15;0\r\n",
         {"A;1;1;0;10;;0;X", "B;2;0;0;20;15;0"}},
        {"blanks kept, lone CR and LF", "A\r\r   \n\nB", {"A", "   ", "B"}},
        {"UTF-8 mark", "\xEF\xBB\xBF\xDB\x8C-1;1\r\n", {QString::fromUtf8("\xDB\x8C-1;1")}},
        {"Windows-1256", "\xD3\xE1\xC7\xE3;1\r\n", {QString::fromUtf8("سلام;1")}},
        {"long line", longLine.toLatin1() + "\r\nB", {longLine.left(4096), "B"}},
    };
    for (const auto& c : cases) {
        write("P.ecom", c.bytes);
        EXPECT_EQ(takeAll(), QList<QStringList>{c.lines}) << c.what;
    }
}

TEST(ProductFolderMissing, IsQuietAndNeverCreated) {
    testing::TempProgramFolder folder;
    settings::SettingsDatabase database(folder.filePath("EcomDB.s3db"));
    settings::KeptProductLines kept(database.connection());
    bool paused = false;
    ProductIntake taking(folder.path(), kept, [&](auto) { paused = true; });
    EXPECT_FALSE(taking.hasFilesToTake());
    EXPECT_FALSE(taking.takeStep());
    EXPECT_FALSE(paused);
    EXPECT_FALSE(QFileInfo::exists(productFolder(folder.path())));
}

TEST_F(ProductIntakeTest, FileThatCannotBeReadStaysForTheNextRun) {
    // A link whose target is gone is listed but cannot be opened, also for root.
    write("A.ecom", "A;1;1;0;10;;0\r\n");
    ASSERT_TRUE(QFile::link(folder.filePath("Products/gone"), folder.filePath("Products/Z.ecom")));
    ProductIntake taking = intake();

    EXPECT_TRUE(taking.takeStep());
    EXPECT_THROW(taking.takeStep(), Error);
    EXPECT_TRUE(QFileInfo(folder.filePath("Products/Z.ecom")).isSymLink());
    // The files before it were kept and taken.
    EXPECT_EQ(keptLines(), QStringList{"A;1;1;0;10;;0"});
    EXPECT_FALSE(exists("A.ecom"));
}

}  // namespace
}  // namespace norvan::products
