#pragma once

#include <string>

#include "converter/shell/ini.h"

// The user settings kept in Config.ini from one run to the next. Read once when
// the main window starts and written once when it closes (interface thread).
struct Settings {
    std::string skin = "Default";  // System/Skin: folder under Skins/
    std::string defOutput;         // System/DefOutput: empty means the default output folder
    std::string defProfile;        // System/DefProfile: profile selected at start-up
    int videoDriver = 4;           // System/VideoDriver: 4 OpenGL, 5 OpenGL 2, 6 Direct3D
    bool multiThread = true;       // System/MultiThread
    bool openDestDir = true;       // General/OpenDestDir: open the output folder after a batch

    bool operator==(const Settings&) const = default;
};

// Config.ini in the program folder.
std::string ConfigFilePath();

// A missing or unreadable file gives the defaults above.
Settings LoadSettings(const CIni& ini);

// Writes the six values in the order Skin, DefOutput, DefProfile, VideoDriver,
// MultiThread, OpenDestDir; the yes/no values as "1" or "0". Every value is
// attempted; false when any of them could not be written.
bool SaveSettings(CIni& ini, const Settings& settings);
