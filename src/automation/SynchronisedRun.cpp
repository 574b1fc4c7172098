#include "SynchronisedRun.h"

namespace norvan::automation {

QThread* startSynchronisedRun(QObject* context, std::function<void()> run) {
    QThread* worker = QThread::create([context, run = std::move(run)] {
        QMetaObject::invokeMethod(
            context,
            [&run] {
                try {
                    run();
                } catch (...) {
                    // An error of a worker-driven run ends that run silently; the next cycle
                    // starts it again.
                }
            },
            Qt::BlockingQueuedConnection);
    });
    QObject::connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    worker->start();
    return worker;
}

}  // namespace norvan::automation
