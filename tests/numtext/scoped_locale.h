// Switches the process locale for one test and puts the previous one back.
#pragma once

#include <clocale>
#include <string>

class ScopedLocale {
public:
    explicit ScopedLocale(const char* name) : saved_(std::setlocale(LC_ALL, nullptr)) {
        active_ = std::setlocale(LC_ALL, name) != nullptr;
    }
    ~ScopedLocale() { std::setlocale(LC_ALL, saved_.c_str()); }
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;

    // False when the locale is not installed; the test must then fail.
    bool Active() const { return active_; }

private:
    std::string saved_;
    bool active_ = false;
};

inline constexpr const char* kPointLocale = "C";
inline constexpr const char* kCommaLocale = "de_DE.UTF-8";
