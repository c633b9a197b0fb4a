#pragma once

#include <string>

#include "presetlib/profile_record.h"

namespace presetlib {

// Reads the profile file `path` into record `slot` of `block`. The record is
// zeroed first; false (record left zero) when the file cannot be read as
// well-formed XML. Any well-formed file counts, missing values stay
// empty or 0. `slot` must lie below kProfileBlockCapacity.
bool ReadProfileFile(int slot, const std::string& path, ProfileBlock* block);

}  // namespace presetlib
