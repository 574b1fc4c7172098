#include "common/Error.h"
#include "products/ProductFile.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace norvan::products {
namespace {

// When the test's files were last written, and a clock well after it.
const QDateTime kWritten(QDate(2024, 3, 5), QTime(14, 0, 0));
const common::Clock kLater = [] { return kWritten.addSecs(60); };

class ProductFolder : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(appDir_.isValid());
        ASSERT_TRUE(QDir(appDir_.path()).mkdir(QStringLiteral("Products")));
    }

    QString appPath() const { return appDir_.path() + u'/'; }
    QString folder() const { return productFolder(appPath()); }

    void write(const QString& name, const QByteArray& bytes,
               const QDateTime& modified = kWritten) const {
        QFile file(folder() + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
        ASSERT_TRUE(file.flush());  // a later write would stamp the file anew
        ASSERT_TRUE(file.setFileTime(modified, QFileDevice::FileModificationTime));
    }
    bool exists(const QString& name) const { return QFile::exists(folder() + name); }

    // Takes the files, recording every batch of lines handed over to be kept.
    ProductIntake take(const common::Clock& clock = kLater) {
        return takeProductFiles(
            appPath(), prodFiles_, [this](const QStringList& lines) { kept_.append(lines); },
            clock);
    }

    QTemporaryDir appDir_;
    common::TextPane prodFiles_;
    QList<QStringList> kept_;
};

TEST_F(ProductFolder, TakesEveryFileOldestNameFirstAndDeletesEachOnceKept) {
    write(QStringLiteral("P_20240102_0800.ecom"), "B;2;1;0;10;;0\r\n");
    write(QStringLiteral("P_20240101_0900.ecom"), "A;1;1;0;10;;0");  // no final line end
    write(QStringLiteral("zz.txt"), "C;3;1;0;10;;0\r\n");
    ASSERT_TRUE(QDir(folder()).mkpath(QStringLiteral("zz.ecom")));  // a folder is never a file
    write(QStringLiteral("zz.ecom/zz.ecom"), "D;4;1;0;10;;0\r\n");
    QStringList presentWhenKept;
    const KeepLines keep = [&](const QStringList& lines) {
        kept_.append(lines);
        for (const QString& name : QDir(folder()).entryList({"P_*.ecom"})) presentWhenKept << name;
    };

    const ProductIntake intake = takeProductFiles(appPath(), prodFiles_, keep, kLater);

    EXPECT_EQ(intake.lines, QStringList({"A;1;1;0;10;;0", "B;2;1;0;10;;0"}));
    EXPECT_TRUE(intake.fileLeft.isEmpty());
    EXPECT_EQ(kept_, QList<QStringList>({{"A;1;1;0;10;;0"}, {"B;2;1;0;10;;0"}}));
    // Each file was still there while its lines were kept.
    EXPECT_EQ(presentWhenKept, QStringList({"P_20240101_0900.ecom", "P_20240102_0800.ecom",
                                            "P_20240102_0800.ecom"}));
    EXPECT_FALSE(exists(QStringLiteral("P_20240101_0900.ecom")));
    EXPECT_FALSE(exists(QStringLiteral("P_20240102_0800.ecom")));
    EXPECT_EQ(prodFiles_.text(), QStringLiteral("A;1;1;0;10;;0\r\nB;2;1;0;10;;0\r\n"));

    // Nothing left: no lines, and the pane keeps the text of the files read last.
    EXPECT_TRUE(take().lines.isEmpty());
    EXPECT_EQ(prodFiles_.text(), QStringLiteral("A;1;1;0;10;;0\r\nB;2;1;0;10;;0\r\n"));
    EXPECT_TRUE(exists(QStringLiteral("zz.ecom/zz.ecom")));
    EXPECT_TRUE(exists(QStringLiteral("zz.txt")));
}

TEST_F(ProductFolder, AFileWhoseLinesCannotBeKeptStays) {
    write(QStringLiteral("A.ecom"), "A;1;1;0;10;;0\r\n");
    const KeepLines failing = [](const QStringList&) { throw Error(QStringLiteral("disk full")); };
    EXPECT_THROW(takeProductFiles(appPath(), prodFiles_, failing, kLater), Error);
    EXPECT_TRUE(exists(QStringLiteral("A.ecom")));
}

TEST_F(ProductFolder, AFileStillBeingWrittenAndThoseAfterItWait) {
    write(QStringLiteral("P_1.ecom"), "A;1;1;0;10;;0\r\n");
    write(QStringLiteral("P_2.ecom"), "A;2;1;0;10;;0\r\n", kWritten.addSecs(59));
    write(QStringLiteral("P_3.ecom"), "A;3;1;0;10;;0\r\n");

    const ProductIntake early = take();  // P_2 was written one second ago
    EXPECT_EQ(early.lines, QStringList{"A;1;1;0;10;;0"});
    EXPECT_EQ(early.fileLeft, QStringLiteral("P_2.ecom"));
    EXPECT_TRUE(exists(QStringLiteral("P_2.ecom")));
    EXPECT_TRUE(exists(QStringLiteral("P_3.ecom")));

    const ProductIntake later = take([] { return kWritten.addSecs(61); });
    EXPECT_EQ(later.lines, QStringList({"A;2;1;0;10;;0", "A;3;1;0;10;;0"}));
    EXPECT_TRUE(later.fileLeft.isEmpty());
}

TEST_F(ProductFolder, NamesSortIgnoringCaseWithDigitsOneAtATime) {
    const struct {
        QStringList names;
        QString takenFirst;
    } cases[] = {{{"P_9.ecom", "P_10.ecom"}, "P_10.ecom"},
                 {{"B.ecom", "a.ecom"}, "a.ecom"},
                 {{"b.ecom", "A.ecom"}, "A.ecom"}};
    for (const auto& c : cases) {
        for (const QString& name : c.names) write(name, name.toUtf8() + ";1;1;0;1;;0");
        EXPECT_EQ(take().lines.value(0), c.takenFirst + ";1;1;0;1;;0");
    }
}

TEST_F(ProductFolder, FindFilesListsEveryKindOfFileButNoFolders) {
    write(QStringLiteral("plain.ecom"), "x");
    write(QStringLiteral(".hidden.ecom"), "x");
    write(QStringLiteral("UPPER.ECOM"), "x");
    write(QStringLiteral("readonly.ecom"), "x");
    QFile::setPermissions(folder() + "readonly.ecom", QFile::ReadOwner);
    write(QStringLiteral("other.ecom.bak"), "x");
    ASSERT_TRUE(QDir(folder()).mkpath(QStringLiteral("old.ecom")));
    write(QStringLiteral("old.ecom/inner.ecom"), "x");

    QStringList files = FindFiles(folder(), QStringLiteral("*.ecom"));
    files.sort();
    const QStringList expected = {folder() + ".hidden.ecom", folder() + "UPPER.ECOM",
                                  folder() + "plain.ecom", folder() + "readonly.ecom"};
    EXPECT_EQ(files, expected);
}

TEST_F(ProductFolder, DropsEmptyLinesAndDecodesByByteOrderMark) {
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
        write(QStringLiteral("P.ecom"), c.bytes);
        EXPECT_EQ(take().lines, c.lines) << c.what;
    }
}

TEST(ProductFolderMissing, IsQuietAndNeverCreated) {
    QTemporaryDir appDir;
    common::TextPane prodFiles;
    prodFiles.setText(QStringLiteral("earlier"));
    const QString appPath = appDir.path() + u'/';
    EXPECT_TRUE(takeProductFiles(
                    appPath, prodFiles, [](const QStringList&) {}, kLater)
                    .lines.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(productFolder(appPath)));
    EXPECT_EQ(prodFiles.text(), QStringLiteral("earlier"));
}

TEST_F(ProductFolder, FileThatCannotBeReadStaysForTheNextRun) {
    // A link whose target is gone is listed but cannot be opened, also for root.
    write(QStringLiteral("A.ecom"), "A;1;1;0;10;;0\r\n");
    ASSERT_TRUE(QFile::link(folder() + "gone", folder() + "Z.ecom"));
    prodFiles_.setText(QStringLiteral("earlier"));

    EXPECT_THROW(take(), Error);
    EXPECT_TRUE(QFileInfo(folder() + "Z.ecom").isSymLink());
    // The files before it were kept and taken.
    EXPECT_EQ(kept_, QList<QStringList>{{"A;1;1;0;10;;0"}});
    EXPECT_FALSE(exists(QStringLiteral("A.ecom")));
    EXPECT_EQ(prodFiles_.text(), QStringLiteral("A;1;1;0;10;;0\r\n"));
}

}  // namespace
}  // namespace norvan::products
