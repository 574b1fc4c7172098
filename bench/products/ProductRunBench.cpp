// Times the product run over a product file of N lines (default 10,000) against the sample shop
// on loopback, and a bare libcurl loop that sends the same lookups and updates on one
// connection: the floor that the run is measured against. Both run on the main thread, the shop
// on its own threads, so the main thread's CPU time is the client's own work.
//
//   products_bench [lines] [rounds]

#include "common/TextPane.h"
#include "products/ProductBody.h"
#include "products/ProductRows.h"
#include "products/ProductRun.h"
#include "settings/KeptProductLines.h"
#include "settings/SettingsDatabase.h"
#include "tools/sample-shop/SampleShop.h"

#include <curl/curl.h>
#include <sys/resource.h>
#include <time.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

using norvan::common::NameValueList;
using norvan::products::ProductRun;
using norvan::products::ProductRunSettings;
using norvan::products::ProductRunWindow;
using norvan::sampleshop::SampleShop;

const std::string kKey = "ck_4f1c2d0b8e7a6950c3b2a1d0e9f8a7b6c5d4e3f2";
const std::string kSecret = "cs_9a8b7c6d5e4f30211f2e3d4c5b6a79881a2b3c4d";

// The window as the program has it: a log pane that grows line by line, a status text, the
// grid's rows and a real event pump.
class BenchWindow : public ProductRunWindow {
  public:
    explicit BenchWindow(SampleShop& shop) : shop_(shop) {}

    void clearLog() override { log.clear(); }
    void appendLog(const QString& line) override { log.appendLine(line); }
    void setStatusText(const QString& text) override { status = text; }
    void setProductRows(const NameValueList& shown) override { rows = shown; }
    void processEvents() override {
        QCoreApplication::processEvents();
        shop_.clearRequests();  // the shop's record of requests is no memory of the run
    }
    void setBusy(bool) override {}
    bool unattendedRunUnderWay() const override { return false; }

    norvan::common::TextPane log;
    QString status;
    NameValueList rows;

  private:
    SampleShop& shop_;
};

QString productLine(int number) {
    // Every tenth product has an untracked stock, every third a sale price.
    return QStringLiteral("P-%1;%2;1;0.5;%3;%4;%5;Item")
        .arg(number)
        .arg(number % 97)
        .arg(1000 + number)
        .arg(number % 3 == 0 ? QString::number(900 + number) : QString())
        .arg(number % 10 == 0 ? QStringLiteral("1") : QStringLiteral("0"));
}

nlohmann::ordered_json seed(int count) {
    nlohmann::ordered_json products = nlohmann::ordered_json::array();
    for (int number = 1; number <= count; ++number) {
        const std::string sku = "P-" + std::to_string(number);
        products.push_back({{"id", number},
                            {"name", "Item " + sku},
                            {"sku", sku},
                            {"type", "simple"},
                            {"status", "publish"},
                            {"price", "1000"},
                            {"regular_price", "1000"},
                            {"sale_price", ""},
                            {"tax_status", "taxable"},
                            {"weight", "0.5"},
                            {"manage_stock", number % 10 != 0},
                            {"stock_quantity", number % 10 != 0 ? nlohmann::json(5) : nullptr},
                            {"stock_status", "instock"}});
    }
    return {{"products", products}, {"orders", nlohmann::ordered_json::array()}};
}

size_t keepBody(char* data, size_t size, size_t count, void* body) {
    static_cast<std::string*>(body)->append(data, size * count);
    return size * count;
}

struct CurlDeleter {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};
struct HeaderListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

// The least a client must do for the same work: one handle, one connection, the same URLs,
// headers and bodies, the answers received whole and not looked at.
void bareCurlLoop(SampleShop& shop, const std::vector<std::string>& skus,
                  const std::vector<std::string>& bodies) {
    const std::string baseUrl = shop.baseUrl();
    std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    std::unique_ptr<curl_slist, HeaderListDeleter> headers;
    for (const char* header :
         {"Accept: */*", "Accept-Charset: UTF-8", "Content-Type: application/json", "Expect:"})
        headers.reset(curl_slist_append(headers.release(), header));
    std::string answer;
    curl_easy_setopt(curl.get(), CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(curl.get(), CURLOPT_HTTPAUTH, CURLAUTH_BASIC);
    curl_easy_setopt(curl.get(), CURLOPT_USERNAME, kKey.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_PASSWORD, kSecret.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, keepBody);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &answer);

    for (size_t index = 0; index < skus.size(); ++index) {
        const std::string lookup = baseUrl + "products?sku=" + skus[index];
        curl_easy_setopt(curl.get(), CURLOPT_URL, lookup.c_str());
        curl_easy_setopt(curl.get(), CURLOPT_HTTPGET, 1L);
        answer.clear();
        if (curl_easy_perform(curl.get()) != CURLE_OK) std::fprintf(stderr, "lookup failed\n");

        const std::string update = baseUrl + "products/" + std::to_string(index + 1) + "/";
        curl_easy_setopt(curl.get(), CURLOPT_URL, update.c_str());
        curl_easy_setopt(curl.get(), CURLOPT_CUSTOMREQUEST, "PUT");
        curl_easy_setopt(curl.get(), CURLOPT_POSTFIELDS, bodies[index].c_str());
        curl_easy_setopt(curl.get(), CURLOPT_POSTFIELDSIZE, long(bodies[index].size()));
        answer.clear();
        if (curl_easy_perform(curl.get()) != CURLE_OK) std::fprintf(stderr, "update failed\n");
        curl_easy_setopt(curl.get(), CURLOPT_CUSTOMREQUEST, nullptr);
        shop.clearRequests();  // as the run's window does once per line
    }
}

double threadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// CPU time of the whole process, the shop's threads included: the same for both sides when
// they ask the shop for the same work, whatever else the machine is doing.
double processCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) {
        return double(t.tv_sec) + double(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

struct Timing {
    double seconds = 1e9;
    double clientCpuSeconds = 1e9;
    double processCpuSeconds = 1e9;
};

template <typename Work>
Timing timed(Work work) {
    const auto start = std::chrono::steady_clock::now();
    const double clientStart = threadCpuSeconds();
    const double processStart = processCpuSeconds();
    work();
    return {std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
            threadCpuSeconds() - clientStart, processCpuSeconds() - processStart};
}

Timing best(const Timing& a, const Timing& b) {
    return {std::min(a.seconds, b.seconds), std::min(a.clientCpuSeconds, b.clientCpuSeconds),
            std::min(a.processCpuSeconds, b.processCpuSeconds)};
}

long peakRssKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);  // figures show up while a long run goes on
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10000;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 1;
    curl_global_init(CURL_GLOBAL_DEFAULT);

    QStringList lines;
    std::vector<std::string> skus;
    std::vector<std::string> bodies;
    for (int number = 1; number <= count; ++number) {
        lines.append(productLine(number));
        NameValueList rows;
        norvan::products::LoadingProds(lines.last(), rows);
        skus.push_back(rows.value(QStringLiteral("sku")).toStdString());
        bodies.push_back(norvan::products::productBody(rows).compactText().toStdString());
    }

    SampleShop shop(seed(count));
    shop.start();
    const ProductRunSettings settings{
        .connection = {QString::fromStdString(shop.baseUrl()), QString::fromStdString(kKey),
                       QString::fromStdString(kSecret)},
        .productRes = QStringLiteral("products/")};
    std::printf("%d product lines, %d requests each way, sample shop on %s\n", count, 2 * count,
                shop.baseUrl().c_str());
    std::printf("peak RSS after set-up: %ld KiB\n", peakRssKiB());

    // An update adds members to a product, which makes the shop's lookups slower: an untimed pass
    // first, so that both timed sides meet the catalogue in the same state.
    bareCurlLoop(shop, skus, bodies);
    std::printf("peak RSS after the untimed pass: %ld KiB\n", peakRssKiB());

    // With several rounds, the best of each side, alternating.
    Timing floor;
    Timing run;
    BenchWindow window(shop);
    // The lines are kept in a settings database of the bench's own, as the program keeps them.
    QTemporaryDir programFolder;
    norvan::settings::SettingsDatabase database(programFolder.path() + "/EcomDB.s3db");
    norvan::settings::KeptProductLines kept(database.connection());
    for (int round = 1; round <= rounds; ++round) {
        const Timing roundFloor = timed([&] { bareCurlLoop(shop, skus, bodies); });
        const long rssBefore = peakRssKiB();
        const Timing roundRun = timed([&] { ProductRun(settings, window, kept).run(lines); });
        floor = best(floor, roundFloor);
        run = best(run, roundRun);
        std::printf(
            "round %d: bare loop %.2f s (CPU: client %.2f s, process %.2f s), product "
            "run %.2f s (CPU: client %.2f s, process %.2f s)\n",
            round, roundFloor.seconds, roundFloor.clientCpuSeconds, roundFloor.processCpuSeconds,
            roundRun.seconds, roundRun.clientCpuSeconds, roundRun.processCpuSeconds);
        std::printf(
            "round %d: peak RSS before the run %ld KiB, after %ld KiB; log %lld lines, "
            "%lld KiB\n",
            round, rssBefore, peakRssKiB(), qlonglong(window.log.lineCount()),
            qlonglong(window.log.text().size() * 2 / 1024));
    }
    const qsizetype updated =
        window.log.text().count(QStringLiteral("---Product update successfully"));
    const auto report = [](const char* name, const Timing& timing) {
        std::printf("%s %.2f s; CPU: client %.2f s, process %.2f s\n", name, timing.seconds,
                    timing.clientCpuSeconds, timing.processCpuSeconds);
    };
    report("bare libcurl loop:", floor);
    report("product run:      ", run);
    std::printf("ratio: %.2f wall, %.2f process CPU; the run's own work: %.0f us per line\n",
                run.seconds / floor.seconds, run.processCpuSeconds / floor.processCpuSeconds,
                (run.clientCpuSeconds - floor.clientCpuSeconds) * 1e6 / count);
    std::printf("products updated in the last run: %lld of %d\n", qlonglong(updated), count);
    std::printf("peak RSS: %ld KiB\n", peakRssKiB());
    curl_global_cleanup();
    return updated == count ? 0 : 1;
}
