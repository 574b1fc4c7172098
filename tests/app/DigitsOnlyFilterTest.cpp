#include "app/DigitsOnlyFilter.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

namespace norvan::app {
namespace {

TEST(DigitsOnlyFilterTest, TypingKeepsOnlyDigits) {
    QLineEdit box;
    DigitsOnlyFilter::install(&box);
    QTest::keyClicks(&box, QStringLiteral("1a2 -3"));
    // A Persian digit from a Persian keyboard layout is no digit the period boxes take.
    QKeyEvent persianFour(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("۴"));
    QApplication::sendEvent(&box, &persianFour);
    EXPECT_EQ(box.text(), "123");

    QTest::keyClick(&box, Qt::Key_Backspace);
    EXPECT_EQ(box.text(), "12");
}

TEST(DigitsOnlyFilterTest, TextSetOrInsertedByTheProgramIsNotFiltered) {
    QLineEdit box;
    DigitsOnlyFilter::install(&box);
    box.setText(QStringLiteral("abc"));
    EXPECT_EQ(box.text(), "abc");
    box.insert(QStringLiteral("-5"));  // as a paste inserts
    EXPECT_EQ(box.text(), "abc-5");
}

}  // namespace
}  // namespace norvan::app
