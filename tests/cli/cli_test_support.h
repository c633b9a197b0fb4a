#pragma once

// Helpers of the command-line converter tests: running programs as child
// processes, making media with ffmpeg's lavfi sources and reading results back
// with ffprobe. Temporary folders come from common/temp_folder.h.

#include <map>
#include <string>
#include <vector>

#include "common/temp_folder.h"
#include "presetlib/profile_record.h"

namespace clitest {

// Makes the sub-folder `name` of `folder` and returns its path.
std::string MakeFolder(const TempFolder& folder, const std::string& name);

struct RunResult {
    int exitCode = -1;   // 128 + signal when a signal ended it; -1 on a timeout
    std::string output;  // standard output and standard error together
};

// Runs `program` with `args` and waits (at most `timeoutMs`).
RunResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                     int timeoutMs = 60000);

// The built converter in the build folder (the program folder).
std::string ConverterPath();
RunResult RunConverter(const std::vector<std::string>& args, int timeoutMs = 60000);

// Makes `path` with ffmpeg from lavfi `sources` ("-f lavfi -i <source>" each) and
// the extra output arguments; fails the test when ffmpeg fails.
void MakeMedia(const std::string& path, const std::vector<std::string>& sources,
               const std::vector<std::string>& outputArgs = {});
// A sine tone of `seconds` at 44.1 kHz stereo.
void MakeTone(const std::string& path, double seconds, int frequency = 440);

struct StreamInfo {
    std::string codecType;  // "audio", "video"
    std::string codecName;
    int sampleRate = 0;
    int channels = 0;
};

struct MediaInfo {
    bool ok = false;
    double duration = 0;
    std::vector<StreamInfo> streams;
};

MediaInfo Probe(const std::string& path);

// ffmpeg's volumedetect mean volume in dB (a large negative value when unreadable).
double MeanVolume(const std::string& path);

// The profiles shipped in the program folder, read through LoadProfile.
std::vector<ProfileRecord> ShippedProfiles();

// Names of the files in `folder` (no sub-folders), sorted.
std::vector<std::string> FilesIn(const std::string& folder);

// Process ids of running processes whose command line contains `needle`.
std::vector<int> ProcessesMentioning(const std::string& needle);

}  // namespace clitest
