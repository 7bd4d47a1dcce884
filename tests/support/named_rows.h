// Rows of table-driven tests print, and name their tests, by their `name`.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>

// In the unnamed namespace of each test file that includes it, where its
// rows are declared, so that gtest finds it by argument-dependent lookup.
namespace {
template <typename Row>
requires requires(const Row& r) {
    r.name;
}
void PrintTo(const Row& r, std::ostream* os) {
    *os << r.name;
}
} // namespace

// For INSTANTIATE_TEST_SUITE_P: each test is named after its row.
inline constexpr auto RowName = [](const auto& info) { return std::string(info.param.name); };

// A test name made from the text a row feeds in, so a failure names its input.
inline std::string NameOfText(std::string_view text) {
    constexpr std::pair<char, const char*> kWords[] = {
        {'.', "Dot"}, {',', "Comma"}, {'+', "Plus"}, {'-', "Minus"}, {' ', "Blank"}, {'\t', "Tab"},
    };
    std::string name = text.empty() ? "Empty" : "";
    for (const char c : text) {
        const bool plain =
            (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        const char* word = "_";
        for (const auto& [key, spelled] : kWords) {
            word = key == c ? spelled : word;
        }
        name += plain ? std::string(1, c) : word;
    }
    return name;
}
