#include "OrderExport.h"

#include "NormalizeDigits.h"
#include "OrderFile.h"
#include "common/Error.h"
#include "common/TextLines.h"
#include "settings/OrderJournal.h"
#include "shop/JsonBody.h"
#include "shop/ResultText.h"
#include "shop/TWooCommerceAPI.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <optional>

namespace norvan::orders {

namespace {

// True once the shop confirmed the change; the journal then forgets the order, before the
// window's pending events can start another run.
bool changeOrderStatus(const StatusChange& change, settings::OrderJournal& journal,
                       OrderExportWindow& window) {
    shop::TWooCommerceAPI client(change.connection);
    window.appendLog(QStringLiteral("---Changing status order:  ") + change.orderId +
                     QStringLiteral(" //Az:  ") + change.statusAz + QStringLiteral(" To:  ") +
                     change.statusTo);
    client.setOrderRes(change.orderRes + change.orderId + u'/');
    const QString result =
        client.UpdateOrder(shop::JsonBody().add(QStringLiteral("status"), change.statusTo));
    if (shop::isFailureResult(result)) {
        shop::logResponseError(window, result);
        shop::logShopSays(window, client.lastFailure().message);
        shop::logMovedTo(window, client.movedTo());
        return false;
    }
    journal.forget(change.orderId);
    window.appendLog(QStringLiteral("---Update status /\"ORDER\"\\ successfully."));
    window.processEvents();
    return true;
}

// The file an earlier run wrote for the order, if any. A part file still there was never named:
// it is removed and the order written anew. One that is gone was given the name recorded last.
std::optional<QString> exportedFile(const QString& orderId, settings::OrderJournal& journal) {
    const std::optional<settings::OrderJournalEntry> entry = journal.find(orderId);
    if (!entry) return std::nullopt;
    using State = settings::OrderJournalEntry::State;
    if (entry->state == State::Written) return entry->orderFile;
    if (!QFile::exists(entry->partFile)) {
        journal.recordWritten(orderId, entry->orderFile);
        return entry->orderFile;
    }
    journal.forget(orderId);  // first: an entry whose part file is gone means a named file
    QFile::remove(entry->partFile);
    return std::nullopt;
}

// A part file that no entry names is left by a run cut short between making it and recording it.
void removeStrayPartFiles(const QString& folder, const settings::OrderJournal& journal) {
    QStringList recorded;
    for (const QString& part : journal.partFiles()) recorded.append(QFileInfo(part).fileName());
    const QFileInfoList parts = QDir(folder).entryInfoList(
        {QStringLiteral(".Order_*.part")}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo& part : parts)
        if (!recorded.contains(part.fileName())) QFile::remove(part.filePath());
}

// Every step is recorded before the next, so that a run cut short at any instant can tell
// whether the order's file exists: the entry is made once the part file exists, and each name is
// recorded before the part file is given it.
QString writeRecordedOrderFile(const QString& folder, const QString& text, const QDateTime& time,
                               const QString& orderId, settings::OrderJournal& journal) {
    OrderFileDraft draft(folder, time);
    journal.recordWriting(orderId, draft.partPath(), draft.firstName());
    QString path;
    try {
        draft.write(text);
        path = draft.name([&](const QString& candidate) {
            journal.recordWriting(orderId, draft.partPath(), candidate);
        });
    } catch (...) {
        journal.forget(orderId);  // before the draft removes its part file
        throw;
    }
    journal.recordWritten(orderId, path);
    return path;
}

}  // namespace

OrderExportOutcome exportOrder(const OrderFileSource& source, const StatusChange& change,
                               const QString& appPath, const common::Clock& clock,
                               settings::OrderJournal& journal, OrderExportWindow& window) {
    QStringList lines;
    try {
        GenerateCOMSTR(source, lines);
    } catch (...) {
        window.setFacText(common::joinLines(lines));  // the lines built up to the fault
        throw;
    }
    const QString text = NormalizeDigits(common::joinLines(lines));
    window.setFacText(text);

    if (change.orderId.isEmpty()) throw Error(QStringLiteral("List index out of bounds (-1)"));

    const QString folder = QDir(appPath).filePath(QStringLiteral("Orders"));
    QDir().mkpath(folder);  // a folder that cannot be made fails the file's creation below
    removeStrayPartFiles(folder, journal);
    OrderExportOutcome outcome;
    if (const std::optional<QString> exported = exportedFile(change.orderId, journal)) {
        outcome.orderFile = *exported;
        outcome.writtenBefore = true;
        window.appendLog(QStringLiteral("---Order ") + change.orderId +
                         QStringLiteral(" was already exported to ") + outcome.orderFile +
                         QStringLiteral("; only its status is changed."));
    } else {
        outcome.orderFile = writeRecordedOrderFile(folder, text, clock(), change.orderId, journal);
    }
    outcome.statusChanged = changeOrderStatus(change, journal, window);
    return outcome;
}

}  // namespace norvan::orders
