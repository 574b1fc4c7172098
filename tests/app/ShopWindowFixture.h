#pragma once

#include "sample-shop/SampleShop.h"
#include "settings/SettingsRow.h"
#include "support/WindowFixture.h"

#include <QListWidget>
#include <QString>

namespace norvan::app {

// A window test against the sample shop on a loopback port: the settings row points the window
// at the shop, whose default seed has the orders 15 to 18 in processing.
class ShopWindowFixture : public testing::WindowFixture {
  protected:
    void SetUp() override { shop.start(); }

    QString baseUrl() const { return QString::fromStdString(shop.baseUrl()); }
    // Connection, resources, statuses and item title for the shop; the mode off, no mapping.
    settings::SettingsRow shopSettings() const;
    // Seeds the settings row and starts the window over it.
    TfMain& startShopWindow(const settings::SettingsRow& row);

    // Runs the event loop until the runs handed to workers have ended.
    static void waitForRuns(TfMain& fMain);
    // Selects the occurrence-th item with the text and double-clicks it as the operator does.
    static void doubleClick(QListWidget& list, const QString& text, int occurrence = 0);
    static void select(QListWidget& list, const QString& text, int occurrence = 0);

    // The status the shop holds for an order.
    std::string orderStatus(long long id) const;

    sampleshop::SampleShop shop;
};

}  // namespace norvan::app
