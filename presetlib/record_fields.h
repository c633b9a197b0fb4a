#pragma once

// Storing XML values into the fixed-size fields of a profile record.

#include <cstddef>
#include <cstdint>
#include <string>

namespace presetlib {

// Copies `text` into `field` of `size` bytes: at most size - 1 bytes, cut
// before a UTF-8 character that would not fit whole, NUL-terminated, every
// byte after the text zero.
void StoreText(char* field, size_t size, const std::string& text);

template <size_t N>
void StoreText(char (&field)[N], const std::string& text) {
    StoreText(field, N, text);
}

// Decimal integer of a value text: optional leading white space, an optional
// sign, then the digits that follow ("12abc" gives 12; no digits give 0).
// Values beyond the 32-bit range are clamped to it.
int32_t ParseDecimal(const std::string& text);

}  // namespace presetlib
