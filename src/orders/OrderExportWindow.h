#pragma once

#include <QString>

namespace norvan::orders {

// What the order export writes to the main window; TfMain implements it over its controls,
// tests and benchmarks with plain fields.
class OrderExportWindow {
  public:
    virtual ~OrderExportWindow() = default;

    virtual void setFacText(const QString& text) = 0;  // mFac: its whole text
    virtual void appendLog(const QString& line) = 0;   // mLogs
    virtual void processEvents() = 0;  // lets the window repaint and queued work run
};

}  // namespace norvan::orders
