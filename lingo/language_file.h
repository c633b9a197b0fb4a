#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace lingo {

// Stores a text for the library's lifetime and gives back a pointer that stays valid.
using InternFn = std::function<const char*(std::string_view)>;

// The texts of one language file: section -> key -> interned text.
struct Language {
    std::string name;  // the root's name attribute, else the file name without ".xml"
    std::map<std::string, std::map<std::string, const char*, std::less<>>, std::less<>> sections;

    // The text of the pair, or null when this language lacks it.
    const char* Find(std::string_view section, std::string_view key) const;
};

// Reads one language file. Nothing when the file is missing, not well-formed XML,
// or its root element is not <Language>.
std::optional<Language> ReadLanguageFile(const std::string& path, const InternFn& intern);

}  // namespace lingo
