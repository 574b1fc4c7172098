// Measures the memory that reading one large order takes. A sample shop in a child process serves
// an order of N line items (default 140,000: about 50 MB of JSON) and a customer note of M
// megabytes (default none); this process reads it as the order run does (extractOrder: the GET,
// the formatted layout, the order rows, the field lists and the item count) and prints the
// answer's size and its own peak resident memory before and after the read. The shop lives in
// its own process so that its copies of the order are not counted.
//
//   order_read_bench [line items] [customer note MB]

#include "LargeOrder.h"
#include "orders/OrderExtraction.h"
#include "sample-shop/SampleShop.h"

#include <curl/curl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using namespace norvan;

const char* const kKey = "ck_4f1c2d0b8e7a6950c3b2a1d0e9f8a7b6c5d4e3f2";
const char* const kSecret = "cs_9a8b7c6d5e4f30211f2e3d4c5b6a79881a2b3c4d";

// The child: serves the order until the parent closes its end of the pipe.
[[noreturn]] void serveOrder(int itemCount, int noteMegabytes, int portPipe) {
    nlohmann::ordered_json order = bench::largeOrder(itemCount);
    const std::string sentence = "Please ring twice; the bell of unit 3 is broken. ";
    std::string note;
    while (note.size() < std::size_t(noteMegabytes) * 1024 * 1024) note += sentence;
    order["customer_note"] = note;
    sampleshop::SampleShop shop(
        nlohmann::ordered_json{{"orders", nlohmann::ordered_json::array({order})}});
    shop.start();
    const int port = shop.port();
    if (write(portPipe, &port, sizeof port) != sizeof port) std::_Exit(1);
    char end = 0;
    while (read(portPipe, &end, 1) > 0) {
    }
    shop.stop();
    std::_Exit(0);
}

size_t countBytes(char*, size_t size, size_t count, void* total) {
    *static_cast<curl_off_t*>(total) += curl_off_t(size * count);
    return size * count;
}

// The answer's size, read without keeping it.
long long answerSize(const std::string& url) {
    CURL* curl = curl_easy_init();
    curl_off_t total = 0;
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_USERPWD, (std::string(kKey) + ':' + kSecret).c_str());
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, countBytes);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &total);
    curl_easy_perform(curl);
    curl_easy_cleanup(curl);
    return total;
}

// What the process holds now, the order read among it.
double residentMegabytes() {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (status == nullptr) return 0;
    char line[256];
    long kilobytes = 0;
    while (std::fgets(line, sizeof line, status) != nullptr) {
        if (std::sscanf(line, "VmRSS: %ld kB", &kilobytes) == 1) break;
    }
    std::fclose(status);
    return double(kilobytes) / 1024.0;
}

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

}  // namespace

int main(int argc, char** argv) {
    const int itemCount = argc > 1 ? std::atoi(argv[1]) : 140000;
    const int noteMegabytes = argc > 2 ? std::atoi(argv[2]) : 0;
    int pipeEnds[2];
    if (socketpair(AF_UNIX, SOCK_STREAM, 0, pipeEnds) != 0) return 1;
    const pid_t child = fork();
    if (child < 0) return 1;
    if (child == 0) {
        close(pipeEnds[0]);
        serveOrder(itemCount, noteMegabytes, pipeEnds[1]);
    }
    close(pipeEnds[1]);
    int port = 0;
    if (read(pipeEnds[0], &port, sizeof port) != sizeof port) return 1;
    const QString baseUrl = QStringLiteral("http://127.0.0.1:%1/wp-json/wc/v3/").arg(port);

    const long long bytes = answerSize(baseUrl.toStdString() + "orders/727/");
    const double before = peakMegabytes();
    orders::ExtractedOrder order;
    int status = 0;
    try {
        orders::extractOrder({baseUrl, QString::fromLatin1(kKey), QString::fromLatin1(kSecret)},
                             QStringLiteral("orders/"), QStringLiteral("727"),
                             QStringLiteral("line_items"), order);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "the order was not read: %s\n", error.what());
        status = 1;
    }
    const double after = peakMegabytes();
    const double held = residentMegabytes();
    close(pipeEnds[0]);
    waitpid(child, nullptr, 0);

    const double answer = double(bytes) / (1024.0 * 1024.0);
    std::printf(
        "order with %d line items and a note of %d MB: answer %.1f MB, %lld order rows, item "
        "count %d\n",
        itemCount, noteMegabytes, answer, static_cast<long long>(order.rows.count()),
        order.itemCount.value_or(-1));
    std::printf("peak resident memory before reading    %8.1f MB\n", before);
    std::printf("peak resident memory after reading     %8.1f MB\n", after);
    std::printf("growth of the peak                     %8.1f MB (%.1f times the answer)\n",
                after - before, (after - before) / answer);
    std::printf("resident while holding the read order  %8.1f MB\n", held);
    return status;
}
