#pragma once

#include "common/DailyLogFile.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace norvan::app {

class TextPaneView;

enum class RunKind { Check, Orders, Products };

// ByHand: a press of the run's button, by the operator or from code. Unattended: a run handed
// over by a worker of the cycle (btnThreadGet, btnThreadPut), whose error ends it silently.
enum class RunMode { ByHand, Unattended };

// One run as the daily log keeps it: every line its panes receive, the error that ended it and
// a closing summary, each entry named by the run ("orders/unattended"), so that the entries of
// runs nested in one another's pumps can be told apart.
class RunRecord {
  public:
    // errorPane, when given, is the pane where the operator sees the error that ends the run.
    RunRecord(common::DailyLogFile& file, RunKind kind, RunMode mode,
              TextPaneView* errorPane = nullptr);

    bool unattended() const { return mode_ == RunMode::Unattended; }

    // Appends the line to the pane and records it under the pane's name.
    void appendLine(TextPaneView& pane, const QString& line);
    // Appends the lines to the pane and records them together, in one write.
    void appendLines(TextPaneView& pane, const QStringList& lines);
    // Records lines that the pane received with its whole text (mProdFiles).
    void recordLines(const TextPaneView& pane, const QStringList& lines);

    // Runs the steps and records the summary after them; an error that ends the steps is
    // recorded before the summary, appended to the error pane as "---Error: <message>" (also
    // when the run is unattended and the error goes no further), and goes on to the caller.
    void carryOut(const std::function<void()>& steps, const std::function<QString()>& summary);
    // Records that the run did not start: one of its kind was queued or under way.
    void recordSkipped();

  private:
    common::DailyLogFile& file_;
    RunMode mode_;
    QString run_;
    TextPaneView* errorPane_;
};

}  // namespace norvan::app
