#pragma once

#include <QObject>
#include <QThread>
#include <functional>

namespace norvan::automation {

// Starts a short-lived worker thread that frees itself when it ends. Its only act is to hand
// `run` to the thread of `context` (the main thread) and wait until it has run there; an error
// raised by the run ends the worker silently. Returns the worker, for a caller that wants to
// wait for its end (connect to QThread::finished before returning to the event loop).
QThread* startSynchronisedRun(QObject* context, std::function<void()> run);

}  // namespace norvan::automation
