#include "RunStatusPanel.h"

#include <QMouseEvent>

namespace norvan::app {

const QColor RunStatusPanel::kWarningColour{255, 191, 0};

// The warning colour is the panel's background, painted only while it warns.
RunStatusPanel::RunStatusPanel(QWidget* parent) : StatusPanel(parent) {
    QPalette colours = palette();
    colours.setColor(QPalette::Window, kWarningColour);
    setPalette(colours);
}

void RunStatusPanel::showProgress(qsizetype done, qsizetype total) {
    setText(QStringLiteral("%1 / %2").arg(done).arg(total));
    setToolTip({});
    setWarning(false);
}

void RunStatusPanel::showOutcome(RunKind kind, const RunOutcome& outcome,
                                 const QStringList& details, const QString& logFile) {
    outcomes_[kind] = {outcome, details};
    logFile_ = logFile;
    // The runs of a cycle end one after the other: the other kind's outcome stays in view.
    QStringList texts;
    QStringList toolTip;
    bool warns = false;
    const auto add = [&](const Outcome& shown) {
        texts.append(shown.counts.text);
        toolTip.append(shown.details);
        warns = warns || shown.counts.callsForOperator;
    };
    add(outcomes_.at(kind));
    for (const auto& [otherKind, shown] : outcomes_) {
        if (otherKind != kind) add(shown);
    }
    toolTip.append(QStringLiteral("Double-click to open the day's log: ") + logFile);
    setText(texts.join(QStringLiteral(" | ")));
    setToolTip(toolTip.join(u'\n'));
    setWarning(warns);
}

void RunStatusPanel::showNotice(const QString& text) {
    setText(text);
    setToolTip(text);
    setWarning(true);
}

void RunStatusPanel::blank() {
    setText({});
    setToolTip({});
    setWarning(false);
}

void RunStatusPanel::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    emit doubleClicked();
}

void RunStatusPanel::setWarning(bool warns) {
    setAutoFillBackground(warns);  // the warning colour is the panel's own background
}

}  // namespace norvan::app
