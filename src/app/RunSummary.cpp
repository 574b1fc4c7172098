#include "RunSummary.h"

#include <QStringList>

namespace norvan::app {

namespace {

// Appends "<count> <words>" when the count is not zero.
template <typename Count>
void addCount(QStringList& parts, Count count, const char* words) {
    if (count != 0) parts.append(QStringLiteral("%1 %2").arg(count).arg(QLatin1String(words)));
}

}  // namespace

void OrderRunCounts::add(const orders::OrderExportOutcome& outcome) {
    if (!outcome.statusChanged)
        ++failed;
    else if (outcome.writtenBefore)
        ++retried;
    else
        ++exported;
}

QString runSummary(const shop::CheckOutcome& outcome) {
    switch (outcome.answer) {
        case shop::CheckOutcome::Answer::Listed:
            return QStringLiteral("answered, ids listed %1").arg(outcome.idsListed);
        case shop::CheckOutcome::Answer::Failed:
            return QStringLiteral("failed");
        case shop::CheckOutcome::Answer::NotAsked:
            break;
    }
    return QStringLiteral("nothing asked");
}

QString runSummary(const OrderRunCounts& counts) {
    QString summary = QStringLiteral("orders exported %1, status changes retried %2, failed %3")
                          .arg(counts.exported)
                          .arg(counts.retried)
                          .arg(counts.failed);
    if (counts.listingFailed) summary += QStringLiteral(", listing failed");
    return summary;
}

QString runSummary(const products::ProductRunCounts& counts) {
    return QStringLiteral("product lines updated %1, not found %2, refused %3, kept for later %4")
        .arg(counts.updated)
        .arg(counts.notFound)
        .arg(counts.refused)
        .arg(counts.kept);
}

RunOutcome runOutcome(const OrderRunCounts& counts) {
    QStringList parts{QStringLiteral("%1 exported").arg(counts.exported)};
    addCount(parts, counts.retried, "retried");
    addCount(parts, counts.failed, "failed");
    if (counts.listingFailed) parts.append(QStringLiteral("listing failed"));
    return {.text = QStringLiteral("Orders: ") + parts.join(QStringLiteral(", ")),
            .callsForOperator = counts.failed != 0 || counts.listingFailed};
}

RunOutcome runOutcome(const products::ProductRunCounts& counts) {
    QStringList parts{QStringLiteral("%1 updated").arg(counts.updated)};
    addCount(parts, counts.notFound, "not found");
    addCount(parts, counts.refused, "refused");
    addCount(parts, counts.kept, "kept for later");
    return {.text = QStringLiteral("Products: ") + parts.join(QStringLiteral(", ")),
            .callsForOperator = counts.notFound != 0 || counts.refused != 0 || counts.kept != 0};
}

}  // namespace norvan::app
