#include "BenchWindow.h"

#include "common/Clock.h"
#include "sample-shop/SampleShop.h"
#include "support/SampleShopSettings.h"
#include "support/SettingsSeed.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QEventLoop>
#include <QListWidget>
#include <QWindow>
#include <algorithm>

namespace norvan::bench {

BenchWindow::BenchWindow(const sampleshop::SampleShop& shop, const QString& parent)
    : BenchWindow(testing::sampleShopSettings(QString::fromStdString(shop.baseUrl())), parent) {}

BenchWindow::BenchWindow(const settings::SettingsRow& settings, const QString& parent)
    : folder_(parent) {
    testing::seedSettings(folder_, settings);
    app::Environment environment = boxes_.environment(folder_.path());
    environment.clock = common::systemClock();
    window_ = std::make_unique<app::TfMain>(std::move(environment));
    window_->show();
    while (!window_->windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    // After the show, which brings the main page up: the page whose button the operator presses.
    window_->setActivePage(window_->tsProduct);
}

void BenchWindow::fillProductList(const QStringList& lines) {
    window_->lstProdTextFile->clear();
    window_->lstProdTextFile->addItems(lines);
}

void BenchWindow::pressUpdate(Sending sending) {
    window_->chbBatch->setChecked(sending == Sending::Batched);
    window_->btnUpdateProductClick();
}

qsizetype BenchWindow::updatedInLog() const {
    const QStringList log = window_->mLogs->lines();
    return std::count_if(log.begin(), log.end(), [](const QString& line) {
        return line.startsWith(QStringLiteral("---Product update successfully"));
    });
}

qsizetype BenchWindow::logLines() const {
    return window_->mLogs->lines().size();
}

}  // namespace norvan::bench
