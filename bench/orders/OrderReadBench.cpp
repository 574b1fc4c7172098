// Measures the memory that reading one large order takes. A sample shop in a child process serves
// an order of N line items (default 140,000: about 50 MB of JSON) and a customer note of M
// megabytes (default none); this process reads it as the order run does (extractOrder: the GET,
// the order rows, the field lists and the item count) and prints the answer's size and its own
// peak resident memory before and after the read. The shop lives in its own process so that its
// copies of the order are not counted.
//
//   order_read_bench [line items] [customer note MB]

#include "LargeOrder.h"
#include "orders/OrderExtraction.h"

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using namespace norvan;

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
    orders::ExtractedOrder order;
    int status = 0;
    double answer = 0;
    double before = 0;
    double after = 0;
    double held = 0;
    {
        const bench::ServedLargeOrder shop(itemCount, noteMegabytes);
        answer = double(shop.answerSize()) / (1024.0 * 1024.0);
        before = peakMegabytes();
        try {
            orders::extractOrder(
                {shop.baseUrl(), QString::fromLatin1(bench::ServedLargeOrder::kKey),
                 QString::fromLatin1(bench::ServedLargeOrder::kSecret)},
                QStringLiteral("orders/"), QStringLiteral("727"), QStringLiteral("line_items"),
                order);
        } catch (const std::exception& error) {
            std::fprintf(stderr, "the order was not read: %s\n", error.what());
            status = 1;
        }
        after = peakMegabytes();
        held = residentMegabytes();
    }

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
