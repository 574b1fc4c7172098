#include "StatusPanel.h"

namespace norvan::app {

StatusPanel::StatusPanel(QWidget* parent)
    : QLabel(parent), display_(*this, [this] { QLabel::setText(text_); }) {}

void StatusPanel::setText(const QString& text) {
    text_ = text;
    display_.request();
}

QString StatusPanel::text() const {
    display_.runPending();
    return QLabel::text();
}

}  // namespace norvan::app
