#pragma once

#include <string>

#include "platform/platform_export.h"

namespace platform {

// Folder of the running executable, ending with '/'. Every data path
// (codecs/coder, Profiles/, Lang/, Skins/, Config.ini, Scribe/) is resolved
// against it.
QUILLON_PLATFORM_API std::string ProgramFolder();

// Makes ProgramFolder() answer `folder` (a trailing '/' is added when missing)
// for the rest of the process; an empty text returns to the executable's folder.
// Tests use it to run the engine against a program folder of their own.
QUILLON_PLATFORM_API void SetProgramFolder(const std::string& folder);

// The text after the last '/', or the whole path when it has none.
QUILLON_PLATFORM_API std::string FileNameOf(const std::string& path);

// The user's documents folder (XDG DOCUMENTS, else $HOME/Documents), ending with '/'.
QUILLON_PLATFORM_API std::string DocumentsFolder();

}  // namespace platform
