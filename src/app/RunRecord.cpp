#include "RunRecord.h"

#include "ErrorMessage.h"
#include "TextPaneView.h"

namespace norvan::app {

namespace {

QString runName(RunKind kind, RunMode mode) {
    QString name;
    switch (kind) {
        case RunKind::Check:
            name = QStringLiteral("check");
            break;
        case RunKind::Orders:
            name = QStringLiteral("orders");
            break;
        case RunKind::Products:
            name = QStringLiteral("products");
            break;
    }
    return name +
           (mode == RunMode::ByHand ? QStringLiteral("/hand") : QStringLiteral("/unattended"));
}

}  // namespace

RunRecord::RunRecord(common::DailyLogFile& file, RunKind kind, RunMode mode,
                     TextPaneView* errorPane)
    : file_(file), mode_(mode), run_(runName(kind, mode)), errorPane_(errorPane) {}

void RunRecord::appendLine(TextPaneView& pane, const QString& line) {
    pane.appendLine(line);
    file_.append(run_, pane.objectName(), line);
}

void RunRecord::appendLines(TextPaneView& pane, const QStringList& lines) {
    for (const QString& line : lines) pane.appendLine(line);
    file_.append(run_, pane.objectName(), lines);
}

void RunRecord::recordLines(const TextPaneView& pane, const QStringList& lines) {
    file_.append(run_, pane.objectName(), lines);
}

void RunRecord::carryOut(const std::function<void()>& steps,
                         const std::function<QString()>& summary) {
    try {
        steps();
    } catch (...) {
        const QString message = errorMessageText(std::current_exception());
        if (errorPane_) appendLine(*errorPane_, QStringLiteral("---Error: ") + message);
        file_.append(run_, QStringLiteral("error"), message);
        file_.append(run_, QStringLiteral("summary"), summary());
        throw;
    }
    file_.append(run_, QStringLiteral("summary"), summary());
}

void RunRecord::recordSkipped() {
    file_.append(run_, QStringLiteral("skipped"),
                 QStringLiteral("not started: a run of this kind is queued or under way"));
}

}  // namespace norvan::app
