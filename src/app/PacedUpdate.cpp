#include "PacedUpdate.h"

#include <QWidget>

namespace norvan::app {

PacedUpdate::PacedUpdate(const QWidget& control, std::function<void()> update)
    : control_(control), update_(std::move(update)) {
    frame_.setSingleShot(true);
    frame_.setInterval(kFrame);
    QObject::connect(&frame_, &QTimer::timeout, [this] { update_(); });
}

void PacedUpdate::request() {
    if (control_.isVisible()) {
        if (!frame_.isActive()) frame_.start();
        return;
    }
    frame_.stop();
    update_();
}

void PacedUpdate::runPending() {
    if (!frame_.isActive()) return;
    frame_.stop();
    update_();
}

void PacedUpdate::cancel() {
    frame_.stop();
}

}  // namespace norvan::app
