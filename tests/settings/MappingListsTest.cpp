#include "MappingLists.h"
#include "NormalisedAddress.h"

#include "support/Printers.h"

#include <gtest/gtest.h>

using norvan::settings::mappingListsFromRow;
using norvan::settings::normalisedAddress;
using norvan::settings::orderMappingText;
using norvan::settings::SettingsRow;

namespace {

TEST(MappingListsTest, TheRowFillsTheListsInItsOrder) {
    const struct {
        const char* what;
        QString prodParams, ordParams, itemParams;
        QStringList wooProduct, headToDexar, itemToDexar;
    } cases[] = {
        {"empty row", "", "", "", {}, {}, {}},
        {"trailing delimiter adds nothing", "", "a;b;", "", {}, {"a", "b"}, {}},
        {"empty fields skipped, duplicates kept", "", ";a;;a", "x;;y;", {}, {"a", "a"}, {"x", "y"}},
        {"a blank splits an item", "", "billing first;id", "", {}, {"billing", "first", "id"}, {}},
        {"quoted item keeps its blank",
         "",
         "\"billing first\";id",
         "",
         {},
         {"billing first", "id"},
         {}},
        {"ProdParams wins", "p1;p2", "a;", "b;", {"p1", "p2"}, {}, {}},
        {"itemParams alone is not loaded", "", "", "b;", {}, {}, {}},
    };
    for (const auto& c : cases) {
        SettingsRow row;
        row.prodParams = c.prodParams;
        row.ordParams = c.ordParams;
        row.itemParams = c.itemParams;
        const auto lists = mappingListsFromRow(row);
        EXPECT_EQ(lists.wooProduct, c.wooProduct) << c.what;
        EXPECT_EQ(lists.headToDexar, c.headToDexar) << c.what;
        EXPECT_EQ(lists.itemToDexar, c.itemToDexar) << c.what;
    }
}

TEST(MappingListsTest, OrderMappingTextEndsEveryEntryWithTheDelimiter) {
    EXPECT_EQ(orderMappingText({}), "");
    EXPECT_EQ(orderMappingText({"id", "line_items/0/sku"}), "id;line_items/0/sku;");
    SettingsRow row;
    row.ordParams = orderMappingText({"id", "total"});
    EXPECT_EQ(mappingListsFromRow(row).headToDexar, (QStringList{"id", "total"}));
}

TEST(NormalisedAddressTest, AppendsOneSlashUnlessThereIsOne) {
    const struct {
        QString text, expected;
    } cases[] = {{"abc", "abc/"}, {"abc/", "abc/"}, {"//", "//"}, {"", "/"}, {"a/b ", "a/b /"}};
    for (const auto& c : cases)
        EXPECT_EQ(normalisedAddress(c.text), c.expected) << c.text.toStdString();
}

}  // namespace
