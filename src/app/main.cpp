#include "app/Environment.h"
#include "app/TfMain.h"

#include <QApplication>
#include <QScreen>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    norvan::app::TfMain fMain(norvan::app::Environment::forProgram());
    fMain.move(fMain.screen()->availableGeometry().center() - fMain.rect().center());
    fMain.show();
    return application.exec();
}
