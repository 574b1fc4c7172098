// Times the product run as the program makes it against the least a client must do and against
// the official WooCommerce Node client, side by side in every round: the window (TfMain, shown
// offscreen, as the window tests start it) sends a product file of N lines (default 3,000) over
// the 100 products of the sample shop's catalogue, cycled, to the shop on loopback. A round runs,
// for each way of sending, a bare libcurl loop that sends the same requests, then the run in the
// window, and in batches the Node script; its figures are the ratios of those times, and the
// bench prints the medians of the rounds' ratios. The whole program keeps to one CPU, and so does
// the Node script. The program folder is made on a disk by default, where the run pays for its
// disk syncs as the program does; every sync of the process is counted.
//
//   products_bench [lines] [rounds] [--products N] [--delay-ms N] [--sending line|batch|both]
//                  [--folder-in DIR] [--no-node]

#include "BareCurlLoop.h"
#include "BenchProducts.h"
#include "BenchWindow.h"
#include "FolderPlace.h"
#include "LoadAverage.h"
#include "NodeClientSide.h"
#include "Sending.h"
#include "SyncCount.h"
#include "Timing.h"
#include "products/ProductLookup.h"
#include "sample-shop/SampleShop.h"

#include <curl/curl.h>

#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace norvan::bench;
using norvan::sampleshop::SampleShop;

struct Settings {
    int lines = 3000;
    int rounds = 5;
    int products = 100;
    std::chrono::milliseconds delay{};
    std::vector<Sending> sendings{Sending::Batched, Sending::LineByLine};
    QString folderIn;  // "" for the default: see folderPlace
    bool node = true;
};

int usage() {
    std::fprintf(stderr,
                 "usage: products_bench [lines] [rounds] [--products N] [--delay-ms N] "
                 "[--sending line|batch|both] [--folder-in DIR] [--no-node]\n"
                 "       (--products: at least 100, so that a batch never names a SKU twice)\n");
    return 2;
}

bool readSettings(int argc, char** argv, Settings& settings) {
    std::vector<std::string> counts;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool valued = i + 1 < argc;
        if (argument == "--delay-ms" && valued) {
            settings.delay = std::chrono::milliseconds(std::max(0, std::atoi(argv[++i])));
        } else if (argument == "--products" && valued) {
            settings.products = std::atoi(argv[++i]);
        } else if (argument == "--folder-in" && valued) {
            settings.folderIn = QString::fromLocal8Bit(argv[++i]);
        } else if (argument == "--sending" && valued) {
            const std::string sending = argv[++i];
            if (sending == "line")
                settings.sendings = {Sending::LineByLine};
            else if (sending == "batch")
                settings.sendings = {Sending::Batched};
            else if (sending != "both")
                return false;
        } else if (argument == "--no-node") {
            settings.node = false;
        } else if (!argument.empty() && argument[0] != '-') {
            counts.push_back(argument);
        } else {
            return false;
        }
    }
    if (counts.size() > 2 || settings.products < norvan::products::kMostProductsPerCall)
        return false;
    if (!counts.empty()) settings.lines = std::max(1, std::atoi(counts[0].c_str()));
    if (counts.size() == 2) settings.rounds = std::max(1, std::atoi(counts[1].c_str()));
    return true;
}

const char* nameOf(Sending sending) {
    return sending == Sending::Batched ? "batched" : "line by line";
}

const char* floorRatioName(Sending sending) {
    return sending == Sending::Batched ? "batched run / bare loop" : "line-by-line run / bare loop";
}

// The rounds' ratios under their names, in the order first met.
class Ratios {
  public:
    void add(const std::string& name, double ratio) {
        if (!values_.count(name)) names_.push_back(name);
        values_[name].push_back(ratio);
    }
    const std::vector<std::string>& names() const { return names_; }
    const std::vector<double>& of(const std::string& name) const { return values_.at(name); }

  private:
    std::vector<std::string> names_;
    std::map<std::string, std::vector<double>> values_;
};

// What the program aims at, by ratio: at most (`atMost`) or at least the value.
struct Target {
    const char* ratio;
    double value;
    bool atMost;
};

constexpr Target kTargets[] = {
    {"batched run / bare loop", 2.0, true},
    {"Node script / batched run", 1.2, false},
    {"line-by-line run / bare loop", 1.5, true},
};

std::string targetOf(const std::string& ratio, double value) {
    for (const Target& target : kTargets) {
        if (ratio != target.ratio) continue;
        const double shown = std::round(value * 100) / 100;  // as printed: 1.199 meets 1.2
        const bool met = target.atMost ? shown <= target.value : shown >= target.value;
        return QString::asprintf("; target: %s %.1f, %s", target.atMost ? "at most" : "at least",
                                 target.value, met ? "met" : "not met")
            .toStdString();
    }
    return {};
}

// The three sides of a round, each timed and reported on a line of its own.
struct Sides {
    SampleShop& shop;
    BenchWindow& bench;
    NodeClientSide* node;  // null without the Node side
    const BenchProducts& file;
    const std::map<Sending, std::vector<Request>>& requests;
    double floorThreadCpu = 0;  // of the last bare loop
    bool allUpdated = true;

    int lines() const { return static_cast<int>(file.lines.size()); }

    // Each side's time in seconds.
    double bareLoop(int round, Sending sending) {
        const std::vector<Request>& sent = requests.at(sending);
        const int connections = shop.connectionCount();
        const Timing floor = timed([&] { bareCurlLoop(shop, sent); });
        floorThreadCpu = floor.threadCpuSeconds;
        std::printf(
            "round %d, %s, bare loop: %.2f s, %zu requests on %d connection(s) (CPU: "
            "client %.2f s, process %.2f s)\n",
            round, nameOf(sending), floor.seconds, sent.size(),
            shop.connectionCount() - connections, floor.threadCpuSeconds, floor.processCpuSeconds);
        return floor.seconds;
    }

    double runInTheWindow(int round, Sending sending, double floorSeconds) {
        bench.fillProductList(file.lines);
        const long rssBefore = peakRssKiB();
        const long long syncsBefore = syncCount();
        const int connections = shop.connectionCount();
        const Timing run = timed([&] { bench.pressUpdate(sending); });
        const long long syncs = syncCount() - syncsBefore;
        const qsizetype updated = bench.updatedInLog();
        allUpdated = allUpdated && updated == lines();
        std::printf(
            "round %d, %s, run in the window: %.2f s = %.2f x the bare loop, on %d connection(s) "
            "(CPU: client and window %.2f s, process %.2f s; its own work %.0f us a line); %lld "
            "disk syncs, %.3f a line; %lld of %d updated; log pane %lld lines; peak RSS %ld -> "
            "%ld KiB\n",
            round, nameOf(sending), run.seconds, run.seconds / floorSeconds,
            shop.connectionCount() - connections, run.threadCpuSeconds, run.processCpuSeconds,
            (run.threadCpuSeconds - floorThreadCpu) * 1e6 / lines(), syncs,
            static_cast<double>(syncs) / lines(), static_cast<long long>(updated), lines(),
            static_cast<long long>(bench.logLines()), rssBefore, peakRssKiB());
        return run.seconds;
    }

    // The script's own time and its process's.
    std::pair<double, double> nodeScript(int round) {
        const std::string origin = "http://127.0.0.1:" + std::to_string(shop.port());
        const int connections = shop.connectionCount();
        NodeClientSide::Result script;
        const Timing process =
            timed([&] { script = node->run(origin, [this] { shop.clearRequests(); }); });
        allUpdated = allUpdated && script.error.isEmpty() && script.updated == lines();
        if (!script.error.isEmpty())
            std::printf("round %d, Node script: %s\n", round, qUtf8Printable(script.error));
        std::printf(
            "round %d, batched, Node script: %.2f s, on %d connection(s) (the process "
            "%.2f s, its CPU %.2f s, the shop's %.2f s); %d of %d updated, %d failed\n",
            round, script.scriptSeconds, shop.connectionCount() - connections, process.seconds,
            process.childCpuSeconds, process.processCpuSeconds, script.updated, lines(),
            script.failed);
        return {script.scriptSeconds, process.seconds};
    }
};

}  // namespace

int main(int argc, char** argv) {
    // One CPU for the whole program, as in shop_bench: the shop's threads and the Node script,
    // started later, inherit it, so every side pays for the same work on the same core whatever
    // else the machine runs.
    keepToOneCpu();
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);  // figures show up while a long run goes on
    Settings settings;
    if (!readSettings(argc, argv, settings)) return usage();
    const int count = settings.lines;
    curl_global_init(CURL_GLOBAL_DEFAULT);

    const BenchProducts file = benchProducts(count, settings.products);
    std::map<Sending, std::vector<Request>> requests;
    for (Sending sending : settings.sendings) requests[sending] = runRequests(file, sending);

    norvan::sampleshop::Options shopOptions;
    shopOptions.delayPerRequest = settings.delay;
    SampleShop shop(benchCatalogue(settings.products), shopOptions);
    shop.start();
    // The shop's record of requests is no memory of the run: the bare loop clears it after every
    // request, and while the window's run pumps events or the Node script runs it is cleared
    // every 10 ms, so that it stays as small (a record growing over 100 ms made the shop's
    // answers slower).
    QTimer clearRecord;
    QObject::connect(&clearRecord, &QTimer::timeout, [&shop] { shop.clearRequests(); });
    clearRecord.start(10);
    const FolderPlace place = folderPlace(settings.folderIn);
    BenchWindow bench(shop, place.folder);
    const bool batched = requests.count(Sending::Batched) > 0;
    std::optional<NodeClientSide> node;
    if (batched && settings.node) node.emplace(QStringLiteral(NORVAN_NODE_SIDE_FOLDER), file);
    const bool withNode = node && node->missing().isEmpty();

    std::printf("%d product lines over %d products, sample shop on %s, %lld ms per request\n",
                count, settings.products, shop.baseUrl().c_str(),
                static_cast<long long>(settings.delay.count()));
    std::printf("program folder: %s (%s on %s: %s)\n", qUtf8Printable(bench.folder()),
                qUtf8Printable(place.fileSystem), qUtf8Printable(place.device),
                place.inMemory ? "in memory" : "on a disk");
    if (withNode)
        std::printf("Node side: %s\n", qUtf8Printable(node->versions()));
    else if (batched)
        std::printf("Node side skipped: %s\n",
                    node ? qUtf8Printable(node->missing()) : "--no-node");
    std::printf("peak RSS after set-up: %ld KiB\n", peakRssKiB());

    // An update adds members to a product, which makes its answers longer: an untimed pass
    // first, so that every timed side meets the catalogue in the same state.
    bareCurlLoop(shop, requests.begin()->second);

    Sides sides{shop, bench, withNode ? &*node : nullptr, file, requests};
    Ratios ratios;
    for (int round = 1; round <= settings.rounds; ++round) {
        for (Sending sending : settings.sendings) {
            const double floor = sides.bareLoop(round, sending);
            const double run = sides.runInTheWindow(round, sending, floor);
            ratios.add(floorRatioName(sending), run / floor);
            QString roundRatios = QString::asprintf("run / bare loop %.2f", run / floor);
            if (sending == Sending::Batched && sides.node) {
                const auto [script, process] = sides.nodeScript(round);
                ratios.add("Node script / batched run", script / run);
                ratios.add("Node process / batched run", process / run);
                roundRatios +=
                    QString::asprintf(", Node script / run %.2f (the Node process: %.2f)",
                                      script / run, process / run);
            }
            std::printf("round %d, %s: %s; load average %s\n", round, nameOf(sending),
                        qUtf8Printable(roundRatios), loadAverage().c_str());
        }
    }

    std::printf("medians of %d rounds (load average %s):\n", settings.rounds,
                loadAverage().c_str());
    for (const std::string& name : ratios.names()) {
        const std::vector<double>& values = ratios.of(name);
        const double middle = median(values);
        std::printf("  %s: %.2f (%.2f to %.2f)%s\n", name.c_str(), middle,
                    *std::min_element(values.begin(), values.end()),
                    *std::max_element(values.begin(), values.end()),
                    targetOf(name, middle).c_str());
    }
    std::printf("peak RSS: %ld KiB; disk syncs of the whole process, set-up included: %lld\n",
                peakRssKiB(), syncCount());
    for (const QString& error : bench.errors())
        std::printf("error box: %s\n", qUtf8Printable(error));
    curl_global_cleanup();
    return sides.allUpdated && bench.errors().isEmpty() ? 0 : 1;
}
