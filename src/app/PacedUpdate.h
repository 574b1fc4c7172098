#pragma once

#include <QTimer>
#include <chrono>
#include <functional>

class QWidget;

namespace norvan::app {

// Brings a control's display up to date with its content at most about 30 times a second. A run
// changes a control and lets the window's events run for every product line; updating the display
// for each change would lay out and repaint it hundreds of times a second. While the control is
// shown, the changes of one frame are taken into the display by one update at the end of the
// frame; a hidden control paints nothing, so its display is updated at once.
class PacedUpdate {
  public:
    static constexpr std::chrono::milliseconds kFrame{33};

    // update brings the display of control up to date.
    PacedUpdate(const QWidget& control, std::function<void()> update);

    void request();     // the update runs now when the control is hidden, else within a frame
    void runPending();  // a requested update runs now: the display is about to be read
    void cancel();      // a requested update is not needed any more

  private:
    const QWidget& control_;
    std::function<void()> update_;
    QTimer frame_;
};

}  // namespace norvan::app
