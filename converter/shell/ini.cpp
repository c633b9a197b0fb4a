#include "converter/shell/ini.h"

#include <climits>
#include <cstdint>

#include "platform/ini_file.h"

namespace {

// Numbers and yes/no values are judged by their first 63 characters (what a
// 64-byte buffer holds with its terminator), as the settings file has always been read.
constexpr size_t kShortValueBytes = 63;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

size_t SkipBlanks(const std::string& s, size_t i) {
    while (i < s.size() && IsBlank(s[i])) ++i;
    return i;
}

bool EqualsNoCase(const std::string& s, const char* word) {
    size_t i = 0;
    for (; word[i] != '\0'; ++i) {
        if (i >= s.size()) return false;
        char c = s[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != word[i]) return false;
    }
    return i == s.size();
}

}  // namespace

int ParseIniInt(const std::string& value, int def) {
    std::string text = value.substr(0, kShortValueBytes);
    if (text.empty()) return def;
    // Digits beyond the range of int saturate instead of wrapping around.
    int64_t number = 0;
    for (size_t i = SkipBlanks(text, 0); i < text.size() && IsDigit(text[i]); ++i) {
        number = number * 10 + (text[i] - '0');
        if (number > INT_MAX) return INT_MAX;
    }
    return static_cast<int>(number);
}

bool ParseIniBool(const std::string& value) {
    std::string text = value.substr(0, kShortValueBytes);
    if (text.empty() || EqualsNoCase(text, "true") || EqualsNoCase(text, "yes")) return true;
    size_t i = SkipBlanks(text, 0);
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    // Non-zero as a signed number: some digit before the first non-digit is not 0.
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        if (text[i] != '0') return true;
    }
    return false;
}

std::string CIni::GetString(const std::string& section, const std::string& key,
                            const std::string& def) const {
    return platform::ReadProfileString(path_, section, key).value_or(def);
}

int CIni::GetInt(const std::string& section, const std::string& key, int def) const {
    return ParseIniInt(GetString(section, key, ""), def);
}

bool CIni::GetBool(const std::string& section, const std::string& key) const {
    return ParseIniBool(GetString(section, key, ""));
}

bool CIni::WriteString(const std::string& section, const std::string& key,
                       const std::string& value) {
    if (section.empty() || key.empty()) return false;
    // The profile writer refuses line breaks, which would plant lines of their own.
    return platform::WriteProfileString(path_, section, key, value);
}

bool CIni::WriteInt(const std::string& section, const std::string& key, int value) {
    return WriteString(section, key, std::to_string(value));
}
