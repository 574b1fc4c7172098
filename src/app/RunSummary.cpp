#include "RunSummary.h"

namespace norvan::app {

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
    return QStringLiteral("orders exported %1, status changes retried %2, failed %3")
        .arg(counts.exported)
        .arg(counts.retried)
        .arg(counts.failed);
}

QString runSummary(const products::ProductRunCounts& counts) {
    return QStringLiteral("product lines updated %1, not found %2, refused %3, kept for later %4")
        .arg(counts.updated)
        .arg(counts.notFound)
        .arg(counts.refused)
        .arg(counts.kept);
}

}  // namespace norvan::app
