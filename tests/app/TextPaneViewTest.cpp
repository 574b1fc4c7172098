#include "app/TextPaneView.h"
#include "support/Printers.h"

#include <gtest/gtest.h>
#include <QSignalSpy>
#include <QTest>
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

// The text as the editor shows it: "\n" ends its lines.
QString shownForm(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// A shown pane takes the lines of a frame into the editor together; its text is complete at once.
TEST(TextPaneViewTest, AShownPaneKeepsEveryLineInOrderAndShowsThemAtTheEndOfTheFrame) {
    QStringList many;
    for (int i = 1; i <= 3000; ++i)
        many.append(QStringLiteral("---Create JSON  /Product id: %1").arg(i));
    const struct {
        const char* name;
        QString before;  // set as the pane's whole text first
        QStringList appended;
        QString text;
    } cases[] = {
        {"into an empty pane", {}, {"---BEGIN", "", "سفارش 12"}, "---BEGIN\r\n\r\nسفارش 12\r\n"},
        {"after a text ending inside a line", "a\nb", {"c", "d"}, "a\r\nb\r\nc\r\nd"},
        {"thousands of lines", {}, many, many.join(QStringLiteral("\r\n")) + "\r\n"},
    };
    for (const auto& c : cases) {
        TextPaneView pane;
        pane.show();
        pane.setText(c.before);
        const QString shownBefore = pane.QPlainTextEdit::toPlainText();

        for (const QString& line : c.appended) pane.appendLine(line);

        EXPECT_EQ(pane.text(), c.text) << c.name;  // read mid-run: complete, in order
        EXPECT_EQ(pane.lines().mid(pane.lineCount() - c.appended.size()), c.appended) << c.name;
        EXPECT_EQ(pane.QPlainTextEdit::toPlainText(), shownBefore) << c.name;  // not yet shown
        EXPECT_TRUE(QTest::qWaitFor([&] {
            return pane.QPlainTextEdit::toPlainText() == shownForm(c.text);
        })) << c.name;
    }
}

// The order file's view wraps its lines: a line of megabytes would hold the window for minutes.
TEST(TextPaneViewTest, AVeryLongLineShowsItsStartAndThePaneKeepsItWhole) {
    const QString longLine(5000, u'y');
    const QString cut = longLine.left(4096) + QStringLiteral(" … [cut: 5000 characters in all]");
    TextPaneView pane;
    pane.setText(QStringLiteral("^15&") + longLine + QStringLiteral("^\r\n") + QString(4096, u'z'));
    pane.appendLine(longLine);

    // The text ended inside a line: the appended line came after a line end.
    EXPECT_EQ(pane.text(), QStringLiteral("^15&") + longLine + QStringLiteral("^\r\n") +
                               QString(4096, u'z') + QStringLiteral("\r\n") + longLine);
    const QStringList shownLines = pane.toPlainText().split(u'\n');
    EXPECT_EQ(shownLines, QStringList({QStringLiteral("^15&") + longLine.left(4092) +
                                           QStringLiteral(" … [cut: 5005 characters in all]"),
                                       QString(4096, u'z'), cut}));
}

TEST(TextPaneViewTest, ReadingTheShownTextBringsTheEditorUpToTheLastLine) {
    TextPaneView pane;
    pane.show();
    pane.appendLine(QStringLiteral("dropped"));
    pane.clear();  // lines waiting for their frame go with the text
    for (const char* line : {"first", "second", "third"}) pane.appendLine(QString::fromUtf8(line));

    EXPECT_EQ(pane.toPlainText(), QStringLiteral("first\nsecond\nthird\n"));
    EXPECT_EQ(pane.QPlainTextEdit::toPlainText(), QStringLiteral("first\nsecond\nthird\n"));
}

}  // namespace
}  // namespace norvan::app
