#pragma once

#include <httplib.h>

#include <atomic>
#include <cstddef>
#include <functional>

namespace norvan::sampleshop {

// The server's task queue. httplib queues one task per accepted TCP connection, so the queue
// numbers the connections and tells the handler thread which one it serves.
class ConnectionQueue : public httplib::TaskQueue {
  public:
    ConnectionQueue(std::size_t threads, std::atomic<int>& accepted);
    void enqueue(std::function<void()> task) override;
    void shutdown() override;

    // 1-based number of the connection the calling thread serves; 0 outside a connection.
    static int current();

  private:
    httplib::ThreadPool pool_;
    std::atomic<int>& accepted_;
};

}  // namespace norvan::sampleshop
