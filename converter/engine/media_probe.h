#pragma once

// Asks the encoder about a media file before it becomes a task.

#include <optional>
#include <string>
#include <string_view>

namespace engine {

// Result texts besides a duration "HH:MM:SS".
inline constexpr std::string_view kProbeNotAvailableDuration = "00:05:00";
inline constexpr std::string_view kProbeUnknownFormat = "Unknown format";
inline constexpr std::string_view kProbeNoCodecParameters = "could not find codec parameters";
inline constexpr std::string_view kProbeNoSuchFile = "no such file or directory";

// True for the three texts that reject a file.
bool IsProbeError(std::string_view result);

// Runs ProgramFolder() + "codecs/coder" with only "-i <path>" (no shell) on the
// calling thread and returns: the duration "HH:MM:SS" (fraction cut off),
// "00:05:00" when the encoder reports N/A, one of the three error texts, or the
// empty text when the probe could not run or the report held none of these.
// Gives up after kProbeTimeoutMs (e.g. a path that never delivers data).
std::string ProbeMedia(const std::string& path);
inline constexpr int kProbeTimeoutMs = 30000;

// Reads an encoder report line by line. A duration settles the result at once;
// an error text is kept until the report ends, since the encoder may warn that
// it could not find a stream's parameters and still report a duration.
// Threads: used by one thread only.
class ProbeReportScanner {
public:
    // Feeds one complete line. True when the result is settled (stop reading).
    bool FeedLine(std::string_view line);
    // The result so far: the duration, else the first error text, else "".
    std::string Result() const;

private:
    std::optional<std::string> duration_;
    std::string error_;
};

}  // namespace engine
