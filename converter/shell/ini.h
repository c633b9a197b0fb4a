#pragma once

#include <string>
#include <utility>

// One private-profile ("INI") file: "[Section]" lines and "key=value" lines.
// Reads give defaults for a missing file, section or key; writes replace the
// value in place and keep every other line. Used on the interface thread.
class CIni {
public:
    explicit CIni(std::string path) : path_(std::move(path)) {}
    virtual ~CIni() = default;

    const std::string& Path() const { return path_; }

    // The stored text, or `def` when the key (or the file) is missing.
    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& def) const;
    // An empty or missing value gives `def`; otherwise the leading unsigned decimal
    // number of the value (leading blanks skipped, 0 when there is no digit).
    int GetInt(const std::string& section, const std::string& key, int def) const;
    // Yes when the value is missing or empty, "true" or "yes" in any letter case,
    // or a non-zero signed decimal number; no otherwise (0, no, false, off...).
    bool GetBool(const std::string& section, const std::string& key) const;

    // False when nothing was written: an empty section or key, a text with a line
    // break (it would turn into lines of its own), or a file that cannot be written.
    bool WriteString(const std::string& section, const std::string& key, const std::string& value);
    bool WriteInt(const std::string& section, const std::string& key, int value);

private:
    std::string path_;
};

// Conversions behind GetInt and GetBool, on the value's text.
int ParseIniInt(const std::string& value, int def);
bool ParseIniBool(const std::string& value);
