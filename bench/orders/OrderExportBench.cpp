// Times the order steps on a large order built in memory: flattening the shop's JSON text into
// order rows, field lists and item count; building the order file's lines from 15 mapped item
// fields; and normalising and writing the file. Prints the milliseconds of each step, the best of
// several rounds.
//
//   orders_bench [line items]   (default 2,000)

#include "LargeOrder.h"
#include "common/TextLines.h"
#include "orders/NormalizeDigits.h"
#include "orders/OrderExtraction.h"
#include "orders/OrderFile.h"
#include "orders/OrderLines.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace {

using namespace norvan;

struct Timings {
    double flatten = std::numeric_limits<double>::max();
    double lines = std::numeric_limits<double>::max();
    double file = std::numeric_limits<double>::max();
};

double millisecondsOf(QElapsedTimer& timer) {
    return double(timer.nsecsElapsed()) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    const int itemCount = argc > 1 ? std::atoi(argv[1]) : 2000;
    const QString json = QString::fromStdString(bench::largeOrder(itemCount).dump(2));
    QTemporaryDir folder;
    Timings best;
    QString lastFile;
    for (int round = 0; round < 5; ++round) {
        QElapsedTimer timer;
        timer.start();
        orders::ExtractedOrder order;
        orders::GetWooCommerceOrdersValue(json, QStringLiteral("727"), QStringLiteral("line_items"),
                                          order);
        best.flatten = std::min(best.flatten, millisecondsOf(timer));

        timer.restart();
        const orders::OrderFileSource source{
            order.rows,
            {"id", "billing.first_name", "billing.address_1", "total", "customer_note"},
            bench::kLineItemFields,
            QStringLiteral("line_items"),
            QString::number(*order.itemCount)};
        QStringList lines;
        orders::GenerateCOMSTR(source, lines);
        best.lines = std::min(best.lines, millisecondsOf(timer));

        timer.restart();
        lastFile =
            orders::writeOrderFile(folder.path(), orders::NormalizeDigits(common::joinLines(lines)),
                                   QDateTime(QDate(2024, 5, 17), QTime(14, 3, 22)));
        best.file = std::min(best.file, millisecondsOf(timer));
        if (lines.size() != itemCount + 1) {
            std::fprintf(stderr, "expected %d lines, got %lld\n", itemCount + 1,
                         static_cast<long long>(lines.size()));
            return 1;
        }
    }
    std::printf("order with %d line items of %lld mapped fields (%lld bytes of JSON)\n", itemCount,
                static_cast<long long>(bench::kLineItemFields.size()),
                static_cast<long long>(json.size()));
    std::printf("flatten (rows, field lists, count)  %8.1f ms\n", best.flatten);
    std::printf("GenerateCOMSTR                      %8.1f ms\n", best.lines);
    std::printf("NormalizeDigits + file write        %8.1f ms\n", best.file);
    std::printf("total                               %8.1f ms\n",
                best.flatten + best.lines + best.file);
    return 0;
}
