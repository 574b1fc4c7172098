#include "app/TextPaneView.h"

#include <gtest/gtest.h>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextCursor>

namespace norvan::app {
namespace {

TEST(TextPaneViewTest, AppendedLinesEndWithCrLfAndShowAsLines) {
    TextPaneView pane;
    pane.appendLine(QStringLiteral("---BEGIN"));
    pane.appendLine(QString());
    pane.appendLine(QStringLiteral("سفارش 12"));

    EXPECT_EQ(pane.text(), QStringLiteral("---BEGIN\r\n\r\nسفارش 12\r\n"));
    EXPECT_EQ(pane.toPlainText(), QStringLiteral("---BEGIN\n\nسفارش 12\n"));
    EXPECT_EQ(pane.lineCount(), 3);
    EXPECT_EQ(pane.line(2), QStringLiteral("سفارش 12"));
}

TEST(TextPaneViewTest, AppendingAddsToTheShownTextWithoutReplacingIt) {
    TextPaneView pane;
    pane.appendLine(QStringLiteral("first"));
    QTextCursor afterFirst(pane.document());
    afterFirst.setPosition(5);
    QSignalSpy changes(pane.document(), &QTextDocument::contentsChange);

    pane.appendLine(QStringLiteral("second"));

    ASSERT_EQ(changes.size(), 1);
    EXPECT_EQ(changes[0][0].toInt(), 6);  // at the end of "first\n"
    EXPECT_EQ(changes[0][1].toInt(), 0);  // nothing removed
    EXPECT_EQ(afterFirst.position(), 5);
}

TEST(TextPaneViewTest, SetTextAndClearKeepModelAndEditorAlike) {
    TextPaneView pane;
    pane.setText(QStringLiteral("a\nb\rc"));
    EXPECT_EQ(pane.text(), QStringLiteral("a\r\nb\r\nc"));
    EXPECT_EQ(pane.toPlainText(), QStringLiteral("a\nb\nc"));

    pane.appendLine(QStringLiteral("d"));  // the text ends inside a line: a line end comes first
    EXPECT_EQ(pane.text(), QStringLiteral("a\r\nb\r\nc\r\nd"));
    EXPECT_EQ(pane.toPlainText(), QStringLiteral("a\nb\nc\nd"));

    pane.clear();
    EXPECT_TRUE(pane.text().isEmpty());
    EXPECT_TRUE(pane.toPlainText().isEmpty());
}

}  // namespace
}  // namespace norvan::app
