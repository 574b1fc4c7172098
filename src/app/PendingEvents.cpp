#include "PendingEvents.h"

#include <QCoreApplication>

namespace norvan::app {

void processPendingEvents() {
    QCoreApplication::processEvents();
}

}  // namespace norvan::app
