#pragma once

#include <string>

namespace cli {

// The checks of the trim settings, by the message key that reports a failure
// (section "MsgBox"); kOk when the times are usable.
enum class TrimCheck { kOk, kErrTimeFormat, kGreaterEndTime, kGreaterTotalTime };

// "ErrTimeFormat", "GreaterEndTime", "GreaterTotalTime" ("" for kOk).
const char* MessageKey(TrimCheck check);

// HH:MM:SS as the trim boxes take it: exactly 8 characters, digits with colons
// at positions 2 and 5, minutes and seconds at most 60 (60 is accepted). The
// hours are not limited beyond their two digits.
bool IsTrimTextFormat(const std::string& text);

// The checks of one task in order: the start's format, the end's format, the
// end after the start, the end not beyond `total` (the probed duration).
TrimCheck CheckTrimTimes(const std::string& start, const std::string& end,
                         const std::string& total);

}  // namespace cli
