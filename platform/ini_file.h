#pragma once

#include <optional>
#include <string>

#include "platform/platform_export.h"

namespace platform {

// Private-profile ("INI") files: "[Section]" lines open sections, "key=value"
// lines follow. Section and key names match without regard to case.

// The value of `key` in `section`, or nothing when the file, the section or the
// key is missing.
QUILLON_PLATFORM_API std::optional<std::string> ReadProfileString(const std::string& path,
                                                                  const std::string& section,
                                                                  const std::string& key);

// Replaces the value in place, or adds the key at the end of its section,
// creating the section and the file when missing. Every other line, comment and
// their order are kept. The file is replaced through a temporary file and a
// rename, so a crash never leaves it half written. False when it could not be
// written (read-only folder, full disk); the old file is then unchanged.
QUILLON_PLATFORM_API bool WriteProfileString(const std::string& path, const std::string& section,
                                             const std::string& key, const std::string& value);

}  // namespace platform
