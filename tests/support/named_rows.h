// Rows of table-driven tests print, and name their tests, by their `name`.
#pragma once

#include <ostream>
#include <string>

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
