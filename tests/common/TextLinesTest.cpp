#include "common/TextLines.h"
#include "common/TextPane.h"

#include <gtest/gtest.h>

using namespace norvan::common;

TEST(TextLines, LineEndsAndJoining) {
    EXPECT_EQ(splitLines("a\rb\n\n"), (QStringList{"a", "b", ""}));
    EXPECT_EQ(splitLines("a\r\n"), QStringList{"a"});
    EXPECT_EQ(splitLines("a\n\rb"), (QStringList{"a", "", "b"}));  // LF CR is two line ends
    EXPECT_TRUE(splitLines("").isEmpty());
    EXPECT_EQ(joinLines({"a", "b"}), "a\r\nb\r\n");
    EXPECT_EQ(joinLines({}), "");
}

TEST(TextLines, WholeTextLookupIgnoresCaseOnly) {
    const QStringList items{"billing.first_name", "total"};
    EXPECT_EQ(indexOfText(items, "BILLING.FIRST_NAME"), 0);
    EXPECT_EQ(indexOfText(items, "billing"), -1);
}

TEST(TextPane, AppendAndSetTextKeepCrLf) {
    TextPane pane;
    pane.appendLine("one");
    pane.appendLine("two");
    EXPECT_EQ(pane.text(), "one\r\ntwo\r\n");
    EXPECT_EQ(pane.lineCount(), 2);

    pane.setText("x\ny\rz");
    EXPECT_EQ(pane.text(), "x\r\ny\r\nz");
    EXPECT_EQ(pane.appendLine("w"), "\r\nw");  // no line end yet: one goes first
    EXPECT_EQ(pane.text(), "x\r\ny\r\nz\r\nw");

    pane.setText(QString(5000, u'a') + "\r\n");
    EXPECT_EQ(pane.line(0).size(), TextPane::kMaxLineRead);
    EXPECT_EQ(pane.lines().at(0).size(), TextPane::kMaxLineRead);
}
