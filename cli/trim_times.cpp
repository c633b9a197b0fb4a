#include "cli/trim_times.h"

#include <cctype>

#include "converter/engine/clock_text.h"

namespace cli {
namespace {

int TwoDigits(const std::string& text, std::size_t at) {
    return (text[at] - '0') * 10 + (text[at + 1] - '0');
}

}  // namespace

const char* MessageKey(TrimCheck check) {
    switch (check) {
        case TrimCheck::kErrTimeFormat:
            return "ErrTimeFormat";
        case TrimCheck::kGreaterEndTime:
            return "GreaterEndTime";
        case TrimCheck::kGreaterTotalTime:
            return "GreaterTotalTime";
        case TrimCheck::kOk:
            break;
    }
    return "";
}

bool IsTrimTextFormat(const std::string& text) {
    if (text.size() != 8 || text[2] != ':' || text[5] != ':') return false;
    for (std::size_t i : {0, 1, 3, 4, 6, 7}) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
    }
    return TwoDigits(text, 3) <= 60 && TwoDigits(text, 6) <= 60;
}

TrimCheck CheckTrimTimes(const std::string& start, const std::string& end,
                         const std::string& total) {
    if (!IsTrimTextFormat(start) || !IsTrimTextFormat(end)) return TrimCheck::kErrTimeFormat;
    if (engine::ParseClockText(end) - engine::ParseClockText(start) <= 0) {
        return TrimCheck::kGreaterEndTime;
    }
    if (engine::ParseClockText(total) - engine::ParseClockText(end) < 0) {
        return TrimCheck::kGreaterTotalTime;
    }
    return TrimCheck::kOk;
}

}  // namespace cli
