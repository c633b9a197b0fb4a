#pragma once

#include <string>
#include <vector>

#include "platform/platform_export.h"

namespace platform {

// The command lines the real desktop runs, apart so that tests can check them
// without running anything.

// xdg-open with the folder or address as one argument. A relative path that
// starts with '-' gets "./" in front, so it cannot be taken for an option.
QUILLON_PLATFORM_API std::vector<std::string> OpenCommand(const std::string& folderOrUrl);

// systemd's power-off request.
QUILLON_PLATFORM_API std::vector<std::string> PowerOffCommand();

}  // namespace platform
