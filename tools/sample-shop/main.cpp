// sample-shop: the loopback WooCommerce stand-in as a program, for trying the main program out
// by hand. Runs until SIGINT or SIGTERM.
#include "SampleShop.h"

#include <csignal>
#include <cstring>
#include <iostream>
#include <string>

namespace {

int usage() {
    std::cerr << "usage: sample-shop --port N --data seed.json [--host 127.0.0.1] [--delay-ms 20]"
                 " [--fault-rate 0.15 [--fault-seed 1]]\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    int port = -1;
    std::string data;
    std::string host = "127.0.0.1";
    norvan::sampleshop::Options options;
    double faultRate = 0;
    unsigned faultSeed = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (i + 1 >= argc) return usage();
        const std::string value = argv[++i];
        try {
            if (option == "--port") {
                port = std::stoi(value);
            } else if (option == "--delay-ms") {
                options.delayPerRequest = std::chrono::milliseconds(std::stoi(value));
            } else if (option == "--data") {
                data = value;
            } else if (option == "--host") {
                host = value;
            } else if (option == "--fault-rate") {
                faultRate = std::stod(value);
            } else if (option == "--fault-seed") {
                faultSeed = static_cast<unsigned>(std::stoul(value));
            } else {
                return usage();
            }
        } catch (const std::exception&) {
            return usage();
        }
    }
    if (port < 0 || port > 65535 || data.empty() ||
        options.delayPerRequest < std::chrono::milliseconds::zero() || faultRate < 0 ||
        faultRate > 1)
        return usage();

    // Blocked before the server's threads start, so they inherit the mask and sigwait gets them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    try {
        norvan::sampleshop::SampleShop shop(norvan::sampleshop::SampleShop::loadSeed(data),
                                            options);
        shop.setFaultRate(faultRate, faultSeed);
        shop.start(port, host);
        std::cout << "listening on " << shop.baseUrl() << std::endl;
        int received = 0;
        sigwait(&stopSignals, &received);
        shop.stop();
    } catch (const std::exception& error) {
        std::cerr << "sample-shop: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
