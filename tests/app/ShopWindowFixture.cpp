#include "ShopWindowFixture.h"

#include "automation/UnattendedCycle.h"
#include "support/SettingsSeed.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace norvan::app {

settings::SettingsRow ShopWindowFixture::shopSettings() const {
    const sampleshop::Options keys;
    settings::SettingsRow row;
    row.tokenUrl = QStringLiteral("/");
    row.ecomUrl = baseUrl();
    row.siteUser = QString::fromStdString(keys.consumerKey);
    row.sitePass = QString::fromStdString(keys.consumerSecret);
    row.prodRes = QStringLiteral("products/");
    row.orderRes = QStringLiteral("orders/");
    row.itemTitle = QStringLiteral("line_items");
    row.statusAz = QStringLiteral("processing");
    row.statusTo = QStringLiteral("completed");
    return row;
}

TfMain& ShopWindowFixture::startShopWindow(const settings::SettingsRow& row) {
    testing::seedSettings(folder, row);
    return startWindow();
}

void ShopWindowFixture::waitForRuns(TfMain& fMain) {
    const automation::UnattendedCycle& cycle = fMain.cycle();
    while (cycle.ThreadGetBusy || cycle.ThreadPutBusy)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void ShopWindowFixture::select(QListWidget& list, const QString& text, int occurrence) {
    const QList<QListWidgetItem*> items = list.findItems(text, Qt::MatchExactly);
    ASSERT_GT(items.size(), occurrence) << text.toStdString();
    list.setCurrentItem(items.at(occurrence));
}

void ShopWindowFixture::doubleClick(QListWidget& list, const QString& text, int occurrence) {
    select(list, text, occurrence);
    emit list.itemDoubleClicked(list.currentItem());
}

std::string ShopWindowFixture::orderStatus(long long id) const {
    return shop.order(id).at("status").get<std::string>();
}

}  // namespace norvan::app
