#include "cli/profile_catalogue.h"

#include <algorithm>

namespace cli {

ProfileCatalogue::ProfileCatalogue(const std::string& folder)
    : block_(std::make_unique<ProfileBlock>()) {
    LoadProfile(folder.c_str(), block_.get(), "1");
    block_->count = std::clamp(block_->count, 0, kProfileBlockCapacity);
    for (int i = 0; i < block_->count; ++i) {
        const std::string group = block_->records[i].group;
        auto found = std::find_if(groups_.begin(), groups_.end(),
                                  [&group](const Group& g) { return g.name == group; });
        if (found == groups_.end()) found = groups_.insert(groups_.end(), Group{group, {}});
        found->records.push_back(i);
    }
}

int ProfileCatalogue::Find(const std::string& name) const {
    // Display order, so that of two profiles with one name the picker's wins.
    for (const auto& group : groups_) {
        for (int index : group.records) {
            if (name == block_->records[index].name) return index;
        }
    }
    return -1;
}

int ProfileCatalogue::DefaultIndex(const std::string& defaultName) const {
    if (int found = defaultName.empty() ? -1 : Find(defaultName); found >= 0) return found;
    return groups_.empty() ? -1 : groups_.front().records.front();
}

}  // namespace cli
