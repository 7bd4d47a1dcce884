// What the decimal conversions of numtext share: the powers of ten they scale
// a binary value by, and the estimate of its decimal exponent from its binary
// one, which each conversion corrects by one where needed.
#pragma once

#include <array>
#include <cstdint>

namespace decimal_core {

// 10^0 to 10^19: every power of ten that 64 bits hold.
inline constexpr std::array<std::uint64_t, 20> PowersOfTen = [] {
    std::array<std::uint64_t, 20> powers{};
    std::uint64_t power = 1;
    for (std::uint64_t& p : powers) {
        p = power;
        power *= 10;
    }
    return powers;
}();

// floor(power x log10(2)), so that 2^power <= x < 2^(power+1) gives
// 10^k <= x < 10^(k+1) with k this or one more; 78913 / 2^18 is log10(2),
// close enough for every binary exponent of a double.
constexpr int DecimalExponentOfPowerOfTwo(int power) {
    return (power * 78913) >> 18;
}

} // namespace decimal_core
