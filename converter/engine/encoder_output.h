#pragma once

// Turns the encoder's output stream into lines. The encoder ends progress lines
// with '\r' and other lines with '\n'; a line may arrive across several reads.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace engine {

// Threads: used by one thread only.
class EncoderLineSplitter {
public:
    // Appends `chunk` and returns the lines it completed (without '\r'/'\n';
    // empty lines are dropped). The unfinished rest is kept for the next call.
    // A line longer than kMaxLineLength is handed out in pieces of that length.
    std::vector<std::string> Feed(std::string_view chunk);
    // The unfinished rest, handed out when the output has ended (empty when none).
    std::optional<std::string> Finish();

    static constexpr std::size_t kMaxLineLength = 64 * 1024;

private:
    std::string pending_;
};

// The position of an encoder progress line ("size= 256kB time=00:00:16.32
// bitrate= ..." or "time=12.50 bitrate=..."), in seconds; nothing when the line
// has no "time=" or its value is "N/A".
std::optional<double> ParseTimeField(std::string_view line);

// The text the encoder prints when the input has no stream for the output.
inline constexpr std::string_view kNoStreamText = "does not contain any stream";

}  // namespace engine
