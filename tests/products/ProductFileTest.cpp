#include "products/ProductFile.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace norvan::products {
namespace {

class ProductFolder : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(appDir_.isValid());
        ASSERT_TRUE(QDir(appDir_.path()).mkdir(QStringLiteral("Products")));
    }

    QString folder() const { return productFolder(appDir_.path() + u'/'); }

    void write(const QString& name, const QByteArray& bytes) const {
        QFile file(folder() + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QTemporaryDir appDir_;
};

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

}  // namespace
}  // namespace norvan::products
