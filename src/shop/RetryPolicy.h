#pragma once

#include <QString>
#include <chrono>
#include <functional>

namespace norvan::shop {

class TWooCommerceAPI;

// Waits between two tries of a call; tests pass one that only records the pause.
using Pause = std::function<void(std::chrono::milliseconds)>;

// Waits for the duration while the window's events keep running.
void pauseResponsively(std::chrono::milliseconds duration);

// How often and how long a call that failed in transit (TWooCommerceAPI::lastCallFailedInTransit)
// is tried again. A call that was refused for what it asked is never repeated.
struct RetryPolicy {
    int tries = 3;
    std::chrono::milliseconds firstPause{1000};  // doubled before each further try
    // A try that took this long ran into a time-out: a shop that does not answer is not asked
    // again, so that three lines in a row cost minutes at most, not one per try.
    std::chrono::seconds slowTry{10};
};

// Makes the call and, while it fails in transit, makes it again after a growing pause, within
// the policy's bounds. Returns the last try's result; client.lastCallFailedInTransit() then says
// whether it still failed in transit.
QString callWithRetries(const TWooCommerceAPI& client, const std::function<QString()>& call,
                        const Pause& pause, const RetryPolicy& policy = {});

}  // namespace norvan::shop
