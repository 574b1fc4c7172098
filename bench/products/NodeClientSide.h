#pragma once

#include "BenchProducts.h"

#include <QString>
#include <QTemporaryFile>
#include <functional>
#include <string>

namespace norvan::bench {

// The Node side of a round: node/batched-update.js, the official WooCommerce Node client sending
// the program's update bodies in batches, in a process of its own on this process's CPU. It needs
// Node.js on the PATH and the client installed by node/install.sh; without them it is skipped.
class NodeClientSide {
  public:
    // folder: where batched-update.js and the installed client are.
    NodeClientSide(const QString& folder, const BenchProducts& file);

    // Why the side cannot run ("" when it can).
    QString missing() const { return missing_; }
    // "node v20.20.2, @woocommerce/woocommerce-rest-api 1.0.2"
    QString versions() const { return versions_; }

    struct Result {
        double scriptSeconds = 0;  // the script's own: from reading the bodies to the last answer
        int updated = 0;
        int failed = 0;
        QString error;  // why the script failed; "" when it ended well
    };
    // Runs the script against the shop at `origin` ("http://127.0.0.1:<port>"); `whileWaiting` is
    // called about every 10 ms until it ends.
    Result run(const std::string& origin, const std::function<void()>& whileWaiting);

  private:
    QString folder_;
    QString node_;
    QString missing_;
    QString versions_;
    QTemporaryFile bodies_;
};

}  // namespace norvan::bench
