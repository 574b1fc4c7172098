// window-screenshots: draws the window's four pages, as an operator sees them after a short
// session against the sample shop, into PNG files (docs/ of the repository).
// Usage: QT_QPA_PLATFORM=offscreen window-screenshots OUTPUT_FOLDER

#include "app/TfMain.h"
#include "common/TextFile.h"
#include "sample-shop/SampleShop.h"
#include "settings/SettingsDatabase.h"
#include "support/SampleShopSettings.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QPixmap>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextStream>

using namespace norvan;

namespace {

void writeSettings(const QString& folder, const QString& shopUrl) {
    settings::SettingsDatabase database(folder + settings::SettingsDatabase::kFileName);
    database.saveSettings(testing::sampleShopSettings(shopUrl, true));
    database.saveOrderMapping("id;billing.first_name;billing.last_name;billing.city;total;",
                              "sku;name;quantity;price;");
}

void grabPage(app::TfMain& window, QWidget* page, const QString& path) {
    window.setActivePage(page);
    QApplication::processEvents();
    if (!window.grab().save(path)) throw std::runtime_error("cannot write " + path.toStdString());
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: window-screenshots OUTPUT_FOLDER" << Qt::endl;
        return 2;
    }
    const QDir output(QString::fromLocal8Bit(argv[1]));
    try {
        sampleshop::SampleShop shop;
        shop.start();
        QTemporaryDir programFolder;
        const QString appPath = programFolder.path() + "/";
        writeSettings(appPath, QString::fromStdString(shop.baseUrl()));
        QDir(appPath).mkpath("Products");
        common::writeTextFile(appPath + "Products/P_20240102_0800.ecom",
                              QString::fromUtf8("A-1;25;true;0.5;155000;;0;\"چاي سبز ممتاز\"\r\n"
                                                "A-2;0;1;0.45;235000;220000;1;\"چاي سياه\"\r\n"));

        app::Environment environment = app::Environment::forProgram();
        environment.appPath = appPath;
        app::TfMain window(environment);
        window.show();

        window.setActivePage(window.tsSetting);
        window.pgMainChange();  // the settings page's viewing state
        window.Button2Click();
        grabPage(window, window.tsSetting, output.filePath("page-settings.png"));
        grabPage(window, window.tsMain, output.filePath("page-main.png"));

        window.btnGetOrdersClick();
        window.lstOrder->setCurrentRow(0);
        window.btnextractOrdersClick();
        window.btnToDexarAndChangeOrdersClick();
        grabPage(window, window.tsOrders, output.filePath("page-orders.png"));

        window.btnGetProductsClick();
        window.btnUpdateProductClick();
        window.lstProdTextFile->setCurrentRow(0);
        window.bLoadProdClick();
        grabPage(window, window.tsProduct, output.filePath("page-products.png"));
    } catch (const std::exception& e) {
        QTextStream(stderr) << "window-screenshots: " << e.what() << Qt::endl;
        return 1;
    }
    return 0;
}
