#pragma once

#include "products/ProductRunWindow.h"
#include "support/RecordingRunLog.h"

#include <utility>
#include <vector>

namespace norvan::products {

// A window that keeps what the product run did to it.
class RecordingWindow : public testing::RecordingRunLog<ProductRunWindow> {
  public:
    void setStatusText(const QString& text) override { statusText = text; }
    void setProductRows(const common::NameValueList& shown) override { rows = shown; }
    bool unattendedRunUnderWay() const override { return unattended; }
    void setProgress(qsizetype done, qsizetype total) override {
        progress.push_back({done, total});
    }

    bool unattended = false;
    QString statusText;
    common::NameValueList rows;
    std::vector<std::pair<qsizetype, qsizetype>> progress;  // (done, total), in the order reported
};

}  // namespace norvan::products
