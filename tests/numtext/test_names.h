// Test names made from the text a row feeds in, so a failure names its input.
#pragma once

#include <string>
#include <string_view>

inline std::string NameOfText(std::string_view text) {
    if (text.empty()) {
        return "Empty";
    }
    std::string name;
    for (const char c : text) {
        if ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
            name += c;
        } else if (c == '.') {
            name += "Dot";
        } else if (c == ',') {
            name += "Comma";
        } else if (c == '+') {
            name += "Plus";
        } else if (c == '-') {
            name += "Minus";
        } else if (c == ' ') {
            name += "Blank";
        } else if (c == '\t') {
            name += "Tab";
        } else {
            name += "_";
        }
    }
    return name;
}

inline std::string LocaleName(const char* locale) {
    return std::string_view(locale) == "C" ? "PointLocale" : "CommaLocale";
}
