#include "Environment.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

namespace norvan::app {

namespace {

void showModalBox(QMessageBox::Icon icon, const QString& caption, const QString& text) {
    QMessageBox box(icon, caption, text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

}  // namespace

Environment Environment::forProgram() {
    return Environment{
        .appPath = QCoreApplication::applicationDirPath() + u'/',
        .errorBox = [](const QString& caption,
                       const QString& text) { showModalBox(QMessageBox::Critical, caption, text); },
        .messageBox = [](const QString& caption,
                         const QString& text) { showModalBox(QMessageBox::NoIcon, caption, text); },
        .openFile =
            [](const QString& path) { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); },
        .clock = common::systemClock(),
        .pause = shop::pauseResponsively,
    };
}

}  // namespace norvan::app
