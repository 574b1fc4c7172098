#include "UnattendedFixture.h"

#include "automation/UnattendedCycle.h"
#include "common/CodePage.h"
#include "common/TextLines.h"
#include "settings/KeptProductLines.h"
#include "settings/SettingsDatabase.h"
#include "settings/SettingsFiles.h"
#include "support/Printers.h"
#include "support/SampleShopSettings.h"
#include "support/SettingsSeed.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>

namespace norvan::testing {

sampleshop::Options UnattendedFixture::plainHttpShop() {
    sampleshop::Options options;
    options.basicOverPlainHttp = false;
    return options;
}

void UnattendedFixture::SetUp() {
    shop.start();
    settings::SettingsRow row = sampleShopSettings(QString::fromStdString(shop.baseUrl()), true);
    row.automatic = true;
    row.ordParams = "id;billing.first_name;billing.address_1;total;customer_note;";
    row.itemParams = "sku;quantity;price;";
    seedSettings(folder, row);
}

void UnattendedFixture::runCycle() {
    window().tCheckTimeTimer();
    waitForRuns();
}

void UnattendedFixture::waitForRuns() {
    const automation::UnattendedCycle& cycle = window().cycle();
    while (cycle.orderRunBusy() || cycle.productRunBusy())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void UnattendedFixture::addOrder(long long id) {
    nlohmann::ordered_json order = shop.order(16);
    order["id"] = id;
    order["number"] = std::to_string(id);
    order["status"] = "processing";
    // Newer than the seeded orders: listed before them, newest first.
    order["date_created"] = "2099-01-01T00:00:00";
    order["date_created_gmt"] = "2099-01-01T00:00:00";
    shop.addOrder(order);
}

QStringList UnattendedFixture::orderFiles() const {
    return QDir(folder.filePath("Orders")).entryList({"*.ecom"}, QDir::Files, QDir::Name);
}

std::map<QString, int> UnattendedFixture::orderFileCounts() const {
    std::map<QString, int> counts;
    for (const QString& name : orderFiles()) {
        const QByteArray bytes = folder.readBytes("Orders/" + name);
        ++counts[QString::fromLatin1(bytes.mid(1, bytes.indexOf('&') - 1))];
    }
    return counts;
}

QString UnattendedFixture::productLine(const std::string& sku, int stock, int regularPrice) {
    NewestLine line{QStringLiteral("\"%1\";%2;1;0.5;%3;;0")
                        .arg(QString::fromStdString(sku))
                        .arg(stock)
                        .arg(regularPrice),
                    stock, QString::number(regularPrice)};
    newestLines_[sku] = line;
    return line.text;
}

void UnattendedFixture::dropProductFile(const QString& name, const QStringList& lines) const {
    folder.makeFolder("Products");
    folder.writeBytes("Products/" + name, common::encodeAnsi(common::joinLines(lines)));
    folder.setModified("Products/" + name, BoxRecorder::fixedNow().addSecs(-60));
}

QStringList UnattendedFixture::keptProductLines() const {
    const settings::SettingsDatabase database(
        folder.filePath(QString::fromLatin1(settings::kDatabaseFileName)));
    QStringList lines;
    for (const settings::KeptProductLine& kept :
         settings::KeptProductLines(database.connection()).lines())
        lines.append(kept.line);
    return lines;
}

bool UnattendedFixture::inShop(const nlohmann::ordered_json& product,
                               const NewestLine& line) const {
    return product["stock_quantity"] == line.stock &&
           QString::fromStdString(product["regular_price"]) == line.regularPrice;
}

QString UnattendedFixture::waitingProductText() const {
    QString text;
    const QDir products(folder.filePath("Products"));
    for (const QString& name : products.entryList({"*.ecom"}, QDir::Files))
        text += common::decodeAnsi(folder.readBytes("Products/" + name));
    return text;
}

void UnattendedFixture::expectNothingLostOrDoubled(const std::vector<long long>& orders) const {
    const std::map<QString, int> files = orderFileCounts();
    for (const auto& [id, count] : files) EXPECT_EQ(count, 1) << "order " << id.toStdString();
    for (const long long id : orders) {
        if (orderStatus(id) == "completed") {
            EXPECT_TRUE(files.contains(QString::number(id))) << "order " << id << " has no file";
        }
    }
    const QStringList kept = keptProductLines();
    const QString waiting = waitingProductText();
    for (const auto& product : shop.products()) {
        const auto line = newestLines_.find(product["sku"]);
        if (line == newestLines_.end()) continue;
        EXPECT_TRUE(inShop(product, line->second) || kept.contains(line->second.text) ||
                    waiting.contains(line->second.text))
            << "lost: " << line->second.text.toStdString();
    }
}

void UnattendedFixture::expectEverythingDelivered(const std::vector<long long>& orders) const {
    std::map<QString, int> expected;
    for (const long long id : orders) {
        expected[QString::number(id)] = 1;
        EXPECT_EQ(orderStatus(id), "completed") << "order " << id;
    }
    EXPECT_EQ(orderFileCounts(), expected);
    for (const auto& product : shop.products()) {
        const auto line = newestLines_.find(product["sku"]);
        if (line != newestLines_.end()) {
            EXPECT_TRUE(inShop(product, line->second)) << line->second.text.toStdString();
        }
    }
    EXPECT_EQ(QDir(folder.filePath("Products")).entryList(QDir::Files), QStringList());
    EXPECT_EQ(keptProductLines(), QStringList());
}

}  // namespace norvan::testing
