#include "platform/directory.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>

namespace platform {
namespace {

char FoldCase(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Length of the UTF-8 character starting at name[at], so '?' takes a whole
// character; a stray byte counts as one.
std::size_t CharacterLength(const std::string& name, std::size_t at) {
    const auto lead = static_cast<unsigned char>(name[at]);
    std::size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    std::size_t end = at + 1;
    while (end < name.size() && end < at + length &&
           (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80) {
        ++end;
    }
    return end - at;
}

bool Matches(const std::string& pattern, std::size_t p, const std::string& name, std::size_t n) {
    while (p < pattern.size()) {
        const char wanted = pattern[p];
        if (wanted == '*') {
            while (p < pattern.size() && pattern[p] == '*') ++p;
            if (p == pattern.size()) return true;
            for (std::size_t from = n; from <= name.size(); ++from) {
                if (Matches(pattern, p, name, from)) return true;
            }
            return false;
        }
        if (n == name.size()) {
            // As in a Windows search, a trailing ".*" also takes names without
            // an extension, so "*.*" lists everything.
            return pattern.compare(p, std::string::npos, ".*") == 0;
        }
        if (wanted == '?') {
            n += CharacterLength(name, n);
        } else {
            if (FoldCase(wanted) != FoldCase(name[n])) return false;
            ++n;
        }
        ++p;
    }
    return n == name.size();
}

// Windows compares names upper-cased, which puts '_' after the letters.
bool NameBefore(const DirEntry& a, const DirEntry& b) {
    const std::size_t common = std::min(a.name.size(), b.name.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto left = static_cast<unsigned char>(FoldCase(a.name[i]));
        const auto right = static_cast<unsigned char>(FoldCase(b.name[i]));
        if (left != right) return left < right;
    }
    if (a.name.size() != b.name.size()) return a.name.size() < b.name.size();
    return a.name < b.name;  // names differing only in case: a fixed order all the same
}

}  // namespace

std::vector<DirEntry> ListDirectory(const std::string& folder, const std::string& pattern) {
    std::vector<DirEntry> entries;
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) return entries;
    const int dirFd = dirfd(dir);
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == ".." || !Matches(pattern, 0, name, 0)) continue;
        bool isFolder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat info;  // follows a link: a link to a folder is a folder
            isFolder = fstatat(dirFd, entry->d_name, &info, 0) == 0 && S_ISDIR(info.st_mode);
        }
        entries.push_back({name, isFolder});
    }
    closedir(dir);
    std::sort(entries.begin(), entries.end(), NameBefore);
    return entries;
}

bool PathExists(const std::string& path) {
    struct stat info;
    // lstat: a dangling link still occupies the name, and writing there would clobber it.
    return !path.empty() && lstat(path.c_str(), &info) == 0;
}

}  // namespace platform
