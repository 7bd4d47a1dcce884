// Floats compared bit for bit, so that a different rounding shows.
#pragma once

#include <bit>
#include <cstdint>

inline std::uint32_t Bits(float v) {
    return std::bit_cast<std::uint32_t>(v);
}
