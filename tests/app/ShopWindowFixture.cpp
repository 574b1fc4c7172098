#include "ShopWindowFixture.h"

#include "automation/UnattendedCycle.h"
#include "support/SampleShopSettings.h"
#include "support/SettingsSeed.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace norvan::app {

settings::SettingsRow ShopWindowFixture::shopSettings() const {
    return testing::sampleShopSettings(baseUrl());
}

TfMain& ShopWindowFixture::startShopWindow(const settings::SettingsRow& row) {
    testing::seedSettings(folder, row);
    return startWindow();
}

void ShopWindowFixture::waitForRuns(TfMain& fMain) {
    const automation::UnattendedCycle& cycle = fMain.cycle();
    while (cycle.orderRunBusy() || cycle.productRunBusy())
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
