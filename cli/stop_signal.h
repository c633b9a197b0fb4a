#pragma once

#include <atomic>
#include <functional>
#include <thread>

namespace cli {

// Turns SIGINT, SIGTERM and SIGHUP into a Stop request. The signal handler only writes
// one byte into a pipe (safe in a handler); a watcher thread reads it, marks the
// run as interrupted and calls `onStop`, which sets the job's stop flag.
//
// Threads: constructed and destroyed on the main thread; `onStop` runs on the
// watcher thread; Interrupted() may be read from any thread.
class StopSignal {
public:
    explicit StopSignal(std::function<void()> onStop);
    ~StopSignal();
    StopSignal(const StopSignal&) = delete;
    StopSignal& operator=(const StopSignal&) = delete;

    bool Interrupted() const { return interrupted_.load(); }
    // The number of the signal that arrived, 0 before one.
    int SignalNumber() const { return signalNumber_.load(); }

private:
    void Watch();

    std::function<void()> onStop_;
    std::atomic<bool> interrupted_{false};
    std::atomic<int> signalNumber_{0};
    std::thread watcher_;
};

}  // namespace cli
