#pragma once

#include "PaneRunLog.h"
#include "shop/CheckWooCommerce.h"

class QLineEdit;
class QListWidget;

namespace norvan::app {

// The controls one connection check writes to: the list that receives the ids, the pane that
// receives the log, and the token box.
class ListCheckWindow : public PaneRunLog<shop::CheckWindow> {
  public:
    ListCheckWindow(QListWidget& ids, TextPaneView& log, QLineEdit& token, RunRecord& record);

    void clearIds() override;
    void appendIds(const QStringList& ids) override;
    // The token carries a line break after every 76 characters; the one-line box shows it with
    // the breaks left out, as one piece of Base64 that can be copied whole.
    void setToken(const QString& token) override;

  private:
    QListWidget& ids_;
    QLineEdit& token_;
};

}  // namespace norvan::app
