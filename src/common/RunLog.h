#pragma once

#include <QString>
#include <QStringList>

namespace norvan::common {

// What every run writes to the window while it works: its log pane, the busy pointer, and the
// pending window events it lets run between its steps. The window gives each run an adapter over
// its controls; tests give a recording one.
class RunLog {
  public:
    virtual ~RunLog() = default;

    virtual void clearLog() = 0;
    virtual void appendLog(const QString& line) = 0;
    // The lines in their order, as appendLog gives each; an adapter may write them together.
    virtual void appendLogLines(const QStringList& lines) {
        for (const QString& line : lines) appendLog(line);
    }
    virtual void processEvents() = 0;  // lets the window repaint and queued work run
    virtual void setBusy(bool busy) = 0;
};

}  // namespace norvan::common
