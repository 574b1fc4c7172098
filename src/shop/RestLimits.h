#pragma once

namespace norvan::shop {

// How long a request may wait: for the connection, and without a single byte of progress.
struct RestLimits {
    long connectSeconds = 30;
    long noProgressSeconds = 30;
};

}  // namespace norvan::shop
