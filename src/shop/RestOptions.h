#pragma once

#include <QString>
#include <QtGlobal>

namespace norvan::shop {

// How a request is made: how long it may wait for the connection, without a single byte of
// progress, and in all; how large an answer it takes; and which certificates it trusts.
struct RestOptions {
    long connectSeconds = 30;
    long noProgressSeconds = 30;
    // From the start of the request to the answer's last byte, redirects included: a shop that
    // keeps an answer trickling in never holds the window longer.
    long totalSeconds = 120;
    // An answer's body is refused as soon as it grows past this while it arrives, so that no
    // memory is spent on it; the shop's answers are far smaller.
    qint64 maxAnswerBytes = qint64{64} * 1024 * 1024;
    // A PEM file of certificate authorities trusted instead of the system's. The program leaves
    // it empty; tests name the certificate of a loopback HTTPS shop.
    QString caFile;
};

}  // namespace norvan::shop
