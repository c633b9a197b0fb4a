#include "cli/terminal_text.h"

#include <sys/ioctl.h>

#include <vector>

namespace cli {
namespace {

struct Glyph {
    std::size_t offset;
    std::size_t length;
    int width;
};

bool IsWide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x1F300 && c <= 0x1FAFF) ||
           (c >= 0x20000 && c <= 0x3FFFD);
}

// Splits UTF-8 into characters; a malformed byte counts as one narrow character.
std::vector<Glyph> Glyphs(const std::string& text) {
    std::vector<Glyph> glyphs;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = lead < 0x80    ? 1
                             : lead >= 0xF0 ? 4
                             : lead >= 0xE0 ? 3
                             : lead >= 0xC0 ? 2
                                            : 1;
        char32_t code = length == 1 ? lead : lead & (0x3F >> (length - 1));
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = i + k < text.size() ? static_cast<unsigned char>(text[i + k]) : 0;
            if ((next & 0xC0) != 0x80) {
                length = 1;
                code = lead;
                break;
            }
            code = (code << 6) | (next & 0x3F);
        }
        glyphs.push_back({i, length, IsWide(code) ? 2 : 1});
        i += length;
    }
    return glyphs;
}

}  // namespace

std::string Printable(const std::string& text) {
    std::string shown = text;
    for (char& c : shown) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) c = '?';
    }
    return shown;
}

int DisplayWidth(const std::string& text) {
    int width = 0;
    for (const auto& glyph : Glyphs(text)) width += glyph.width;
    return width;
}

std::string FitLeft(const std::string& text, int columns) {
    if (columns <= 0) return "";
    if (DisplayWidth(text) <= columns) return text;
    if (columns <= 3) return std::string(static_cast<std::size_t>(columns), '.');
    const auto glyphs = Glyphs(text);
    int width = 3;
    std::size_t start = text.size();
    for (auto it = glyphs.rbegin(); it != glyphs.rend(); ++it) {
        if (width + it->width > columns) break;
        width += it->width;
        start = it->offset;
    }
    return "..." + text.substr(start);
}

int TerminalColumns(int fd, int fallback) {
    winsize size{};
    if (ioctl(fd, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
    return fallback;
}

}  // namespace cli
