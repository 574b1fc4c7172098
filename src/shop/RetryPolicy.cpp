#include "RetryPolicy.h"

#include "TWooCommerceAPI.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace norvan::shop {

void pauseResponsively(std::chrono::milliseconds duration) {
    QEventLoop loop;
    QTimer::singleShot(duration, &loop, &QEventLoop::quit);
    loop.exec();
}

QString callWithRetries(const TWooCommerceAPI& client, const std::function<QString()>& call,
                        const Pause& pause, const RetryPolicy& policy) {
    std::chrono::milliseconds nextPause = policy.firstPause;
    for (int tried = 1;; ++tried) {
        QElapsedTimer tryTime;
        tryTime.start();
        QString result = call();
        if (!client.lastCallFailedInTransit() || tried == policy.tries ||
            std::chrono::milliseconds(tryTime.elapsed()) >= policy.slowTry)
            return result;
        pause(nextPause);
        nextPause *= 2;
    }
}

}  // namespace norvan::shop
