#pragma once

#include <optional>
#include <string>
#include <vector>

namespace cli {

// What the command line asks for. Values that depend on the chosen profile
// (sample rate, channels, bitrate, codec, volume) are kept as typed and checked
// against the profile's own choices once it is loaded.
struct CliOptions {
    std::optional<std::string> profile;
    std::optional<std::string> outputFolder;
    std::optional<std::string> trimStart;
    std::optional<std::string> trimEnd;
    std::optional<std::string> sampleRate;
    std::optional<std::string> channels;
    std::optional<std::string> bitrate;
    std::optional<std::string> codec;
    std::optional<std::string> volume;
    bool listProfiles = false;
    bool quiet = false;
    bool help = false;
    bool version = false;
    std::vector<std::string> files;
};

struct ParseResult {
    CliOptions options;
    std::string error;  // empty when the command line is usable
};

// Reads argv[1..]. Long options take their value as "--name VALUE" or
// "--name=VALUE", short ones as "-p VALUE" or "-pVALUE". Everything after "--"
// is a file, so a file whose name starts with '-' can be given that way; a lone
// "-" is a file too.
ParseResult ParseCommandLine(const std::vector<std::string>& args);

std::string UsageText(const std::string& programName);

}  // namespace cli
