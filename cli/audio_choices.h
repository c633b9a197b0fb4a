#pragma once

#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "presetlib/profile_record.h"

namespace cli {

// The entries of a comma-separated choice list of a profile, as the audio
// settings offer them: split at every comma, empty pieces dropped, blanks
// around a piece kept.
std::vector<std::string> SplitChoiceList(const std::string& list);

// The volume choices, in percent.
const std::vector<int>& VolumeChoices();

// Applies --sample-rate, --channels, --bitrate, --codec and --volume to
// `profile`. Each value must be one that the profile offers; otherwise the
// result is a message that names the option and lists the choices, and
// `profile` may be partly changed (the caller stops anyway). Empty when fine.
std::string ApplyAudioChoices(const CliOptions& options, ProfileRecord& profile);

}  // namespace cli
