#pragma once

#include <string>
#include <vector>

#include "platform/platform_export.h"

namespace platform {

struct DirEntry {
    std::string name;  // file name only, no folder
    bool isFolder = false;
};

// Entries of `folder` whose names match the wildcard `pattern` ('*' and '?',
// letters matched without regard to case, as a Windows file search does).
// "." and ".." are never returned. The result is sorted by name without regard
// to case, so every machine lists the same folder in the same order.
// A missing or unreadable folder gives an empty list.
QUILLON_PLATFORM_API std::vector<DirEntry> ListDirectory(const std::string& folder,
                                                         const std::string& pattern);

// True when anything (file or folder) of that name exists.
QUILLON_PLATFORM_API bool PathExists(const std::string& path);

}  // namespace platform
