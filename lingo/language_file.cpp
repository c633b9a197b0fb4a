#include "lingo/language_file.h"

#include <pugixml.hpp>

#include "platform/program_folder.h"

namespace lingo {

const char* Language::Find(std::string_view section, std::string_view key) const {
    auto s = sections.find(section);
    if (s == sections.end()) return nullptr;
    auto t = s->second.find(key);
    return t == s->second.end() ? nullptr : t->second;
}

std::optional<Language> ReadLanguageFile(const std::string& path, const InternFn& intern) {
    pugi::xml_document doc;
    // Default parsing keeps the spaces inside a text; encoding_auto turns UTF-16
    // files into UTF-8 as well.
    if (!doc.load_file(path.c_str(), pugi::parse_default, pugi::encoding_auto)) return std::nullopt;
    pugi::xml_node root = doc.child("Language");
    if (!root) return std::nullopt;

    Language lang;
    lang.name = root.attribute("name").as_string();
    if (lang.name.empty()) {
        lang.name = platform::FileNameOf(path);
        auto dot = lang.name.rfind('.');
        if (dot != std::string::npos) lang.name.erase(dot);
    }
    for (pugi::xml_node section : root.children("Section")) {
        auto& texts = lang.sections[section.attribute("name").as_string()];
        for (pugi::xml_node text : section.children("Text")) {
            // The first occurrence of a key wins, as a reader of the file would expect.
            texts.try_emplace(text.attribute("key").as_string(), intern(text.text().get()));
        }
    }
    return lang;
}

}  // namespace lingo
