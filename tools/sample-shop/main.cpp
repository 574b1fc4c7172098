// sample-shop: the loopback WooCommerce stand-in as a program, for trying the main program out
// by hand. Runs until SIGINT or SIGTERM.
#include "SampleShop.h"

#include <csignal>
#include <cstring>
#include <iostream>
#include <string>

namespace {

int usage() {
    std::cerr << "usage: sample-shop --port N --data seed.json [--host 127.0.0.1]\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    int port = -1;
    std::string data;
    std::string host = "127.0.0.1";
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (i + 1 >= argc) return usage();
        const std::string value = argv[++i];
        if (option == "--port") {
            try {
                port = std::stoi(value);
            } catch (const std::exception&) {
                return usage();
            }
        } else if (option == "--data") {
            data = value;
        } else if (option == "--host") {
            host = value;
        } else {
            return usage();
        }
    }
    if (port < 0 || port > 65535 || data.empty()) return usage();

    // Blocked before the server's threads start, so they inherit the mask and sigwait gets them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    try {
        norvan::sampleshop::SampleShop shop(norvan::sampleshop::SampleShop::loadSeed(data));
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
