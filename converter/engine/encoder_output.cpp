#include "converter/engine/encoder_output.h"

#include "converter/engine/clock_text.h"

namespace engine {

std::vector<std::string> EncoderLineSplitter::Feed(std::string_view chunk) {
    std::vector<std::string> lines;
    for (char c : chunk) {
        if (c == '\r' || c == '\n') {
            if (!pending_.empty()) lines.push_back(std::move(pending_));
            pending_.clear();
            continue;
        }
        pending_ += c;
        if (pending_.size() >= kMaxLineLength) {
            lines.push_back(std::move(pending_));
            pending_.clear();
        }
    }
    return lines;
}

std::optional<std::string> EncoderLineSplitter::Finish() {
    if (pending_.empty()) return std::nullopt;
    std::string rest = std::move(pending_);
    pending_.clear();
    return rest;
}

std::optional<double> ParseTimeField(std::string_view line) {
    const std::size_t at = line.find("time=");
    if (at == std::string_view::npos) return std::nullopt;
    std::string_view value = line.substr(at + 5);
    // The value may be padded with blanks after "time="; it ends at the next
    // blank or at the "b" of the bitrate field that follows.
    const std::size_t begin = value.find_first_not_of(" \t");
    if (begin == std::string_view::npos) return std::nullopt;
    value.remove_prefix(begin);
    value = value.substr(0, value.find_first_of(" \tb"));
    return ParseEncoderTime(value);
}

}  // namespace engine
