#pragma once

#include "RunRecord.h"
#include "RunSummary.h"
#include "StatusPanel.h"

#include <QStringList>
#include <map>

namespace norvan::app {

// The status bar's third panel, where the operator sees how the runs go: the progress of the run
// under way ("12 / 300"), then what the last run of each kind came to, the one that ended last
// first. When a shown outcome calls for the operator the panel takes the warning colour; the
// tooltip says what else there is to know and names the day's log, which a double click asks
// for. The program's own notices (another copy holds the folder) take the warning colour too.
class RunStatusPanel : public StatusPanel {
    Q_OBJECT
  public:
    static const QColor kWarningColour;

    explicit RunStatusPanel(QWidget* parent = nullptr);

    void showProgress(qsizetype done, qsizetype total);
    // details: what the counts do not say (the error that ended the run, a daily log that
    // cannot be written); logFile: the day's log, where the run left its record.
    void showOutcome(RunKind kind, const RunOutcome& outcome, const QStringList& details,
                     const QString& logFile);
    void showNotice(const QString& text);
    // Nothing shown until the next progress or outcome (a run begins, a notice is over); the
    // outcomes are kept for later.
    void blank();

    bool warns() const { return autoFillBackground(); }
    const QString& logFile() const { return logFile_; }

  signals:
    void doubleClicked();

  protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    struct Outcome {
        RunOutcome counts;
        QStringList details;
    };

    void setWarning(bool warns);

    std::map<RunKind, Outcome> outcomes_;
    QString logFile_;
};

}  // namespace norvan::app
