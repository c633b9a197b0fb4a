#include <string>

#include "platform/directory.h"
#include "presetlib/profile_reader.h"
#include "presetlib/profile_record.h"

// Fills the caller's block with one record per readable "*.dat" file of the
// folder, in the order the directory listing gives (sorted by name, so every
// machine lists the same profiles in the same order). The block has room for
// kProfileBlockCapacity records: files beyond that are not read, so a folder
// with more profiles cannot write past the caller's memory.
PRESETLIB_API int32_t LoadProfile(const char* folder, ProfileBlock* block, const char* /*tag*/) {
    if (block == nullptr) return 0;
    block->count = 0;
    if (folder == nullptr || *folder == '\0') return 0;

    int filled = 0;
    // Nothing may leave through the C interface: running out of memory ends
    // the walk with the records filled so far.
    try {
        const std::string folderText(folder);
        for (const platform::DirEntry& entry : platform::ListDirectory(folderText, "*.dat")) {
            if (filled == kProfileBlockCapacity) break;
            if (entry.isFolder) continue;
            const std::string path = folderText + '/' + entry.name;
            if (presetlib::ReadProfileFile(filled, path, block)) ++filled;
        }
    } catch (...) {
    }
    block->count = filled;
    return 0;
}
