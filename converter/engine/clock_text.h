#pragma once

// Small time helpers used throughout the engine: clock texts of the task list
// and the progress window, and a millisecond clock for elapsed times.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace engine {

// Reads "HH:MM:SS" by position: hours from the first two characters, minutes
// from characters 3 and 4, seconds from the last two characters. Each part is
// read as optional blanks, an optional sign and digits; a part without digits
// counts 0. So "00:03:25.47" reads as 3 minutes 47 seconds (227).
int64_t ParseClockText(std::string_view text);

// "%.2d:%.2d:%.2d" of whole seconds; hours are not wrapped (100 hours: "100:00:00").
std::string FormatClock(uint32_t milliseconds);

// "%.2d:%.2d:%.2d.%.3d": FormatClock followed by the milliseconds.
std::string FormatClockMs(uint32_t milliseconds);

// Milliseconds of a steady clock. Only differences of two readings mean anything
// (take them in 32-bit unsigned arithmetic: NowMs() - start).
uint32_t NowMs();

// An encoder time position: a plain decimal number is seconds ("12.50"),
// otherwise the clock form HH:MM:SS with an optional fraction ("00:01:02.50",
// also "-00:00:00.02"). Leading and trailing blanks are ignored. Nothing for
// "N/A", an empty text or anything else that is not a time.
std::optional<double> ParseEncoderTime(std::string_view text);

}  // namespace engine
