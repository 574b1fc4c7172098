// Times the order run as the program makes it and counts its disk syncs: the window (TfMain,
// shown offscreen, as the window tests start it) lists the orders in processing at the sample shop
// on loopback, reads each, writes its order file and moves it to completed, N orders (default 20)
// that are copies of the shop's seed order 16. Every round pairs the run with its own floor: a
// bare libcurl loop that sends the requests of the run, as the shop recorded them in an untimed
// first run, on one connection. The figures are the medians of the rounds: the ratio of the two
// wall times, and the syncs (fsync and fdatasync, counted in this process) per order.
// The program folder is made in TMPDIR, or in the current folder when TMPDIR is not set, so that
// by default the run pays for the disk as the program does.
//
//   order_run_bench [orders] [rounds] [--delay-ms N]

#include "../products/BenchWindow.h"
#include "../products/CurlRequest.h"
#include "../products/FolderPlace.h"
#include "../products/LoadAverage.h"
#include "../products/SyncCount.h"
#include "../products/Timing.h"
#include "app/TfMain.h"
#include "automation/UnattendedCycle.h"
#include "sample-shop/SampleShop.h"
#include "support/SampleShopSettings.h"

#include <curl/curl.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QPushButton>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using norvan::sampleshop::SampleShop;

struct Settings {
    int orders = 20;
    int rounds = 5;
    std::chrono::milliseconds delay{};
    QString folderIn;  // empty: a disk (FolderPlace)
};

bool readSettings(int argc, char** argv, Settings& settings) {
    std::vector<int> counts;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--delay-ms" && i + 1 < argc) {
            settings.delay = std::chrono::milliseconds(std::max(0, std::atoi(argv[++i])));
        } else if (argument == "--folder-in" && i + 1 < argc) {
            settings.folderIn = QString::fromLocal8Bit(argv[++i]);
        } else if (!argument.empty() && argument[0] != '-') {
            counts.push_back(std::max(1, std::atoi(argument.c_str())));
        } else {
            return false;
        }
    }
    if (counts.size() > 2) return false;
    if (!counts.empty()) settings.orders = counts[0];
    if (counts.size() == 2) settings.rounds = counts[1];
    return true;
}

// Order 16 of the seed as orders 1001, 1002, ... in processing, listed newest first.
std::vector<nlohmann::ordered_json> benchOrders(int count) {
    const nlohmann::ordered_json model = SampleShop::defaultSeed()["orders"][1];
    std::vector<nlohmann::ordered_json> orders;
    for (int number = 1; number <= count; ++number) {
        nlohmann::ordered_json order = model;
        order["id"] = 1000 + number;
        order["number"] = std::to_string(1000 + number);
        order["status"] = "processing";
        orders.push_back(std::move(order));
    }
    return orders;
}

void putInProcessing(SampleShop& shop, const std::vector<nlohmann::ordered_json>& orders) {
    for (const nlohmann::ordered_json& order : orders) shop.addOrder(order);
}

size_t dropBody(char*, size_t size, size_t count, void*) {
    return size * count;
}

// The least a client must do for the run's requests: one handle, one connection, the header lines
// and bodies the program sent, the answers received whole and not looked at.
void bareCurlLoop(SampleShop& shop, const std::vector<norvan::sampleshop::RecordedRequest>& run) {
    const std::string origin = "http://127.0.0.1:" + std::to_string(shop.port());
    norvan::bench::CurlHandle curl(curl_easy_init());
    curl_easy_setopt(curl.get(), CURLOPT_NOSIGNAL, 1L);  // as the program's client
    curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, dropBody);
    for (const auto& request : run) {
        norvan::bench::CurlHeaderList headers;
        for (const auto& [name, value] : request.headers) {
            if (name == "Host" || name == "Content-Length") continue;
            headers.reset(curl_slist_append(headers.release(), (name + ": " + value).c_str()));
        }
        headers.reset(curl_slist_append(headers.release(), "Expect:"));
        curl_easy_setopt(curl.get(), CURLOPT_HTTPHEADER, headers.get());
        norvan::bench::setUpRequest(curl.get(), request.method.c_str(), origin + request.target,
                                    request.body);
        if (curl_easy_perform(curl.get()) != CURLE_OK)
            std::fprintf(stderr, "%s %s failed\n", request.method.c_str(), request.target.c_str());
    }
}

// Settings that point at the shop and map a few header and item fields.
norvan::settings::SettingsRow orderSettings(const SampleShop& shop) {
    norvan::settings::SettingsRow row =
        norvan::testing::sampleShopSettings(QString::fromStdString(shop.baseUrl()));
    row.ordParams = QStringLiteral("id;billing.first_name;billing.address_1;total;");
    row.itemParams = QStringLiteral("sku;quantity;price;");
    return row;
}

// The order run as the unattended cycle starts it; returns once it is over.
void runOrders(norvan::app::TfMain& window) {
    window.btnThreadGet->click();
    while (window.cycle().orderRunBusy())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

QDir ordersFolder(const QString& programFolder) {
    return QDir(QDir(programFolder).filePath(QStringLiteral("Orders")));
}

}  // namespace

int main(int argc, char** argv) {
    // One CPU for the whole program, as in the other benchmarks: the shop's threads, started
    // later, inherit it, so both sides pay for the same work on the same core.
    norvan::bench::keepToOneCpu();
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    Settings settings;
    if (!readSettings(argc, argv, settings)) {
        std::fprintf(stderr,
                     "usage: order_run_bench [orders] [rounds] [--delay-ms N] [--folder-in DIR]\n");
        return 2;
    }
    curl_global_init(CURL_GLOBAL_DEFAULT);

    norvan::sampleshop::Options shopOptions;
    shopOptions.delayPerRequest = settings.delay;
    nlohmann::ordered_json seed = SampleShop::defaultSeed();
    seed["orders"] = nlohmann::ordered_json::array();
    SampleShop shop(seed, shopOptions);
    shop.start();
    const std::vector<nlohmann::ordered_json> orders = benchOrders(settings.orders);
    const norvan::bench::FolderPlace place = norvan::bench::folderPlace(settings.folderIn);
    norvan::bench::BenchWindow bench(orderSettings(shop), place.folder);
    std::printf(
        "%d orders, sample shop on %s, %lld ms per request; program folder %s (%s on %s%s)\n",
        settings.orders, shop.baseUrl().c_str(), static_cast<long long>(settings.delay.count()),
        qUtf8Printable(bench.folder()), qUtf8Printable(place.fileSystem),
        qUtf8Printable(place.device), place.inMemory ? ", in memory" : "");
    std::printf("load average at the start: %s\n", norvan::bench::loadAverage().c_str());

    // An untimed run records the requests the floor sends.
    putInProcessing(shop, orders);
    shop.clearRequests();
    runOrders(bench.window());
    const std::vector<norvan::sampleshop::RecordedRequest> run = shop.requests();
    std::printf("requests of a run: %zu\n", run.size());

    std::vector<double> ratios;
    std::vector<double> syncsPerOrder;
    bool complete = true;
    for (int round = 1; round <= settings.rounds; ++round) {
        putInProcessing(shop, orders);
        const double floor = norvan::bench::timed([&] { bareCurlLoop(shop, run); }).seconds;
        putInProcessing(shop, orders);
        ordersFolder(bench.folder()).removeRecursively();
        shop.clearRequests();
        const long long syncsBefore = norvan::bench::syncCount();
        const double seconds = norvan::bench::timed([&] { runOrders(bench.window()); }).seconds;
        const long long counted = norvan::bench::syncCount() - syncsBefore;
        complete = complete &&
                   ordersFolder(bench.folder()).entryList({"*.ecom"}, QDir::Files).size() ==
                       settings.orders &&
                   shop.requests().size() == run.size();
        ratios.push_back(seconds / floor);
        syncsPerOrder.push_back(double(counted) / settings.orders);
        std::printf(
            "round %d: bare loop %.3f s, run in the window %.3f s: ratio %.2f; %lld syncs, %.2f "
            "per order; load average %s\n",
            round, floor, seconds, ratios.back(), counted, syncsPerOrder.back(),
            norvan::bench::loadAverage().c_str());
    }
    std::printf(
        "median of %d paired rounds: ratio %.2f (run in the window / bare loop), %.2f "
        "syncs per order\n",
        settings.rounds, norvan::bench::median(ratios), norvan::bench::median(syncsPerOrder));
    for (const QString& error : bench.errors())
        std::printf("error box: %s\n", qUtf8Printable(error));
    curl_global_cleanup();
    return complete && bench.errors().isEmpty() ? 0 : 1;
}
