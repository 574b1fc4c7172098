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

// An earlier run was cut short, or failed, before it gave the order's part file its name.
bool partFileLeft(const std::optional<settings::OrderJournalEntry>& entry) {
    return entry && entry->state == settings::OrderJournalEntry::State::Writing &&
           QFileInfo::exists(entry->partFile);
}

QString modifiedGmtOf(const OrderFileSource& source) {
    return source.rows.value(QStringLiteral("date_modified_gmt"));
}

// The shop changed the order since its file was written, and it is not in the target status:
// the earlier status change was applied, its answer lost, and the order was put back since.
// (The shop moves date_modified_gmt with every change of the order; the status change alone,
// not confirmed, leaves it as it was.)
bool putBackSinceWritten(const settings::OrderJournalEntry& entry, const OrderFileSource& source,
                         const StatusChange& change) {
    const QString modifiedGmt = modifiedGmtOf(source);
    return !entry.modifiedGmt.isEmpty() && !modifiedGmt.isEmpty() &&
           modifiedGmt != entry.modifiedGmt &&
           source.rows.value(QStringLiteral("status")) != change.statusTo;
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

// The steps are recorded so that a run cut short at any instant, or failing on a full disk, can
// tell from the journal and the disk whether the order's file exists: the part file is written
// and synced before an entry names it, each name is recorded (on disk) before the part file is
// given it, and a part file goes only once no entry names it.
QString writeRecordedOrderFile(const QString& folder, const QString& text, const QDateTime& time,
                               const QString& orderId, const QString& modifiedGmt,
                               settings::OrderJournal& journal) {
    OrderFileDraft draft(folder, time);
    draft.write(text);  // failing, the draft removes its part file, which nothing names yet
    QString path;
    try {
        path = draft.name([&](const QString& candidate) {
            journal.recordWriting(orderId, draft.partPath(), candidate, modifiedGmt);
        });
    } catch (...) {
        // Naming fails only after the record was tried, and a commit that failed may still have
        // reached the disk.
        if (!draft.named()) {
            try {
                journal.forget(orderId);
            } catch (...) {
                draft.keepPart();  // the database cannot be written either: the entry names it
            }
        }
        throw;
    }
    journal.recordWritten(orderId, path, modifiedGmt);
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
    const std::optional<settings::OrderJournalEntry> entry = journal.find(change.orderId);
    // An entry whose file is missing means the order was never delivered. Checked right before
    // the status change, so that only an order whose file is there is moved.
    const bool named = entry && !partFileLeft(entry);
    const bool delivered = named && QFileInfo(entry->orderFile).isFile();
    if (delivered && !putBackSinceWritten(*entry, source, change)) {
        outcome.orderFile = entry->orderFile;
        outcome.writtenBefore = true;
        window.appendLog(QStringLiteral("---Order ") + change.orderId +
                         QStringLiteral(" was already exported to ") + outcome.orderFile +
                         QStringLiteral("; only its status is changed."));
    } else {
        if (named) {
            window.appendLog(
                QStringLiteral("---Order ") + change.orderId +
                (delivered ? QStringLiteral(" was changed in the shop since it was exported to ")
                           : QStringLiteral(" has no file ")) +
                entry->orderFile + QStringLiteral("; it is exported again."));
        }
        if (entry && entry->state == settings::OrderJournalEntry::State::Writing) {
            journal.forget(change.orderId);  // first: the part file goes once nothing names it
            QFile::remove(entry->partFile);
        }
        outcome.orderFile = writeRecordedOrderFile(folder, text, clock(), change.orderId,
                                                   modifiedGmtOf(source), journal);
    }
    outcome.statusChanged = changeOrderStatus(change, journal, window);
    return outcome;
}

}  // namespace norvan::orders
