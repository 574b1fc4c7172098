#pragma once

#include <QString>

namespace norvan::shop {

// How a request is made: how long it may wait for the connection and without a single byte of
// progress, and which certificates it trusts.
struct RestOptions {
    long connectSeconds = 30;
    long noProgressSeconds = 30;
    // A PEM file of certificate authorities trusted instead of the system's. The program leaves
    // it empty; tests name the certificate of a loopback HTTPS shop.
    QString caFile;
};

}  // namespace norvan::shop
