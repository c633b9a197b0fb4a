#pragma once

#include <mutex>
#include <string>
#include <string_view>
#include <unordered_set>

namespace lingo {

// Every text the library hands out lives here until the library is unloaded, so a
// pointer returned once stays valid whatever is loaded or selected later. Equal
// texts share one entry. Used from any thread.
class TextPool {
public:
    const char* Intern(std::string_view text) {
        std::lock_guard lock(mutex_);
        // Node-based set: entries never move when the set grows.
        return texts_.emplace(text).first->c_str();
    }

private:
    std::mutex mutex_;
    std::unordered_set<std::string> texts_;
};

}  // namespace lingo
