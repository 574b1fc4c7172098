#include "app/NameValueGrid.h"

#include <gtest/gtest.h>

namespace norvan::app {
namespace {

QString shown(const NameValueGrid& grid, int row, int column) {
    return grid.model()->index(row, column).data().toString();
}

TEST(NameValueGridTest, GridShowsTheRowsOfItsListAsNameAndValue) {
    NameValueGrid grid;
    grid.add(QStringLiteral("billing/first_name=علی"));
    grid.addPair(QStringLiteral("total"), QStringLiteral("a=b"));
    grid.add(QStringLiteral("no equals sign"));

    ASSERT_EQ(grid.model()->rowCount(), 3);
    EXPECT_EQ(grid.rowCount(), 3);
    EXPECT_EQ(shown(grid, 0, 0), "billing/first_name");
    EXPECT_EQ(shown(grid, 0, 1), QStringLiteral("علی"));
    EXPECT_EQ(shown(grid, 1, 1), "a=b");
    EXPECT_EQ(shown(grid, 2, 0), "no equals sign");
    EXPECT_EQ(shown(grid, 2, 1), "");
    EXPECT_EQ(grid.list().value(QStringLiteral("TOTAL")), "a=b");

    grid.clear();
    EXPECT_EQ(grid.model()->rowCount(), 0);
    EXPECT_TRUE(grid.list().isEmpty());
}

TEST(NameValueGridTest, SetListReplacesEveryRow) {
    NameValueGrid grid;
    grid.add(QStringLiteral("old=1"));
    common::NameValueList list;
    list.add(QStringLiteral("sku=A-1"));
    list.add(QStringLiteral("price=10"));

    grid.setList(list);

    EXPECT_EQ(grid.list().rows(), list.rows());
    EXPECT_EQ(grid.model()->rowCount(), 2);
    EXPECT_EQ(shown(grid, 1, 0), "price");
}

// A customer note of megabytes would hold the window for minutes while the grid laid it out.
TEST(NameValueGridTest, ACellShowsAtMostTheStartOfItsTextAndTheListKeepsItWhole) {
    const struct {
        qsizetype length;
        QString shownEnd;  // what the cell shows after the characters of the text
    } cases[] = {
        {4096, ""},
        {4097, QStringLiteral(" … [cut: 4097 characters in all]")},
        {5000000, QStringLiteral(" … [cut: 5000000 characters in all]")},
    };
    for (const auto& c : cases) {
        NameValueGrid grid;
        const QString text(c.length, u'x');
        grid.addPair(QStringLiteral("customer_note"), text);
        grid.add(text);  // a name as long

        EXPECT_EQ(shown(grid, 0, 1), text.left(4096) + c.shownEnd) << c.length;
        EXPECT_EQ(shown(grid, 1, 0), text.left(4096) + c.shownEnd) << c.length;
        EXPECT_EQ(grid.list().value(QStringLiteral("customer_note")), text) << c.length;
    }
}

}  // namespace
}  // namespace norvan::app
