// Times the order steps on a large order built in memory: flattening the shop's JSON text into
// order rows, field lists and item count; building the order file's lines from 15 mapped item
// fields; and normalising and writing the file. Prints the milliseconds of each step, the best of
// several rounds.
//
//   orders_bench [line items]   (default 2,000)

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
#include <nlohmann/json.hpp>

namespace {

using namespace norvan;

const QStringList kItemFields = {"id",          "name",
                                 "product_id",  "variation_id",
                                 "quantity",    "tax_class",
                                 "subtotal",    "subtotal_tax",
                                 "total",       "total_tax",
                                 "sku",         "price",
                                 "parent_name", "global_unique_id",
                                 "note"};

// An order as the shop sends it, with the given number of line items of 15 fields and a meta
// data entry each.
QString orderJson(int itemCount) {
    nlohmann::ordered_json order = {{"id", 727},
                                    {"status", "processing"},
                                    {"total", "4060000"},
                                    {"billing",
                                     {{"first_name", "\u0645\u0631\u06CC\u0645"},
                                      {"address_1", "\u0628\u0644\u0648\u0627\u0631 \u06F1\u06F2"},
                                      {"city", "\u0645\u0634\u0647\u062F"}}},
                                    {"customer_note", ""}};
    nlohmann::ordered_json items = nlohmann::ordered_json::array();
    for (int i = 0; i < itemCount; ++i) {
        items.push_back({{"id", 1000 + i},
                         {"name", "\u0632\u0639\u0641\u0631\u0627\u0646 \u06F4\u066B\u06F6"},
                         {"product_id", 12},
                         {"variation_id", 0},
                         {"quantity", 1 + i % 5},
                         {"tax_class", ""},
                         {"subtotal", "1850000"},
                         {"subtotal_tax", "0"},
                         {"total", "1850000"},
                         {"total_tax", "0"},
                         {"sku", "B-" + std::to_string(i)},
                         {"price", 1850000.5},
                         {"parent_name", "x"},
                         {"global_unique_id", ""},
                         {"note", "line\nbreak"},
                         {"meta_data", {{{"id", i}, {"key", "_reduced_stock"}, {"value", "1"}}}}});
    }
    order["line_items"] = items;
    return QString::fromStdString(order.dump(2));
}

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
    const QString json = orderJson(itemCount);
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
            kItemFields,
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
                static_cast<long long>(kItemFields.size()), static_cast<long long>(json.size()));
    std::printf("flatten (rows, field lists, count)  %8.1f ms\n", best.flatten);
    std::printf("GenerateCOMSTR                      %8.1f ms\n", best.lines);
    std::printf("NormalizeDigits + file write        %8.1f ms\n", best.file);
    std::printf("total                               %8.1f ms\n",
                best.flatten + best.lines + best.file);
    return 0;
}
