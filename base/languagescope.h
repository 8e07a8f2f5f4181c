#pragma once

// Sets the language of str() for as long as it lives and gives back the one
// before: output meant for scripts (the tool's --json) reads the same in
// every locale.

#include "base/strings.h"

class LanguageScope
{
public:
    explicit LanguageScope(Language language);
    ~LanguageScope();
    LanguageScope(const LanguageScope &) = delete;
    LanguageScope &operator=(const LanguageScope &) = delete;

private:
    Language m_before;
};
