#include "converter/engine/clock_text.h"

#include <chrono>
#include <cstdio>

namespace engine {
namespace {

// Optional blanks, an optional sign and the digits that follow; 0 without digits.
int64_t LeadingInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value < 1000000000000LL) value = value * 10 + (text[i] - '0');
    }
    return negative ? -value : value;
}

std::string_view Piece(std::string_view text, std::size_t pos, std::size_t len) {
    if (pos >= text.size()) return {};
    return text.substr(pos, len);
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Digits with an optional fraction ("12", "12.5", "12."); nothing for anything else.
std::optional<double> DecimalNumber(std::string_view text) {
    if (text.empty()) return std::nullopt;
    double value = 0;
    std::size_t i = 0;
    bool anyDigit = false;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        value = value * 10 + (text[i] - '0');
        anyDigit = true;
    }
    if (i < text.size() && text[i] == '.') {
        double scale = 0.1;
        for (++i; i < text.size() && IsDigit(text[i]); ++i) {
            value += (text[i] - '0') * scale;
            scale /= 10;
            anyDigit = true;
        }
    }
    if (!anyDigit || i != text.size()) return std::nullopt;
    return value;
}

}  // namespace

int64_t ParseClockText(std::string_view text) {
    const int64_t hours = LeadingInteger(Piece(text, 0, 2));
    const int64_t minutes = LeadingInteger(Piece(text, 3, 2));
    const int64_t seconds = LeadingInteger(text.size() >= 2 ? text.substr(text.size() - 2) : text);
    return (hours * 60 + minutes) * 60 + seconds;
}

std::string FormatClock(uint32_t milliseconds) {
    const uint32_t s = milliseconds / 1000;
    const uint32_t hours = s / 3600;
    const uint32_t minutes = (s - hours * 3600) / 60;
    char text[32];
    std::snprintf(text, sizeof text, "%.2u:%.2u:%.2u", hours, minutes, s % 60);
    return text;
}

std::string FormatClockMs(uint32_t milliseconds) {
    char text[16];
    std::snprintf(text, sizeof text, ".%.3u", milliseconds % 1000);
    return FormatClock(milliseconds) + text;
}

uint32_t NowMs() {
    const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart).count());
}

std::optional<double> ParseEncoderTime(std::string_view text) {
    text = Trim(text);
    bool negative = false;
    if (!text.empty() && text.front() == '-') {
        negative = true;
        text.remove_prefix(1);
    }
    std::optional<double> value;
    const std::size_t firstColon = text.find(':');
    if (firstColon == std::string_view::npos) {
        value = DecimalNumber(text);
    } else {
        const std::size_t secondColon = text.find(':', firstColon + 1);
        if (secondColon == std::string_view::npos) return std::nullopt;
        const std::string_view h = text.substr(0, firstColon);
        const std::string_view m = text.substr(firstColon + 1, secondColon - firstColon - 1);
        const auto hours = DecimalNumber(h);
        const auto minutes = DecimalNumber(m);
        const auto seconds = DecimalNumber(text.substr(secondColon + 1));
        if (!hours || !minutes || !seconds || h.find('.') != std::string_view::npos ||
            m.find('.') != std::string_view::npos) {
            return std::nullopt;
        }
        value = (*hours * 60 + *minutes) * 60 + *seconds;
    }
    if (value && negative) *value = -*value;
    return value;
}

}  // namespace engine
