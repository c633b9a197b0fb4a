#pragma once

// Interface texts of every language, looked up by section and key.

#define LINGO_API extern "C" __attribute__((visibility("default")))

// Reads the language files matching `fileMask` ("Lang/*.xml"), resolved against
// the program folder when relative. Returns the number of languages found.
LINGO_API int InitLanguages(const char* fileMask);
LINGO_API int GetLanguageCount(void);
// Selects language `index` (0 is English). Returns 1 on success, 0 otherwise.
LINGO_API int SelectLanguage(int index);
// Always a readable text, owned by the library and valid for its lifetime.
// Safe to call from two threads at once.
LINGO_API const char* GetLanguageText(const char* section, const char* key);
