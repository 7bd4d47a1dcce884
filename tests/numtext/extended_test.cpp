// The portable extended arithmetic against the x87 unit itself, operation by
// operation, special values and denormals included. Built with the portable
// arithmetic on x86 only: elsewhere there is no x87 unit to ask, and Boost's
// cpp_bin_float is no reference (its 1.74 rounds some differences of far
// apart operands wrongly). The differential test covers the model.
#include "extended.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>

namespace {

long double Unit(ExtendedBits b) {
    long double v = 0;
    std::memcpy(&v, &b.significand, 8);
    std::memcpy(reinterpret_cast<char*>(&v) + 8, &b.signAndExponent, 2);
    return v;
}

// Bit for bit, where any NaN matches any NaN.
template <typename T> bool Same(T got, T want, std::size_t bytes = sizeof(T)) {
    return std::isnan(want) ? std::isnan(got) : std::memcmp(&got, &want, bytes) == 0;
}

bool Same(Extended got, long double want) {
    return Same(Unit(ToBits(got)), want, 10);
}

TEST(PortableExtended, RoundsEveryOperationAsTheX87Unit) {
    std::mt19937_64 engine(20261207);
    // Mostly normal values of moderate exponent, some sharing most bits with
    // the other operand (cancellation), now and then any encoding: zeros,
    // denormals, infinities and NaNs (the leading bit as the x87 unit wants it).
    const auto next = [&](const ExtendedBits* near) {
        ExtendedBits b{engine() | (uint64_t{1} << 63),
                       static_cast<uint16_t>(16383 + engine() % 200 - 100)};
        if (near != nullptr && engine() % 3 == 0) {
            b = *near;
            b.significand ^= engine() & ((uint64_t{1} << (engine() % 64)) - 1);
        }
        if (engine() % 8 == 0) {
            b.signAndExponent = static_cast<uint16_t>(engine());
            b.significand = (b.signAndExponent & 0x7fff) == 0 ? engine() >> (1 + engine() % 64)
                                                              : engine() | (uint64_t{1} << 63);
        }
        b.signAndExponent = static_cast<uint16_t>(b.signAndExponent | (engine() & 0x8000));
        return b;
    };
    for (int i = 0; i < 500000; ++i) {
        const ExtendedBits ab = next(nullptr), bb = next(&ab);
        const Extended a = FromBits(ab), b = FromBits(bb);
        const long double x = Unit(ab), y = Unit(bb);
        SCOPED_TRACE(::testing::Message() << std::hexfloat << x << " and " << y);
        ASSERT_TRUE(Same(a + b, x + y));
        ASSERT_TRUE(Same(a - b, x - y));
        ASSERT_TRUE(Same(a * b, x * y));
        ASSERT_TRUE(Same(a / b, x / y));
        ASSERT_TRUE(Same(Sqrt(a), std::sqrt(x)));
        ASSERT_EQ(a < b, x < y);
        ASSERT_EQ(a == b, x == y);
        ASSERT_TRUE(Same(static_cast<float>(a), static_cast<float>(x)));
        ASSERT_TRUE(Same(static_cast<double>(a), static_cast<double>(x)));
    }
}

} // namespace
