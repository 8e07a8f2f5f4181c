#pragma once

// Switches the string table to English for one test and back to Japanese
// after it, so that the other tests of the executable see the table as it is.

#include "base/strings.h"

struct EnglishTexts
{
    EnglishTexts() : loaded(setLanguage(Language::English)) {}
    ~EnglishTexts() { setLanguage(Language::Japanese); }
    EnglishTexts(const EnglishTexts &) = delete;
    EnglishTexts &operator=(const EnglishTexts &) = delete;
    const bool loaded;
};
