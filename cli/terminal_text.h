#pragma once

#include <string>

namespace cli {

// Text safe to put on a terminal: control characters (line breaks, escapes)
// of a file name become '?', so a hostile name cannot move the cursor or
// change the terminal.
std::string Printable(const std::string& text);

// Columns that UTF-8 `text` takes on a terminal (wide East Asian characters
// count two).
int DisplayWidth(const std::string& text);

// `text` cut to at most `columns` columns; when cut, its start is replaced by
// "..." so that the end (the file name) stays visible.
std::string FitLeft(const std::string& text, int columns);

// The width of the terminal behind `fd`, or `fallback`.
int TerminalColumns(int fd, int fallback);

}  // namespace cli
