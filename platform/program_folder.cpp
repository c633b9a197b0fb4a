#include "platform/program_folder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <mutex>

namespace platform {
namespace {

std::string WithTrailingSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

std::string FolderOf(const std::string& path) {
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string ExecutableFolder() {
    std::string path(4096, '\0');
    for (;;) {
        ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
        if (length < 0) break;
        if (static_cast<std::size_t>(length) < path.size()) {
            path.resize(static_cast<std::size_t>(length));
            std::string folder = FolderOf(path);
            if (!folder.empty()) return folder;
            break;
        }
        path.resize(path.size() * 2);
    }
    // Without /proc the working folder is the best remaining guess.
    std::string cwd(4096, '\0');
    if (getcwd(cwd.data(), cwd.size()) != nullptr) {
        cwd.resize(cwd.find('\0'));
        return WithTrailingSlash(cwd);
    }
    return "./";
}

std::mutex overrideMutex;
std::string overrideFolder;  // guarded by overrideMutex; empty: the executable's folder

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') return home;
    if (const passwd* user = getpwuid(getuid()); user != nullptr && user->pw_dir != nullptr) {
        return user->pw_dir;
    }
    return "/";
}

// A value of user-dirs.dirs: "$HOME/Documents" or "/absolute/path", in double
// quotes, with backslash escapes.
std::string ExpandUserDir(const std::string& raw, const std::string& home) {
    std::string value = raw;
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
        std::string unquoted;
        for (std::size_t i = 1; i + 1 < value.size(); ++i) {
            if (value[i] == '\\' && i + 2 < value.size()) ++i;
            unquoted += value[i];
        }
        value = unquoted;
    }
    if (value == "$HOME" || value.rfind("$HOME/", 0) == 0) return home + value.substr(5);
    if (!value.empty() && value.front() == '/') return value;
    return std::string();
}

std::string DocumentsFromUserDirsFile(const std::string& home) {
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    std::string config =
        configHome != nullptr && *configHome == '/' ? std::string(configHome) : home + "/.config";
    std::ifstream file(config + "/user-dirs.dirs");
    std::string line;
    const std::string key = "XDG_DOCUMENTS_DIR=";
    std::string found;
    while (std::getline(file, line)) {
        std::size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line.compare(start, key.size(), key) != 0) continue;
        std::string value = line.substr(start + key.size());
        while (!value.empty() &&
               (value.back() == '\r' || value.back() == ' ' || value.back() == '\t')) {
            value.pop_back();
        }
        found = ExpandUserDir(value, home);  // the last assignment wins, as in the shell
    }
    return found;
}

}  // namespace

std::string ProgramFolder() {
    {
        std::lock_guard<std::mutex> lock(overrideMutex);
        if (!overrideFolder.empty()) return overrideFolder;
    }
    static const std::string executableFolder = ExecutableFolder();
    return executableFolder;
}

void SetProgramFolder(const std::string& folder) {
    std::lock_guard<std::mutex> lock(overrideMutex);
    overrideFolder = folder.empty() ? std::string() : WithTrailingSlash(folder);
}

std::string FileNameOf(const std::string& path) {
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string DocumentsFolder() {
    const std::string home = HomeFolder();
    std::string documents;
    if (const char* fromEnv = std::getenv("XDG_DOCUMENTS_DIR"); fromEnv != nullptr) {
        documents = ExpandUserDir(fromEnv, home);
    }
    if (documents.empty()) documents = DocumentsFromUserDirsFile(home);
    // A documents folder set to the home folder itself means "not configured".
    if (documents.empty() || WithTrailingSlash(documents) == WithTrailingSlash(home)) {
        documents = home + "/Documents";
    }
    return WithTrailingSlash(documents);
}

}  // namespace platform
