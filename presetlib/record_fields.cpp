#include "presetlib/record_fields.h"

#include <cstring>
#include <limits>

namespace presetlib {

namespace {

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

}  // namespace

void StoreText(char* field, size_t size, const std::string& text) {
    if (size == 0) return;
    std::memset(field, 0, size);
    size_t length = text.size();
    if (length > size - 1) {
        length = size - 1;
        // text[length] is the first byte left out: when it continues a
        // character, that character's lead byte and the rest go too.
        while (length > 0 && IsContinuationByte(text[length])) --length;
    }
    std::memcpy(field, text.data(), length);
}

int32_t ParseDecimal(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    // Accumulate up to one past the largest magnitude the result can hold.
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > kLimit) magnitude = kLimit;
    }
    const int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value);
}

}  // namespace presetlib
