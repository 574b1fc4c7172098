#include "OrderFixtures.h"
#include "common/CodePage.h"
#include "common/Error.h"
#include "orders/OrderExport.h"
#include "orders/OrderExtraction.h"
#include "sample-shop/SampleShop.h"
#include "settings/OrderJournal.h"
#include "settings/SettingsDatabase.h"
#include "shop/JsonBody.h"
#include "shop/TWooCommerceAPI.h"
#include "support/ExpectError.h"
#include "support/Printers.h"
#include "support/RecordingRunLog.h"

#include <gtest/gtest.h>
#include <httplib.h>
#include <sys/mount.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <string_view>
#include <thread>

namespace norvan::orders {
namespace {

using sampleshop::SampleShop;

// The worked example order as the shop holds it: Persian digits in an address field, an empty
// customer note; and a second order, 728, to show which one a status change reaches.
nlohmann::ordered_json seed() {
    nlohmann::ordered_json order =
        nlohmann::ordered_json::parse(test::kWorkedExampleOrder.toStdString());
    order["billing"]["address_2"] = "\u06F2\u06F5";
    order["customer_note"] = "";
    nlohmann::ordered_json other = order;
    other["id"] = 728;
    nlohmann::ordered_json orders = nlohmann::ordered_json::array({order, other});
    const nlohmann::ordered_json shopSeed = SampleShop::defaultSeed();
    for (const auto& seeded : shopSeed["orders"]) orders.push_back(seeded);
    return {{"products", nlohmann::ordered_json::array()}, {"orders", orders}};
}

class OrderExportTest : public ::testing::Test {
  protected:
    void SetUp() override { shop.start(); }

    shop::ShopConnection connection() const {
        return {QString::fromStdString(shop.baseUrl()),
                QString::fromStdString(sampleshop::Options{}.consumerKey),
                QString::fromStdString(sampleshop::Options{}.consumerSecret), false};
    }

    // What the window's extract button leaves: the order rows, the count and the order's id.
    void extract(const QString& id, const QString& title = QStringLiteral("line_items")) {
        extractOrder(connection(), QStringLiteral("orders/"), id, title, extracted);
    }

    OrderExportOutcome exportExtracted(const QStringList& headFields,
                                       const QStringList& itemFields) {
        const OrderFileSource source{
            extracted.rows, headFields, itemFields, QStringLiteral("line_items"),
            extracted.itemCount ? QString::number(*extracted.itemCount) : QString()};
        const StatusChange change{connection(), QStringLiteral("orders/"), extracted.orderId,
                                  QStringLiteral("processing"), QStringLiteral("completed")};
        return exportOrder(source, change, appDir.path() + u'/', clock, journal, window);
    }

    std::string statusOf(long long id) const { return shop.order(id)["status"]; }
    int putCount() const {
        int puts = 0;
        for (const auto& request : shop.requests()) puts += request.method == "PUT";
        return puts;
    }
    QStringList orderFiles() const {
        return QDir(appDir.filePath("Orders"))
            .entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }

    SampleShop shop{seed()};
    QTemporaryDir appDir;
    settings::SettingsDatabase database{appDir.filePath("EcomDB.s3db")};
    settings::OrderJournal journal{database};
    ExtractedOrder extracted;
    struct Window : testing::RecordingRunLog<OrderExportWindow> {
        void setFacText(const QString& text) override { facText = text; }
        QString facText;
    } window;
    const common::Clock clock = [] { return QDateTime(QDate(2024, 5, 17), QTime(14, 3, 22)); };
};

const QStringList kHeadFields = {"id",    "billing.first_name", "billing.address_2",
                                 "total", "date_paid",          "customer_note"};
const QStringList kItemFields = {"id", "name", "quantity", "price", "sku"};

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

TEST_F(OrderExportTest, WritesTheWorkedExampleAndCompletesTheOrder) {
    extract("727");
    const OrderExportOutcome outcome = exportExtracted(kHeadFields, kItemFields);
    const QString& path = outcome.orderFile;
    EXPECT_FALSE(outcome.writtenBefore);
    EXPECT_TRUE(outcome.statusChanged);

    const char* expected = "^727&Sara  25  &29.35&^\r\n315&Cup&2&3.5\r\n316&Tray&1&10\r\n";
    EXPECT_EQ(path, appDir.filePath("Orders/Order_2024-05-17 14-03-22.ecom"));
    EXPECT_EQ(bytesOf(path), QByteArray(expected));
    EXPECT_EQ(window.facText, QString::fromLatin1(expected));
    EXPECT_EQ(window.log,
              QStringList({"---Changing status order:  727 //Az:  processing To:  completed",
                           "---Update status /\"ORDER\"\\ successfully."}));
    EXPECT_EQ(window.pumps, 1);
    EXPECT_EQ(statusOf(727), "completed");
    const auto put = shop.requests().back();
    EXPECT_EQ(put.method, "PUT");
    EXPECT_EQ(put.target, "/wp-json/wc/v3/orders/727/");
    EXPECT_EQ(put.body, R"({"status":"completed"})");
}

TEST_F(OrderExportTest, ExportsAShopOrderOneLinePerItem) {
    extract("15");  // a customer note with a line break, Persian digits in the address
    const QString path =
        exportExtracted({"id", "billing.address_1", "customer_note"}, {"sku", "quantity"})
            .orderFile;
    const QString text = QStringLiteral(
        "^15&خیابان ولیعصر، "
        "کوچه بهار، پلاک 25، "
        "واحد 3  &لطفاً قبل از "
        "ارسال تماس بگیرید. "
        "زنگ واحد 3 خراب است.^\r\n"
        "A-1&2\r\n"
        "A-2&1\r\n");
    EXPECT_EQ(window.facText, text);
    EXPECT_EQ(bytesOf(path), common::encodeAnsi(text));
}

// The shop sends control characters escaped ("\u0001"); the order is read and written as any
// other, each character kept unless it would end a field, a line or the text.
TEST_F(OrderExportTest, ExportsAnOrderWithControlCharactersInItsTexts) {
    nlohmann::ordered_json order =
        nlohmann::ordered_json::parse(test::kWorkedExampleOrder.toStdString());
    order["id"] = 729;
    order["customer_note"] = std::string(
        "a\x01"
        "b\0c\x1A\td\r\ne",
        11);
    order["line_items"][0]["name"] = "Cup\x1F";
    shop.addOrder(order);
    extract("729");
    const QString path = exportExtracted({"id", "customer_note"}, {"name", "quantity"}).orderFile;
    EXPECT_EQ(bytesOf(path), QByteArray("^729&a\x01"
                                        "b c \td e^\r\nCup\x1F&2\r\nTray&1\r\n"));
}

TEST_F(OrderExportTest, StatusChangeReachesTheExtractedOrderOnly) {
    extract("728");
    exportExtracted(kHeadFields, kItemFields);
    EXPECT_EQ(statusOf(728), "completed");
    EXPECT_EQ(statusOf(727), "processing");
    EXPECT_EQ(window.log.value(0),
              "---Changing status order:  728 //Az:  processing To:  completed");
}

TEST_F(OrderExportTest, FailedExtractionLeavesNoOrderToExport) {
    extract("727");
    EXPECT_THROW(extract("728", QString()), Error);  // rows of 728, count of 727
    EXPECT_ERROR(exportExtracted(kHeadFields, kItemFields), "List index out of bounds (-1)");
    EXPECT_EQ(orderFiles(), QStringList());
    EXPECT_EQ(putCount(), 0);
    EXPECT_EQ(statusOf(727), "processing");
    EXPECT_EQ(statusOf(728), "processing");
}

TEST_F(OrderExportTest, StopsBeforeAnyFileWithoutCountOrOrder) {
    // Nothing extracted since the start: no count, no order.
    EXPECT_ERROR(exportExtracted(kHeadFields, kItemFields), "'' is not a valid integer value");
    EXPECT_EQ(window.facText, "^^\r\n");  // the header line built before the count was read

    extracted.itemCount = 0;
    EXPECT_ERROR(exportExtracted(kHeadFields, kItemFields), "List index out of bounds (-1)");
    EXPECT_EQ(orderFiles(), QStringList());
    EXPECT_TRUE(window.log.isEmpty());
    EXPECT_EQ(putCount(), 0);
}

TEST_F(OrderExportTest, FailedRequestKeepsTheFileAndLogsTheError) {
    extract("727");
    shop.setFault(sampleshop::Fault::Status500);
    const OrderExportOutcome outcome = exportExtracted(kHeadFields, kItemFields);
    EXPECT_TRUE(QFile::exists(outcome.orderFile));
    EXPECT_FALSE(outcome.statusChanged);
    ASSERT_EQ(window.log.size(), 2);
    EXPECT_TRUE(window.log[1].startsWith("---Response error: Error: "))
        << window.log[1].toStdString();
    EXPECT_TRUE(window.log[1].endsWith(" (unsuccessful).")) << window.log[1].toStdString();
    EXPECT_EQ(window.pumps, 0);
    EXPECT_EQ(statusOf(727), "processing");
}

TEST_F(OrderExportTest, AStatusChangeTheShopRefusesLogsTheShopsWords) {
    extract("727");
    shop.setFault(sampleshop::Fault::KeyRevoked);
    EXPECT_FALSE(exportExtracted(kHeadFields, kItemFields).statusChanged);
    EXPECT_EQ(window.log.mid(1),
              QStringList({"---Response error: Error: Unauthorized / (unsuccessful).",
                           "---The shop says: Sorry, you are not allowed to edit this resource."}));
}

TEST_F(OrderExportTest, AShopThatMovedIsNamedAfterTheFailedStatusChange) {
    extract("727");
    shop.redirectTo("https://shop.example");
    EXPECT_TRUE(QFile::exists(exportExtracted(kHeadFields, kItemFields).orderFile));
    ASSERT_EQ(window.log.size(), 3);
    EXPECT_EQ(window.log[1], "---Response error: Error: Moved Permanently / (unsuccessful).");
    EXPECT_EQ(window.log[2],
              "---The shop moved to: https://shop.example/wp-json/wc/v3/orders/727/");
    EXPECT_EQ(statusOf(727), "processing");
}

TEST_F(OrderExportTest, FileThatCannotBeCreatedStopsBeforeTheRequest) {
    extract("727");
    QFile blocker(appDir.filePath("Orders"));  // a file where the folder belongs
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_ERROR_STARTING_WITH(exportExtracted(kHeadFields, kItemFields),
                               QStringLiteral("Cannot create file \"%1\". ")
                                   .arg(appDir.filePath("Orders/Order_2024-05-17 14-03-22.ecom")));
    EXPECT_EQ(window.facText, "^727&Sara  25  &29.35&^\r\n315&Cup&2&3.5\r\n316&Tray&1&10\r\n");
    EXPECT_EQ(putCount(), 0);
    EXPECT_TRUE(window.log.isEmpty());
}

// Only a listed order's own id goes into the address: nothing else reaches the shop.
TEST_F(OrderExportTest, ReadsOnlyPositiveWholeNumberIds) {
    for (const char* id : {"../products/57", "0", "-5", "", "12a", "07"}) {
        EXPECT_ERROR(extract(QString::fromUtf8(id)),
                     QStringLiteral("\"%1\" is not an order id").arg(QString::fromUtf8(id)));
    }
    EXPECT_TRUE(shop.requests().empty());
}

// A cache or a mixed-up route may answer with another order: that one must not be moved.
TEST_F(OrderExportTest, AnAnswerAboutAnotherOrderIsNeitherWrittenNorMoved) {
    httplib::Server mixedUp;
    mixedUp.Get(".*", [](const httplib::Request&, httplib::Response& answer) {
        answer.set_content(R"({"id": 4107, "status": "processing", "line_items": []})",
                           "application/json");
    });
    const int port = mixedUp.bind_to_any_port("127.0.0.1");
    std::thread serving([&] { mixedUp.listen_after_bind(); });
    const shop::ShopConnection mixedUpShop{
        QStringLiteral("http://127.0.0.1:%1/wp-json/wc/v3/").arg(port), "ck", "cs", false};
    EXPECT_ERROR(extractOrder(mixedUpShop, QStringLiteral("orders/"), QStringLiteral("4113"),
                              QStringLiteral("line_items"), extracted),
                 "The shop answered order 4113 with order 4107");
    mixedUp.stop();
    serving.join();
    EXPECT_EQ(extracted.orderId, QString());
    EXPECT_ERROR(exportExtracted(kHeadFields, kItemFields), "List index out of bounds (-1)");
    EXPECT_EQ(orderFiles(), QStringList());
}

// The status change fails on and on: the accounting program still gets the order once.
TEST_F(OrderExportTest, AnOrderWhoseStatusChangeFailedIsNotWrittenAgain) {
    extract("727");
    shop.setFault(sampleshop::Fault::Status503);
    const OrderExportOutcome first = exportExtracted(kHeadFields, kItemFields);
    EXPECT_FALSE(first.writtenBefore || first.statusChanged);
    const QString& path = first.orderFile;
    window.log.clear();
    const OrderExportOutcome again = exportExtracted(kHeadFields, kItemFields);
    EXPECT_EQ(again.orderFile, path);
    EXPECT_TRUE(again.writtenBefore);
    EXPECT_FALSE(again.statusChanged);
    EXPECT_EQ(window.log.value(0),
              "---Order 727 was already exported to " + path + "; only its status is changed.");
    EXPECT_EQ(orderFiles(), QStringList{"Order_2024-05-17 14-03-22.ecom"});

    shop.setFault(sampleshop::Fault::None);
    const OrderExportOutcome retried = exportExtracted(kHeadFields, kItemFields);
    EXPECT_TRUE(retried.writtenBefore && retried.statusChanged);
    EXPECT_EQ(orderFiles(), QStringList{"Order_2024-05-17 14-03-22.ecom"});
    EXPECT_EQ(statusOf(727), "completed");
    EXPECT_FALSE(journal.find("727"));
    // Put back into its status by the operator, the order is exported anew.
    const OrderExportOutcome anew = exportExtracted(kHeadFields, kItemFields);
    EXPECT_FALSE(anew.writtenBefore);
    EXPECT_TRUE(anew.statusChanged);
    EXPECT_EQ(orderFiles(),
              QStringList({"Order_2024-05-17 14-03-22.ecom", "Order_2024-05-17 14-03-22_2.ecom"}));
}

// The status change went through, but its answer was lost; later the operator puts the order
// back into its status. The shop's record shows the change: the order is exported again.
TEST_F(OrderExportTest, AnOrderPutBackAfterAnUnconfirmedStatusChangeIsExportedAgain) {
    extract("16");
    shop.setRequestHook([](const sampleshop::RecordedRequest& request) {
        return request.method == "PUT" ? sampleshop::Fault::TruncatedBody : sampleshop::Fault::None;
    });
    const OrderExportOutcome first = exportExtracted(kHeadFields, kItemFields);
    EXPECT_FALSE(first.statusChanged);
    EXPECT_EQ(statusOf(16), "completed");
    shop.setRequestHook({});

    shop::TWooCommerceAPI operatorClient(connection());
    operatorClient.setOrderRes(QStringLiteral("orders/16/"));
    operatorClient.UpdateOrder(shop::JsonBody().add(QStringLiteral("status"), "processing"));
    extract("16");
    window.log.clear();
    const OrderExportOutcome again = exportExtracted(kHeadFields, kItemFields);
    EXPECT_FALSE(again.writtenBefore);
    EXPECT_TRUE(again.statusChanged);
    EXPECT_EQ(window.log.value(0), "---Order 16 was changed in the shop since it was exported to " +
                                       first.orderFile + "; it is exported again.");
    EXPECT_EQ(orderFiles(),
              QStringList({"Order_2024-05-17 14-03-22.ecom", "Order_2024-05-17 14-03-22_2.ecom"}));
    EXPECT_EQ(statusOf(16), "completed");
    EXPECT_FALSE(journal.find("16"));
}

// What an earlier run left of order 16, cut short or failed at some step, and what the next
// export of it makes of that: the journal's entry counts only with its file on disk.
struct EarlierRun {
    const char* what;
    settings::OrderJournalEntry::State state;
    bool partFileLeft;
    bool orderFileThere;
    const char* modifiedGmt;  // recorded; "as read": the one the order has now
    bool completedSince;      // the order as read now is in the target status
    bool writtenAgain;
    const char* logged;  // the first line logged
};

const char* const kAsRead = "as read";
const char* const kAlreadyExported =
    "---Order 16 was already exported to %1; only its status is changed.";

class EarlierRunTest : public OrderExportTest, public ::testing::WithParamInterface<EarlierRun> {};

TEST_P(EarlierRunTest, DecidesWhetherTheOrderIsWrittenAgain) {
    const EarlierRun& run = GetParam();
    if (run.completedSince) {
        shop::TWooCommerceAPI client(connection());
        client.setOrderRes(QStringLiteral("orders/16/"));
        client.UpdateOrder(shop::JsonBody().add(QStringLiteral("status"), "completed"));
    }
    extract("16");
    const QDir folder(appDir.filePath("Orders"));
    QDir().mkpath(folder.path());
    const auto makeFile = [&](const QString& name) {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    };
    makeFile(".Order_00000000000000ff.part");  // a run cut short before its first record
    const QString part = folder.filePath(".Order_00000000000000aa.part");
    const QString earlier = folder.filePath("Order_earlier.ecom");
    if (run.partFileLeft) makeFile(QFileInfo(part).fileName());
    if (run.orderFileThere) makeFile(QFileInfo(earlier).fileName());
    const QString modifiedGmt = std::string_view(run.modifiedGmt) == kAsRead
                                    ? extracted.rows.value("date_modified_gmt")
                                    : QString::fromLatin1(run.modifiedGmt);
    if (run.state == settings::OrderJournalEntry::State::Writing)
        journal.recordWriting("16", part, earlier, modifiedGmt);
    else
        journal.recordWritten("16", earlier, modifiedGmt);

    const OrderExportOutcome outcome = exportExtracted(kHeadFields, kItemFields);
    const QString written = folder.filePath("Order_2024-05-17 14-03-22.ecom");
    EXPECT_EQ(outcome.orderFile, run.writtenAgain ? written : earlier);
    EXPECT_EQ(outcome.writtenBefore, !run.writtenAgain);
    QStringList files;
    if (run.orderFileThere) files << QFileInfo(earlier).fileName();
    if (run.writtenAgain) files << QFileInfo(written).fileName();
    files.sort();
    EXPECT_EQ(orderFiles(), files);  // no part file stays behind
    EXPECT_EQ(window.log.value(0), QString::fromLatin1(run.logged).arg(earlier));
    EXPECT_TRUE(outcome.statusChanged);
    EXPECT_EQ(statusOf(16), "completed");
    EXPECT_FALSE(journal.find("16"));
}

using State = settings::OrderJournalEntry::State;
INSTANTIATE_TEST_SUITE_P(
    OrderExportTest, EarlierRunTest,
    ::testing::Values(
        EarlierRun{"CutShortWhileWriting", State::Writing, true, false, kAsRead, false, true,
                   "---Changing status order:  16 //Az:  processing To:  completed"},
        EarlierRun{"CutShortOnceNamed", State::Writing, false, true, kAsRead, false, false,
                   kAlreadyExported},
        EarlierRun{"NamedFileGone", State::Writing, false, false, kAsRead, false, true,
                   "---Order 16 has no file %1; it is exported again."},
        EarlierRun{"StatusChangeFailed", State::Written, false, true, kAsRead, false, false,
                   kAlreadyExported},
        EarlierRun{"WrittenFileGone", State::Written, false, false, kAsRead, false, true,
                   "---Order 16 has no file %1; it is exported again."},
        EarlierRun{"ChangedInTheShopSince", State::Written, false, true, "2026-01-01T00:00:00",
                   false, true,
                   "---Order 16 was changed in the shop since it was exported to %1; it is "
                   "exported again."},
        // The listing was older than the order: its status change went through.
        EarlierRun{"AlreadyInTheTargetStatus", State::Written, false, true, "2026-01-01T00:00:00",
                   true, false, kAlreadyExported},
        // An entry of an earlier version, which kept no date.
        EarlierRun{"DateNotKept", State::Written, false, true, "", false, false, kAlreadyExported}),
    [](const auto& test) { return std::string(test.param.what); });

// A full disk: the order is neither written nor moved, and no part file stays behind.
TEST_F(OrderExportTest, AFullDiskLeavesNoPartFileAndNoEntry) {
    const QString folder = appDir.filePath("Orders");
    QDir().mkpath(folder);
    const QByteArray mountPoint = QFile::encodeName(folder);
    if (::mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=4k") != 0)
        GTEST_SKIP() << "cannot mount a small file system here: " << std::strerror(errno);
    const auto unmount = qScopeGuard([&] { ::umount2(mountPoint.constData(), MNT_DETACH); });
    QFile filler(QDir(folder).filePath("filler"));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
    while (filler.write(QByteArray(512, 'x')) == 512 && filler.flush()) {
    }
    filler.close();

    extract("727");
    EXPECT_ERROR_STARTING_WITH(exportExtracted(kHeadFields, kItemFields), "Cannot create file ");
    EXPECT_EQ(orderFiles(), QStringList{"filler"});
    EXPECT_FALSE(journal.find("727"));
    EXPECT_EQ(putCount(), 0);
}

}  // namespace
}  // namespace norvan::orders
