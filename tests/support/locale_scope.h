// Runs a test under a chosen C locale and gives the previous one back. The
// main window learns its decimal separator from the C locale when it is
// built, and the number parsing asks again at every call, so the scope must
// outlive the window.
#pragma once

#include <clocale>
#include <string>

class LocaleScope {
public:
    explicit LocaleScope(const char* name) : previous_(std::setlocale(LC_ALL, nullptr)) {
        installed_ = std::setlocale(LC_ALL, name) != nullptr;
    }
    ~LocaleScope() { std::setlocale(LC_ALL, previous_.c_str()); }
    LocaleScope(const LocaleScope&) = delete;
    LocaleScope& operator=(const LocaleScope&) = delete;

    // False when the system does not have the locale; the test must then fail.
    bool Installed() const { return installed_; }

private:
    std::string previous_;
    bool installed_ = false;
};

// A locale whose decimal separator is '.' and one whose separator is ','.
inline constexpr const char* PointLocale = "C";
inline constexpr const char* CommaLocale = "de_DE.UTF-8";
