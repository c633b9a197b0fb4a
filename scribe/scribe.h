#pragma once

// The program's log: whole lines appended to a daily file in Scribe/ of the
// program folder.

#define SCRIBE_API extern "C" __attribute__((visibility("default")))

// Appends `text` and a line break. Safe from two threads; never throws; a failing
// disk loses the line, never the program.
SCRIBE_API void WriteLogLine(const char* text);
