// Measures what one large order costs the real program, window and all. A sample shop in a child
// process serves an order of N line items and a customer note of M megabytes (default: one line
// item and a note of 50 MB); the program, copied into a temporary program folder whose settings
// have the unattended mode on, exports it in its first order run, offscreen. Prints the seconds
// from the program's start to the order run's summary in the day's log, the program's peak
// resident memory (the program is ended once the summary is written) and the summaries.
//
//   large_order_window_bench [line items] [customer note MB] [note mapped: 0/1] [program]
//
// The order file carries id and total, and the customer note with "note mapped" 1 (the default).
// The program defaults to the one of this build; pass another build's to compare.

#include "LargeOrder.h"
#include "settings/SettingsDatabase.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

using namespace norvan;
using Clock = std::chrono::steady_clock;

QString logText(const QDir& logs) {
    QString text;
    for (const QString& name : logs.entryList(QDir::Files)) {
        QFile file(logs.filePath(name));
        if (file.open(QIODevice::ReadOnly)) text += QString::fromUtf8(file.readAll());
    }
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    const int itemCount = argc > 1 ? std::atoi(argv[1]) : 1;
    const int noteMegabytes = argc > 2 ? std::atoi(argv[2]) : 50;
    const bool noteMapped = argc > 3 ? std::atoi(argv[3]) != 0 : true;
    const QString source =
        argc > 4 ? QString::fromLocal8Bit(argv[4]) : QStringLiteral(NORVAN_PROGRAM_FILE);

    const bench::ServedLargeOrder shop(itemCount, noteMegabytes);
    const double answer = double(shop.answerSize()) / (1024.0 * 1024.0);
    QTemporaryDir folder;
    const QString program = folder.filePath(QStringLiteral("NorvanECommerce"));
    if (!QFile::copy(source, program)) {
        std::fprintf(stderr, "cannot copy %s\n", qPrintable(source));
        return 1;
    }
    {
        settings::SettingsDatabase database(folder.filePath(QStringLiteral("EcomDB.s3db")));
        settings::SettingsRow row;
        row.ecomUrl = shop.baseUrl();
        row.siteUser = QString::fromLatin1(bench::ServedLargeOrder::kKey);
        row.sitePass = QString::fromLatin1(bench::ServedLargeOrder::kSecret);
        row.consKey = true;
        row.prodRes = QStringLiteral("products/");
        row.orderRes = QStringLiteral("orders/");
        row.itemTitle = QStringLiteral("line_items");
        row.statusAz = QStringLiteral("processing");
        row.statusTo = QStringLiteral("completed");
        row.automatic = true;
        database.saveSettings(row);
        database.saveOrderMapping(
            noteMapped ? QStringLiteral("id;customer_note;total;") : QStringLiteral("id;total;"),
            QStringLiteral("sku;quantity;"));
    }

    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child < 0) return 1;
    if (child == 0) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        const QByteArray path = QFile::encodeName(program);
        execl(path.constData(), path.constData(), static_cast<char*>(nullptr));
        std::_Exit(127);
    }
    const QDir logs(folder.filePath(QStringLiteral("Logs")));
    const QString orderSummary = QStringLiteral("orders/unattended summary");
    double seconds = -1;
    for (int status = 0; waitpid(child, &status, WNOHANG) == 0;) {
        if (logText(logs).contains(orderSummary)) {
            seconds = std::chrono::duration<double>(Clock::now() - start).count();
            kill(child, SIGTERM);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    rusage usage{};
    int status = 0;
    wait4(child, &status, 0, &usage);

    std::printf("order with %d line items and a note of %d MB (%s): answer %.1f MB\n", itemCount,
                noteMegabytes, noteMapped ? "mapped" : "not mapped", answer);
    std::printf("seconds to the order run's summary  %8.1f\n", seconds);
    std::printf("peak resident memory of the program %8.1f MB\n", double(usage.ru_maxrss) / 1024.0);
    for (const QString& line : logText(logs).split(QStringLiteral("\r\n"))) {
        if (line.contains(QStringLiteral(" summary: ")))
            std::printf("  %s\n", qPrintable(line.mid(line.indexOf(u' ', 11) + 1)));
    }
    return seconds < 0 ? 1 : 0;
}
