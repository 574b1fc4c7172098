#include "ProductIntakeControls.h"

#include "TextPaneView.h"

#include <QListWidget>

namespace norvan::app {

ProductIntakeControls::ProductIntakeControls(QListWidget& list, TextPaneView& filesPane,
                                             RunRecord& record, settings::KeptProductLines& kept,
                                             const QString& appPath, const shop::Pause& pause,
                                             QStringList& notes)
    : list_(list), filesPane_(filesPane), record_(record), intake_(appPath, kept, pause) {
    list_.clear();
    notes.clear();
    for (const QString& file : intake_.filesLeft())
        notes.append(
            QStringLiteral("---Product file still being written, left for the next run: ") + file);
    // A file about to be read replaces what the pane showed, also when its read fails.
    if (!intake_.hasFilesToTake()) filesText_ = filesPane_.pane();
}

ProductIntakeControls::~ProductIntakeControls() {
    filesPane_.setText(filesText_.text());
}

bool ProductIntakeControls::takeLines(QStringList& notes) {
    for (qsizetype taken = 0; taken < products::kLinesPerStep;) {
        const std::optional<products::IntakeStep> step = intake_.takeStep();
        if (!step) return false;
        show(*step, notes);
        taken += step->lines.size();
    }
    return true;
}

void ProductIntakeControls::show(const products::IntakeStep& step, QStringList& notes) {
    QStringList read;
    for (const QString& line : step.lines) {
        if (linesInPane_ < kMostLinesShown) {
            filesText_.appendLine(line);
            ++linesInPane_;
        }
        if (!line.isEmpty()) read.append(line);
    }
    // Blank lines of a file carry nothing and are left out of the record, as out of the list.
    record_.recordLines(filesPane_, read);
    const qsizetype room = kMostLinesShown - list_.count();
    list_.addItems(step.kept.mid(0, room));
    if (step.kept.size() > room && !listCut_) {
        listCut_ = true;
        notes.append(QStringLiteral("---The product list shows the first %1 lines; the others are "
                                    "kept and sent all the same")
                         .arg(kMostLinesShown));
    }
    if (step.leftOut > 0)
        notes.append(QStringLiteral("---Older than a later file's lines for their SKUs, not sent: "
                                    "%1 lines of %2")
                         .arg(step.leftOut)
                         .arg(step.file));
}

}  // namespace norvan::app
