// The unattended mode end to end: orders leave the shop as files, products come back.
#include "UnattendedFixture.h"
#include "common/CodePage.h"

#include <QMetaObject>
#include <QPushButton>
#include <algorithm>
#include <atomic>
#include <memory>
#include <set>

namespace norvan::app {
namespace {

class UnattendedRunsTest : public testing::UnattendedFixture {
  protected:
    void writeProductFile() const {
        folder.makeFolder("Products");
        // Windows-1256, as the accounting program writes it: a Persian name, a quoted SKU with
        // a blank, a SKU with "+", an untracked stock.
        folder.writeBytes(
            "Products/P_20240102_0800.ecom",
            common::encodeAnsi(QString::fromUtf8("A-1;25;true;0.5;155000;;0;\"چای سبز\"\r\n"
                                                 "\"C 10\";8;0;1;650000;600000;0\r\n"
                                                 "E+5;4;1;0.25;1000000;;0\r\n"
                                                 "A-2;0;0;0.45;235000;;1\r\n")));
        folder.setModified("Products/P_20240102_0800.ecom",
                           testing::BoxRecorder::fixedNow().addSecs(-60));
    }

    // The order files' bytes, by the order id that opens their header line.
    std::map<QString, QByteArray> orderFileBytes() const {
        std::map<QString, QByteArray> files;
        for (const QString& name : orderFiles()) {
            const QByteArray bytes = folder.readBytes("Orders/" + name);
            files[QString::fromLatin1(bytes.mid(1, 2))] = bytes;
        }
        return files;
    }
};

TEST_F(UnattendedRunsTest, OneCycleExportsEveryOrderAndUpdatesTheProductsAndASecondFindsNothing) {
    writeProductFile();
    startWindow();  // the stored mode is on: the first cycle starts while the window is made
    waitForRuns();

    EXPECT_TRUE(boxes.errors().empty());
    const auto files = orderFileBytes();
    ASSERT_EQ(files.size(), 4u);
    for (const long long id : {15, 16, 17, 18}) EXPECT_EQ(orderStatus(id), "completed") << id;
    for (const auto& [id, bytes] : files) {
        EXPECT_TRUE(bytes.startsWith('^')) << id.toStdString();  // no byte-order mark
        EXPECT_TRUE(bytes.endsWith("\r\n"));
        EXPECT_EQ(bytes.count("\r\n"), bytes.count('\n'));  // no lone line ends
        EXPECT_EQ(bytes.count("\r\n"), bytes.count('\r'));
    }
    // Order 15: Persian digits in the address become ASCII digits, Persian letters take their
    // Windows-1256 bytes, and the two-line customer note stays on the header line.
    EXPECT_EQ(files.at("15"), common::encodeAnsi(QString::fromUtf8(
                                  "^15&علی  خیابان ولیعصر، کوچه بهار، پلاک 25، واحد 3  &880000&"
                                  "لطفاً قبل از ارسال تماس بگیرید. زنگ واحد 3 خراب است.^\r\n"
                                  "A-1&2&150000\r\nA-2&1&230000\r\n")));

    EXPECT_FALSE(folder.isFile("Products/P_20240102_0800.ecom"));
    EXPECT_EQ(shop.product(10)["stock_quantity"], 25);
    EXPECT_EQ(shop.product(10)["tax_status"], "taxable");
    EXPECT_EQ(shop.product(13)["sale_price"], "600000");  // "C 10"
    EXPECT_EQ(shop.product(20)["stock_quantity"], 4);     // "E+5"
    EXPECT_EQ(shop.product(11)["manage_stock"], false);   // untracked stays untracked
    EXPECT_EQ(shop.product(11)["stock_status"], "instock");
    for (const auto& request : shop.requests())
        EXPECT_EQ(request.header("Authorization").rfind("OAuth ", 0), 0u) << request.target;

    shop.clearRequests();
    window().tCheckTimeTimer();
    waitForRuns();
    // The second cycle asked for the orders in processing, found none and changed nothing.
    const std::vector<sampleshop::RecordedRequest> second = shop.requests();
    EXPECT_TRUE(std::ranges::any_of(second, [](const sampleshop::RecordedRequest& request) {
        return request.method == "GET" &&
               request.target.starts_with("/wp-json/wc/v3/orders?status=processing");
    }));
    EXPECT_EQ(orderFiles().size(), 4u);
    for (const auto& request : second) EXPECT_EQ(request.method, "GET") << request.target;
}

TEST_F(UnattendedRunsTest, AShopThatGoesDownHalfWayLosesNoOrder) {
    // The order list, order 18 and its status change are answered; then the shop is down.
    shop.setFault(sampleshop::Fault::Status503, {}, 3);
    startWindow();
    waitForRuns();

    EXPECT_TRUE(boxes.errors().empty());  // an unattended run ends silently
    EXPECT_EQ(orderFiles().size(), 1u);
    EXPECT_EQ(orderStatus(18), "completed");
    for (const long long id : {15, 16, 17}) EXPECT_EQ(orderStatus(id), "processing") << id;

    shop.setFault(sampleshop::Fault::None);
    window().tCheckTimeTimer();
    waitForRuns();
    EXPECT_EQ(orderFiles().size(), 4u);
    for (const long long id : {15, 16, 17, 18}) EXPECT_EQ(orderStatus(id), "completed") << id;
}

// Product runs longer than the period between cycles, each overtaken by the next cycle's tick, a
// press of its button and the window shown (again) while the accounting program drops a newer
// file: no run starts inside another, the newest values stay, and no line is sent twice.
TEST_F(UnattendedRunsTest, ARunOvertakenByTheNextCycleLeavesTheNewestValuesAndSendsEachLineOnce) {
    const std::vector<std::string> skus{"A-1", "A-2", "B-7", "C 10", "D-3/x", "E+5"};
    shop.setFault(sampleshop::Fault::Delay,
                  std::chrono::milliseconds(2));  // a shop that takes time
    startWindow();
    waitForRuns();
    for (int round = 1; round <= 3; ++round) {
        SCOPED_TRACE(round);
        QStringList lines;
        for (const std::string& sku : skus) lines.append(productLine(sku, round, round * 100));
        dropProductFile(QStringLiteral("P_%1_1.ecom").arg(round), lines);
        const auto overtake = [this, round, &skus] {
            QStringList newer;
            for (std::size_t i = 0; i < skus.size(); i += 2)
                newer.append(productLine(skus[i], round + 10, round * 100 + 10));
            dropProductFile(QStringLiteral("P_%1_2.ecom").arg(round), newer);
            window().hide();
            window().show();
            window().tCheckTimeTimer();
            window().btnThreadPut->click();
        };
        // At the run's second update; the hook runs on the shop's threads.
        auto updates = std::make_shared<std::atomic<int>>(0);
        shop.setRequestHook([this, updates, overtake](const sampleshop::RecordedRequest& request) {
            if (request.method == "PUT" && request.target.find("/products/") != std::string::npos &&
                ++*updates == 2)
                QMetaObject::invokeMethod(&window(), overtake, Qt::QueuedConnection);
            return sampleshop::Fault::None;
        });
        runCycle();
        shop.setRequestHook({});
        runCycle();  // takes the newer file, if it was left for it
    }

    expectEverythingDelivered({15, 16, 17, 18});
    std::set<std::string> sent;
    for (const auto& request : shop.requests()) {
        if (request.method == "PUT" && request.target.find("/products/") != std::string::npos) {
            EXPECT_TRUE(sent.insert(request.target + request.body).second)
                << "sent twice: " << request.target << request.body;
        }
    }
    int runsUnderWay = 0;
    int skipped = 0;
    const QString day = QString::fromLatin1(folder.readBytes("Logs/2024-03-05.log"));
    for (const QString& entry : day.split(QStringLiteral("\r\n"))) {
        if (entry.endsWith(" products/unattended mLogs: ---BEGIN Update Product---")) {
            EXPECT_EQ(++runsUnderWay, 1) << "a product run inside another";
        }
        if (entry.endsWith(" products/unattended mLogs: ---END Update Product---")) --runsUnderWay;
        if (entry.contains(" products/unattended skipped: ")) ++skipped;
    }
    EXPECT_GE(skipped, 3);  // at least each round's tick
}

// The clock was set back an hour after the accounting program wrote its file: the file is dated
// an hour ahead, and is taken by the next cycle all the same.
TEST_F(UnattendedRunsTest, AFileDatedAheadOfTheClockIsTakenByTheNextCycle) {
    startWindow();
    waitForRuns();
    dropProductFile("P_1.ecom", {productLine("A-1", 7, 700), productLine("B-7", 8, 800)});
    folder.setModified("Products/P_1.ecom", testing::BoxRecorder::fixedNow().addSecs(3600));

    runCycle();

    expectEverythingDelivered({15, 16, 17, 18});
}

}  // namespace
}  // namespace norvan::app
