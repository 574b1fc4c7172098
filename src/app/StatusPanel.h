#pragma once

#include "PacedUpdate.h"

#include <QLabel>

namespace norvan::app {

// A panel of the status bar. Its text is current after every change; the label shows it at the
// end of its frame while shown (see PacedUpdate), as a product run names every line's SKU here.
// Set and read the text through these members (they shadow QLabel's).
class StatusPanel : public QLabel {
    Q_OBJECT
  public:
    explicit StatusPanel(QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const;

  private:
    QString text_;
    mutable PacedUpdate display_;  // a read of the label brings it up to the text
};

}  // namespace norvan::app
