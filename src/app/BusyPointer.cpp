#include "BusyPointer.h"

#include <QApplication>

namespace norvan::app {

void setBusyPointer() {
    if (!QApplication::overrideCursor()) QApplication::setOverrideCursor(Qt::WaitCursor);
}

void setDefaultPointer() {
    if (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
}

bool isBusyPointerShown() {
    return QApplication::overrideCursor() != nullptr;
}

}  // namespace norvan::app
