// What the fuzz targets share: a property check that stops the run, and the
// two locales every target compares.
#pragma once

#include <clocale>
#include <locale.h>

// Reports a broken property and aborts, so that libFuzzer saves the input.
void Require(bool holds, const char* property);

// Runs the enclosed code under a locale whose decimal separator is ','
// (this thread only; cheap enough for every input). Does nothing when no
// such locale is installed.
class CommaLocale {
public:
    CommaLocale();
    ~CommaLocale();
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;

    static bool Available();

private:
    locale_t previous_ = nullptr;
};
