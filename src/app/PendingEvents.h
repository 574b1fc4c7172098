#pragma once

namespace norvan::app {

// Lets the window's pending events run (repaints of appended log lines, clicks, the timer and
// queued synchronised calls) in the middle of a long operation on the main thread.
void processPendingEvents();

}  // namespace norvan::app
