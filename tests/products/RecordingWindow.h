#pragma once

#include "products/ProductRunWindow.h"
#include "support/RecordingRunLog.h"

namespace norvan::products {

// A window that keeps what the product run did to it.
class RecordingWindow : public testing::RecordingRunLog<ProductRunWindow> {
  public:
    void setStatusText(const QString& text) override { statusText = text; }
    void setProductRows(const common::NameValueList& shown) override { rows = shown; }
    bool unattendedRunUnderWay() const override { return unattended; }

    bool unattended = false;
    QString statusText;
    common::NameValueList rows;
};

}  // namespace norvan::products
