#pragma once

// A fresh folder under /tmp for one test, and whole-file reads and writes.

#include <stdlib.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

// A fresh folder under /tmp, removed with everything in it when the object goes.
class TempFolder {
public:
    // Throws when no folder can be made: a test must not go on writing elsewhere.
    TempFolder() {
        char pattern[] = "/tmp/quillon-test-XXXXXX";
        if (mkdtemp(pattern) == nullptr) {
            throw std::runtime_error(std::string("cannot make a temporary folder: ") +
                                     std::strerror(errno));
        }
        path_ = pattern;
    }
    ~TempFolder() {
        GiveOwnerAllRights(path_);
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder, ending with '/'.
    std::string Path() const { return path_ + "/"; }
    // The folder, without the trailing '/'.
    const std::string& PathWithoutSlash() const { return path_; }
    // The path of `name` inside the folder.
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    // A test may leave folders read-only or unreadable; their owner can always
    // take the rights back, so that nothing stays behind. Links are not followed.
    static void GiveOwnerAllRights(const std::filesystem::path& folder) {
        namespace fs = std::filesystem;
        std::error_code ignored;
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::directory_iterator entry(folder, ignored);
        for (; entry != fs::directory_iterator(); entry.increment(ignored)) {
            if (entry->symlink_status(ignored).type() == fs::file_type::directory) {
                GiveOwnerAllRights(entry->path());
            }
        }
    }

    std::string path_;
};

// Makes `path` hold exactly `content`.
inline void WriteFile(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

// The whole content of `path`; empty when it cannot be read.
inline std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}
