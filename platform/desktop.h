#pragma once

#include <string>
#include <vector>

#include "platform/platform_export.h"

namespace platform {

// What the program asks of the desktop: opening a folder or web address, and
// turning the computer off. Tests install a DesktopRecorder so that no test ever
// opens a window on the desktop or shuts the machine down.
class QUILLON_PLATFORM_API Desktop {
public:
    virtual ~Desktop();
    // Opens a folder or a web address with the user's desktop (xdg-open).
    virtual bool Open(const std::string& folderOrUrl) = 0;
    // Asks the system to power off (systemd's poweroff).
    virtual bool RequestPowerOff() = 0;
};

// The desktop in use: the real one unless SetDesktop() installed another.
QUILLON_PLATFORM_API Desktop& CurrentDesktop();
// Installs `desktop` (not owned); nullptr returns to the real desktop.
QUILLON_PLATFORM_API void SetDesktop(Desktop* desktop);

class QUILLON_PLATFORM_API DesktopRecorder : public Desktop {
public:
    bool Open(const std::string& folderOrUrl) override;
    bool RequestPowerOff() override;

    std::vector<std::string> opened;
    int powerOffRequests = 0;
};

}  // namespace platform
