#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace cli {

// Probes the files in order (ProbeMedia, one at a time) on a thread of its
// own, so that the probe of a later file runs while an earlier one converts.
//
// Threads: the probing thread writes the results; any other thread reads them
// with Result(), which waits for the file's probe.
class ProbeAhead {
public:
    // `stopped` is asked before each probe; once it says yes, probing ends.
    ProbeAhead(std::vector<std::string> paths, std::function<bool()> stopped);
    ~ProbeAhead();
    ProbeAhead(const ProbeAhead&) = delete;
    ProbeAhead& operator=(const ProbeAhead&) = delete;

    // The probe result of file `index`, waiting for it; nothing when probing
    // ended (a stop) before that file.
    std::optional<std::string> Result(std::size_t index);

private:
    void Run();

    const std::vector<std::string> paths_;
    const std::function<bool()> stopped_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::string> results_;  // results_[i] for i < results_.size()
    bool finished_ = false;
    std::thread thread_;
};

}  // namespace cli
