#pragma once

#include "common/RunLog.h"

#include <QStringList>
#include <functional>
#include <vector>

namespace norvan::testing {

// A run's window that keeps what the run did to its log, its pumps and its busy pointer.
// RunWindow is the library's window interface; the fakes add its other members.
template <typename RunWindow = common::RunLog>
class RecordingRunLog : public RunWindow {
  public:
    void clearLog() override { log.clear(); }
    void appendLog(const QString& line) override { log.append(line); }
    void processEvents() override {
        ++pumps;
        if (onPump) onPump();
    }
    void setBusy(bool busy) override { busyHistory.push_back(busy); }

    QStringList log;
    int pumps = 0;
    std::vector<bool> busyHistory;  // true for busy, false for default, in the order set
    std::function<void()> onPump;   // what the window's pending events do, if anything
};

}  // namespace norvan::testing
