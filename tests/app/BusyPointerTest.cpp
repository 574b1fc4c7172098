#include "app/BusyPointer.h"

#include <gtest/gtest.h>
#include <QApplication>

namespace norvan::app {
namespace {

TEST(BusyPointerTest, OneDefaultUndoesAnyNumberOfBusy) {
    setBusyPointer();
    setBusyPointer();
    EXPECT_TRUE(isBusyPointerShown());
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);

    setDefaultPointer();
    EXPECT_FALSE(isBusyPointerShown());
    setDefaultPointer();  // already default: nothing to undo
    EXPECT_FALSE(isBusyPointerShown());
}

}  // namespace
}  // namespace norvan::app
