#include "ConnectionQueue.h"

namespace norvan::sampleshop {

namespace {

thread_local int currentConnection = 0;

}  // namespace

ConnectionQueue::ConnectionQueue(std::size_t threads, std::atomic<int>& accepted)
    : pool_(threads), accepted_(accepted) {}

void ConnectionQueue::enqueue(std::function<void()> task) {
    const int number = ++accepted_;
    pool_.enqueue([task = std::move(task), number] {
        currentConnection = number;
        task();
        currentConnection = 0;
    });
}

void ConnectionQueue::shutdown() {
    pool_.shutdown();
}

int ConnectionQueue::current() {
    return currentConnection;
}

}  // namespace norvan::sampleshop
