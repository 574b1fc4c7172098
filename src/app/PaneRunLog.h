#pragma once

#include "BusyPointer.h"
#include "PendingEvents.h"
#include "RunRecord.h"
#include "TextPaneView.h"

namespace norvan::app {

// The run log of every window adapter: the pane that receives the run's lines (each also kept in
// the run's record), the application's busy pointer and the window's pending events. RunWindow
// is the library's window interface that the adapter implements (a common::RunLog with members
// of its own).
template <typename RunWindow>
class PaneRunLog : public RunWindow {
  public:
    PaneRunLog(TextPaneView& log, RunRecord& record) : log_(log), record_(record) {}

    void clearLog() override { log_.clear(); }
    void appendLog(const QString& line) override { record_.appendLine(log_, line); }
    void appendLogLines(const QStringList& lines) override { record_.appendLines(log_, lines); }
    void processEvents() override { processPendingEvents(); }
    void setBusy(bool busy) override {
        if (busy)
            setBusyPointer();
        else
            setDefaultPointer();
    }

  private:
    TextPaneView& log_;
    RunRecord& record_;
};

}  // namespace norvan::app
