// Test names made from the text a row feeds in, so a failure names its input.
#pragma once

#include <string>
#include <string_view>
#include <utility>

inline std::string NameOfText(std::string_view text) {
    constexpr std::pair<char, const char*> kWords[] = {
        {'.', "Dot"}, {',', "Comma"}, {'+', "Plus"}, {'-', "Minus"}, {' ', "Blank"}, {'\t', "Tab"},
    };
    std::string name = text.empty() ? "Empty" : "";
    for (const char c : text) {
        if ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
            name += c;
            continue;
        }
        const char* word = "_";
        for (const auto& [key, spelled] : kWords) {
            word = key == c ? spelled : word;
        }
        name += word;
    }
    return name;
}

inline std::string LocaleName(const char* locale) {
    return std::string_view(locale) == "C" ? "PointLocale" : "CommaLocale";
}
