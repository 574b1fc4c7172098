// Times the product run as the program makes it: the window (TfMain, shown offscreen, as the
// window tests start it) sends a product file of N lines (default 10,000) to the sample shop on
// loopback, whose catalogue holds N copies of the shop's own seed product, so that every answer
// has the size of a real one (about 1.9 KB). Every round pairs the run with its own floor: a bare
// libcurl loop that sends the same lookups and updates, of the same sizes, on one connection.
// The figure is the median of the rounds' ratios. The shop runs on its own threads in this
// process, and the whole program keeps to one CPU; --delay-ms makes the shop take that long for
// each request, as a real shop does. The program folder is made in the temporary folder (TMPDIR):
// on a disk, the run pays for the disk syncs of the kept product lines as the program does.
//
//   products_bench [lines] [rounds] [--delay-ms N] [--sending line|batch]

#include "app/TfMain.h"
#include "common/Clock.h"
#include "products/ProductBody.h"
#include "products/ProductLookup.h"
#include "products/ProductRows.h"
#include "sample-shop/SampleShop.h"
#include "shop/ProductBatch.h"
#include "support/BoxRecorder.h"
#include "support/SampleShopSettings.h"
#include "support/SettingsSeed.h"
#include "support/TempProgramFolder.h"

#include <curl/curl.h>
#include <sched.h>
#include <sys/resource.h>
#include <time.h>

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QEventLoop>
#include <QListWidget>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using norvan::sampleshop::SampleShop;

// How the run sends its lines: line by line (a lookup and an update per line), or in batches
// (the window's chbBatch: a lookup of up to 100 SKUs and one products/batch call per 100 lines).
enum class Sending { LineByLine, Batched };

struct Settings {
    int lines = 10000;
    int rounds = 3;
    std::chrono::milliseconds delay{};
    Sending sending = Sending::LineByLine;
};

int usage() {
    std::fprintf(stderr,
                 "usage: products_bench [lines] [rounds] [--delay-ms N] [--sending line|batch]\n");
    return 2;
}

bool readSettings(int argc, char** argv, Settings& settings) {
    std::vector<std::string> counts;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--delay-ms" && i + 1 < argc) {
            settings.delay = std::chrono::milliseconds(std::max(0, std::atoi(argv[++i])));
        } else if (argument == "--sending" && i + 1 < argc) {
            const std::string sending = argv[++i];
            if (sending != "line" && sending != "batch") return false;
            settings.sending = sending == "line" ? Sending::LineByLine : Sending::Batched;
        } else if (!argument.empty() && argument[0] != '-') {
            counts.push_back(argument);
        } else {
            return false;
        }
    }
    if (counts.size() > 2) return false;
    if (!counts.empty()) settings.lines = std::max(1, std::atoi(counts[0].c_str()));
    if (counts.size() == 2) settings.rounds = std::max(1, std::atoi(counts[1].c_str()));
    return true;
}

QString productLine(int number) {
    // Every tenth product has an untracked stock, every third a sale price.
    return QStringLiteral("P-%1;%2;1;0.5;%3;%4;%5;Item")
        .arg(number)
        .arg(number % 97)
        .arg(1000 + number)
        .arg(number % 3 == 0 ? QString::number(900 + number) : QString())
        .arg(number % 10 == 0 ? QStringLiteral("1") : QStringLiteral("0"));
}

// N copies of the shop's first seed product, each with an id, SKU and slug of its own.
nlohmann::ordered_json seed(int count) {
    const nlohmann::ordered_json model = SampleShop::defaultSeed()["products"][0];
    nlohmann::ordered_json products = nlohmann::ordered_json::array();
    for (int number = 1; number <= count; ++number) {
        nlohmann::ordered_json product = model;
        product["id"] = number;
        product["sku"] = "P-" + std::to_string(number);
        product["slug"] = "p-" + std::to_string(number);
        products.push_back(std::move(product));
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

// One request of the run as the floor sends it: a GET when the body is empty, else the method.
struct Request {
    const char* method;
    std::string target;  // below the shop's base address
    std::string body;
};

// The requests the run sends for these lines, in its order: per line a lookup and a PUT, or per
// 100 lines a lookup of their SKUs and one products/batch call. The product with SKU P-n has id n.
std::vector<Request> runRequests(const std::vector<norvan::common::NameValueList>& lines,
                                 Sending sending) {
    std::vector<Request> requests;
    const auto sku = [&](size_t index) { return lines[index].value(QStringLiteral("sku")); };
    if (sending == Sending::LineByLine) {
        for (size_t index = 0; index < lines.size(); ++index) {
            requests.push_back(
                {"GET", "products?" + norvan::products::skuQuery(sku(index)).toStdString(), {}});
            requests.push_back(
                {"PUT", "products/" + std::to_string(index + 1) + "/",
                 norvan::products::productBody(lines[index]).compactText().toStdString()});
        }
        return requests;
    }
    const auto batchSize = static_cast<size_t>(norvan::products::kMostProductsPerCall);
    for (size_t first = 0; first < lines.size(); first += batchSize) {
        QStringList skus;
        QList<norvan::shop::JsonBody> items;
        for (size_t index = first; index < std::min(first + batchSize, lines.size()); ++index) {
            skus.append(sku(index));
            items.append(norvan::products::batchItemBody(QString::number(index + 1), lines[index]));
        }
        requests.push_back(
            {"GET", "products?" + norvan::products::skuListQuery(skus).toStdString(), {}});
        requests.push_back({"POST", "products/batch",
                            norvan::shop::batchRequestBody(norvan::shop::BatchAction::Update, items)
                                .toStdString()});
    }
    return requests;
}

// The least a client must do for the same work: one handle, one connection, the same URLs,
// header lines and bodies as the program's client sends, the answers received whole and not
// looked at.
void bareCurlLoop(SampleShop& shop, const std::vector<Request>& requests) {
    const std::string baseUrl = shop.baseUrl();
    const norvan::sampleshop::Options keys;
    const std::string authorization =
        "Authorization: Basic " +
        QByteArray::fromStdString(keys.consumerKey + ':' + keys.consumerSecret)
            .toBase64()
            .toStdString();
    std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    std::unique_ptr<curl_slist, HeaderListDeleter> headers;
    for (const std::string& header :
         {std::string("Accept: */*"), std::string("Accept-Charset: UTF-8"),
          std::string("Content-Type: application/json"),
          std::string("User-Agent: NorvanECommerce/" NORVAN_PROJECT_VERSION), authorization,
          std::string("Expect:")})
        headers.reset(curl_slist_append(headers.release(), header.c_str()));
    std::string answer;
    curl_easy_setopt(curl.get(), CURLOPT_NOSIGNAL, 1L);  // as the program's client
    curl_easy_setopt(curl.get(), CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, keepBody);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &answer);

    for (const Request& request : requests) {
        const std::string url = baseUrl + request.target;
        curl_easy_setopt(curl.get(), CURLOPT_URL, url.c_str());
        if (request.body.empty()) {
            curl_easy_setopt(curl.get(), CURLOPT_HTTPGET, 1L);
            curl_easy_setopt(curl.get(), CURLOPT_CUSTOMREQUEST, nullptr);
        } else {
            curl_easy_setopt(curl.get(), CURLOPT_POSTFIELDS, request.body.c_str());
            curl_easy_setopt(curl.get(), CURLOPT_POSTFIELDSIZE,
                             static_cast<long>(request.body.size()));
            curl_easy_setopt(curl.get(), CURLOPT_CUSTOMREQUEST, request.method);
        }
        answer.clear();
        if (curl_easy_perform(curl.get()) != CURLE_OK)
            std::fprintf(stderr, "%s %s failed\n", request.method, request.target.c_str());
        shop.clearRequests();
    }
}

// The window of the program over a program folder whose settings point at the shop, on the
// product page, shown and laid out; boxes are recorded, the clock is the program's.
class BenchWindow {
  public:
    explicit BenchWindow(const SampleShop& shop) {
        norvan::testing::seedSettings(
            folder_, norvan::testing::sampleShopSettings(QString::fromStdString(shop.baseUrl())));
        norvan::app::Environment environment = boxes_.environment(folder_.path());
        environment.clock = norvan::common::systemClock();
        window_ = std::make_unique<norvan::app::TfMain>(std::move(environment));
        window_->setActivePage(window_->tsProduct);
        window_->show();
        while (!window_->windowHandle()->isExposed())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }

    norvan::app::TfMain& window() { return *window_; }
    QStringList errors() const { return boxes_.errorTexts(); }

  private:
    norvan::testing::TempProgramFolder folder_;
    norvan::testing::BoxRecorder boxes_;
    std::unique_ptr<norvan::app::TfMain> window_;
};

// The operator's way: the lines in the list of the product page (as taking the product files
// leaves them), then the update button, whose run is what is timed.
void fillProductList(norvan::app::TfMain& window, const QStringList& lines) {
    window.lstProdTextFile->clear();
    window.lstProdTextFile->addItems(lines);
}

void sendThroughWindow(norvan::app::TfMain& window, Sending sending) {
    window.chbBatch->setChecked(sending == Sending::Batched);
    window.btnUpdateProductClick();
}

double threadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// CPU time of the whole process, the shop's threads included.
double processCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

struct Timing {
    double seconds = 0;
    double clientCpuSeconds = 0;  // the main thread: the client and the window
    double processCpuSeconds = 0;
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

long peakRssKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    // One CPU for the whole program, as in shop_bench: the shop's threads, started later, inherit
    // it, so both sides pay for the same work on the same core whatever else the machine runs.
    cpu_set_t oneCpu;
    CPU_ZERO(&oneCpu);
    CPU_SET(sched_getcpu(), &oneCpu);
    sched_setaffinity(0, sizeof oneCpu, &oneCpu);
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);  // figures show up while a long run goes on
    Settings settings;
    if (!readSettings(argc, argv, settings)) return usage();
    const int count = settings.lines;
    curl_global_init(CURL_GLOBAL_DEFAULT);

    QStringList lines;
    std::vector<norvan::common::NameValueList> lineRows(static_cast<size_t>(count));
    for (int number = 1; number <= count; ++number) {
        lines.append(productLine(number));
        norvan::products::LoadingProds(lines.last(), lineRows[static_cast<size_t>(number - 1)]);
    }
    const std::vector<Request> requests = runRequests(lineRows, settings.sending);

    norvan::sampleshop::Options shopOptions;
    shopOptions.delayPerRequest = settings.delay;
    SampleShop shop(seed(count), shopOptions);
    shop.start();
    // The shop's record of requests is no memory of the run: the bare loop clears it after every
    // line, and while the window's run pumps events it is cleared every 10 ms, so that it stays as
    // small (a record growing over 100 ms made the shop's answers slower).
    QTimer clearRecord;
    QObject::connect(&clearRecord, &QTimer::timeout, [&shop] { shop.clearRequests(); });
    clearRecord.start(10);
    BenchWindow bench(shop);
    std::printf(
        "%d product lines, %zu requests each way, sample shop on %s, %lld ms per request, sending "
        "%s\n",
        count, requests.size(), shop.baseUrl().c_str(),
        static_cast<long long>(settings.delay.count()),
        settings.sending == Sending::LineByLine ? "line by line" : "in batches");
    std::printf("peak RSS after set-up: %ld KiB\n", peakRssKiB());

    // An update adds members to a product, which makes its answers longer: an untimed pass
    // first, so that both timed sides meet the catalogue in the same state.
    bareCurlLoop(shop, requests);
    std::printf("peak RSS after the untimed pass: %ld KiB\n", peakRssKiB());

    std::vector<double> ratios;
    qsizetype updated = 0;
    for (int round = 1; round <= settings.rounds; ++round) {
        const Timing floor = timed([&] { bareCurlLoop(shop, requests); });
        fillProductList(bench.window(), lines);
        const long rssBefore = peakRssKiB();
        const Timing run = timed([&] { sendThroughWindow(bench.window(), settings.sending); });
        ratios.push_back(run.seconds / floor.seconds);
        const QStringList log = bench.window().mLogs->lines();
        updated = std::count_if(log.begin(), log.end(), [](const QString& line) {
            return line.startsWith(QStringLiteral("---Product update successfully"));
        });
        std::printf(
            "round %d: bare loop %.2f s (CPU: client %.2f s, process %.2f s), run in the window "
            "%.2f s (CPU: client and window %.2f s, process %.2f s): ratio %.2f\n",
            round, floor.seconds, floor.clientCpuSeconds, floor.processCpuSeconds, run.seconds,
            run.clientCpuSeconds, run.processCpuSeconds, ratios.back());
        std::printf(
            "round %d: the run's own work %.0f us of CPU per line; peak RSS before the run %ld "
            "KiB, after %ld KiB; log pane %lld lines\n",
            round, (run.clientCpuSeconds - floor.clientCpuSeconds) * 1e6 / count, rssBefore,
            peakRssKiB(), static_cast<long long>(log.size()));
    }
    std::printf("median ratio of %d paired rounds: %.2f (run in the window / bare loop)\n",
                settings.rounds, median(ratios));
    std::printf("products updated in the last run: %lld of %d\n", static_cast<long long>(updated),
                count);
    std::printf("peak RSS: %ld KiB\n", peakRssKiB());
    for (const QString& error : bench.errors())
        std::printf("error box: %s\n", qUtf8Printable(error));
    curl_global_cleanup();
    return updated == count && bench.errors().isEmpty() ? 0 : 1;
}
