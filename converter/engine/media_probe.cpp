#include "converter/engine/media_probe.h"

#include "converter/engine/clock_text.h"
#include "converter/engine/encoder_command.h"
#include "converter/engine/encoder_output.h"
#include "platform/child_process.h"
#include "platform/program_folder.h"

namespace engine {
namespace {

bool Contains(std::string_view line, std::string_view text) {
    return line.find(text) != std::string_view::npos;
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

// The encoder's own words for a file it cannot use, in both wordings it has
// had, and the result each one gives.
struct ProbeErrorWording {
    std::string_view said;
    std::string_view result;
};
constexpr ProbeErrorWording kProbeErrors[] = {
    {"Unknown format", kProbeUnknownFormat},
    {"Invalid data found when processing input", kProbeUnknownFormat},
    // What the encoder says when a damaged file's name made it guess a format
    // (random bytes named x.mp3); a report with a duration still wins.
    {": Invalid argument", kProbeUnknownFormat},
    {"could not find codec parameters", kProbeNoCodecParameters},
    {"Could not find codec parameters", kProbeNoCodecParameters},
    {"no such file or directory", kProbeNoSuchFile},
    {"No such file or directory", kProbeNoSuchFile},
};

}  // namespace

bool IsProbeError(std::string_view result) {
    return result == kProbeUnknownFormat || result == kProbeNoCodecParameters ||
           result == kProbeNoSuchFile;
}

bool ProbeReportScanner::FeedLine(std::string_view line) {
    if (duration_) return true;
    const std::size_t at = line.find("Duration:");
    if (at != std::string_view::npos) {
        // A blank and then HH:MM:SS.cc: the first nine characters give HH:MM:SS.
        const std::string_view value = TrimBlanks(line.substr(at + 9, 9));
        duration_ =
            value.starts_with("N/A") ? std::string(kProbeNotAvailableDuration) : std::string(value);
        return true;
    }
    if (error_.empty()) {
        for (const ProbeErrorWording& wording : kProbeErrors) {
            if (Contains(line, wording.said)) {
                error_ = wording.result;
                break;
            }
        }
    }
    return false;
}

std::string ProbeReportScanner::Result() const {
    return duration_ ? *duration_ : error_;
}

std::string ProbeMedia(const std::string& path) {
    platform::ChildProcess coder;
    if (!coder.Start(platform::ProgramFolder() + "codecs/coder",
                     {"-i", EncoderPathArgument(path)})) {
        return {};
    }
    coder.CloseInput();

    EncoderLineSplitter splitter;
    ProbeReportScanner scanner;
    const uint32_t startMs = NowMs();
    bool settled = false;
    char buffer[1024];
    while (!settled) {
        const long count = coder.Read(buffer, sizeof buffer, 100);
        if (count == platform::ChildProcess::kTimeout) {
            if (NowMs() - startMs >= static_cast<uint32_t>(kProbeTimeoutMs)) break;
            continue;
        }
        if (count <= 0) {
            if (auto rest = splitter.Finish()) scanner.FeedLine(*rest);
            break;
        }
        for (const std::string& line : splitter.Feed(std::string_view(buffer, count))) {
            if (scanner.FeedLine(line)) {
                settled = true;
                break;
            }
        }
    }
    coder.Terminate();
    coder.Wait();
    return scanner.Result();
}

}  // namespace engine
