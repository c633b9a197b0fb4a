#include "cli/probe_ahead.h"

#include "converter/engine/media_probe.h"

namespace cli {

ProbeAhead::ProbeAhead(std::vector<std::string> paths, std::function<bool()> stopped)
    : paths_(std::move(paths)), stopped_(std::move(stopped)) {
    thread_ = std::thread([this] { Run(); });
}

ProbeAhead::~ProbeAhead() {
    thread_.join();
}

std::optional<std::string> ProbeAhead::Result(std::size_t index) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return index < results_.size() || finished_; });
    if (index < results_.size()) return results_[index];
    return std::nullopt;
}

void ProbeAhead::Run() {
    for (const auto& path : paths_) {
        if (stopped_()) break;
        std::string result = engine::ProbeMedia(path);
        std::lock_guard lock(mutex_);
        results_.push_back(std::move(result));
        changed_.notify_all();
    }
    std::lock_guard lock(mutex_);
    finished_ = true;
    changed_.notify_all();
}

}  // namespace cli
