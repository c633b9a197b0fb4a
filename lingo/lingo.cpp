// The C boundary of the interface text library: every call is guarded so that no
// exception leaves the library, and every returned text comes from the TextPool.

#include "lingo/lingo.h"

#include <algorithm>
#include <shared_mutex>
#include <string>
#include <vector>

#include "lingo/language_file.h"
#include "lingo/text_pool.h"
#include "platform/directory.h"
#include "platform/program_folder.h"

namespace {

using lingo::Language;

// Loaded languages and the selection. Read by the interface thread and the
// conversion worker at once (shared lock); replaced only by InitLanguages.
struct Languages {
    std::shared_mutex mutex;
    std::vector<Language> list;
    int selected = -1;  // none
};

// Never destroyed, so texts handed out stay valid until the library is unloaded
// and a late lookup during process exit still finds its tables.
Languages& State() {
    static auto* state = new Languages;
    return *state;
}
lingo::TextPool& Pool() {
    static auto* pool = new lingo::TextPool;
    return *pool;
}

bool IsEnglish(const Language& lang) {
    const std::string& n = lang.name;
    return n.size() == 7 && std::equal(n.begin(), n.end(), "english",
                                       [](char a, char b) { return (a | 0x20) == b; });
}

// "Lang/*.xml" or "Lang\*.xml" -> folder (absolute, ending with '/') and pattern.
void SplitMask(std::string mask, std::string& folder, std::string& pattern) {
    std::replace(mask.begin(), mask.end(), '\\', '/');
    auto slash = mask.rfind('/');
    folder = slash == std::string::npos ? std::string() : mask.substr(0, slash + 1);
    pattern = slash == std::string::npos ? mask : mask.substr(slash + 1);
    if (folder.empty() || folder.front() != '/') folder = platform::ProgramFolder() + folder;
}

std::vector<Language> ReadLanguages(const char* fileMask) {
    std::vector<Language> found;
    if (fileMask == nullptr) return found;
    std::string folder, pattern;
    SplitMask(fileMask, folder, pattern);
    if (pattern.empty()) return found;

    auto intern = [](std::string_view text) { return Pool().Intern(text); };
    for (const auto& entry : platform::ListDirectory(folder, pattern)) {
        if (entry.isFolder) continue;
        // A damaged or foreign file is skipped; the others still load.
        if (auto lang = lingo::ReadLanguageFile(folder + entry.name, intern)) {
            found.push_back(std::move(*lang));
        }
    }
    // English is language 0; the rest keep the listing's order (file names
    // without regard to case), the same on every machine.
    std::stable_partition(found.begin(), found.end(), IsEnglish);
    return found;
}

}  // namespace

int InitLanguages(const char* fileMask) {
    try {
        std::vector<Language> found = ReadLanguages(fileMask);
        int count = static_cast<int>(found.size());
        Languages& state = State();
        std::unique_lock lock(state.mutex);
        state.list = std::move(found);
        state.selected = -1;
        return count;
    } catch (...) {
        return 0;
    }
}

int GetLanguageCount(void) {
    try {
        Languages& state = State();
        std::shared_lock lock(state.mutex);
        return static_cast<int>(state.list.size());
    } catch (...) {
        return 0;
    }
}

int SelectLanguage(int index) {
    try {
        Languages& state = State();
        std::unique_lock lock(state.mutex);
        if (index < 0 || index >= static_cast<int>(state.list.size())) return 0;
        state.selected = index;
        return 1;
    } catch (...) {
        return 0;
    }
}

const char* GetLanguageText(const char* section, const char* key) {
    if (section == nullptr || key == nullptr) return "";
    try {
        {
            Languages& state = State();
            std::shared_lock lock(state.mutex);
            if (state.selected >= 0) {
                // A pair missing from a translation falls back to language 0 (English).
                if (const char* text = state.list[state.selected].Find(section, key)) return text;
                if (const char* text = state.list.front().Find(section, key)) return text;
            }
        }
        // No language, or nobody has this pair: the key itself is the most
        // readable text there is.
        return Pool().Intern(key);
    } catch (...) {
        return "";
    }
}
