#pragma once

#include <memory>
#include <string>
#include <vector>

#include "presetlib/profile_record.h"

namespace cli {

// The profiles of the program's Profiles/ folder, read once through
// LoadProfile, in the order the profile picker shows them: groups in the order
// in which they first occur, each group's profiles in record order.
class ProfileCatalogue {
public:
    struct Group {
        std::string name;
        std::vector<int> records;  // indexes into the block
    };

    // Reads `folder` (with a trailing '/'), normally ProgramFolder() + "Profiles/".
    explicit ProfileCatalogue(const std::string& folder);

    int Count() const { return block_->count; }
    const ProfileRecord& Record(int index) const { return block_->records[index]; }
    const std::vector<Group>& Groups() const { return groups_; }

    // Index of the profile named exactly `name`, or -1.
    int Find(const std::string& name) const;

    // The profile a run uses without -p: the one named `defaultName` (the
    // program's last profile) when it exists, else the first profile of the
    // first group; -1 when there are no profiles.
    int DefaultIndex(const std::string& defaultName) const;

private:
    std::unique_ptr<ProfileBlock> block_;
    std::vector<Group> groups_;
};

}  // namespace cli
