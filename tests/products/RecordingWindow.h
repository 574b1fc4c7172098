#pragma once

#include "products/ProductRunWindow.h"

#include <QStringList>

namespace norvan::products {

// A window that keeps what the product run did to it.
class RecordingWindow : public ProductRunWindow {
  public:
    void clearLog() override { log.clear(); }
    void appendLog(const QString& line) override { log.append(line); }
    void setStatusText(const QString& text) override { statusText = text; }
    void setProductRows(const common::NameValueList& shown) override { rows = shown; }
    void processEvents() override { ++pumps; }
    void setBusyPointer() override { pointer.append(QStringLiteral("busy")); }
    void setDefaultPointer() override { pointer.append(QStringLiteral("default")); }
    bool threadPutBusy() const override { return unattended; }

    bool unattended = false;
    QStringList log;
    QString statusText;
    common::NameValueList rows;
    int pumps = 0;
    QStringList pointer;  // "busy" and "default" in the order they were set
};

}  // namespace norvan::products
