// The portable extended arithmetic against the x87 unit itself, operation by
// operation, special values and denormals included. Built with the portable
// arithmetic on x86 only: elsewhere there is no x87 unit to ask, and Boost's
// cpp_bin_float is no reference (its 1.74 rounds some differences of far
// apart operands wrongly, 6396697.1264676183 - 1.8325807616313118e-13 among
// them). The differential test covers the model.
#include "extended.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>

#include <cmath>
#include <cstring>

namespace {

// Random values: any encoding now and then, mostly normal ones of moderate
// exponent, some sharing most bits with the other operand (cancellation).
class Operands {
public:
    explicit Operands(uint64_t seed) : engine_(seed) {}
    ExtendedBits Next(const ExtendedBits* near) {
        ExtendedBits b{engine_() | (uint64_t{1} << 63),
                       static_cast<uint16_t>(16383 + engine_() % 200 - 100)};
        if (near != nullptr && engine_() % 3 == 0) {
            b = *near;
            b.significand ^= engine_() & ((uint64_t{1} << (engine_() % 64)) - 1);
        }
        if (engine_() % 8 == 0) {
            // Any exponent, zeros, denormals, infinities and NaNs among them
            // (the leading bit as the x87 unit wants it).
            b.signAndExponent = static_cast<uint16_t>(engine_());
            const bool denormal = (b.signAndExponent & 0x7fff) == 0;
            b.significand =
                denormal ? engine_() >> (1 + engine_() % 64) : engine_() | (uint64_t{1} << 63);
        }
        b.signAndExponent = static_cast<uint16_t>(b.signAndExponent | (engine_() & 0x8000));
        return b;
    }

private:
    std::mt19937_64 engine_;
};

long double Unit(ExtendedBits b) {
    long double v = 0;
    std::memcpy(&v, &b.significand, 8);
    std::memcpy(reinterpret_cast<char*>(&v) + 8, &b.signAndExponent, 2);
    return v;
}

::testing::AssertionResult Same(Extended got, long double want) {
    if (std::isnan(want)) {
        return IsNaN(got) ? ::testing::AssertionSuccess() : ::testing::AssertionFailure();
    }
    const ExtendedBits g = ToBits(got);
    ExtendedBits w{};
    std::memcpy(&w.significand, &want, 8);
    std::memcpy(&w.signAndExponent, reinterpret_cast<const char*>(&want) + 8, 2);
    if (g.significand == w.significand && g.signAndExponent == w.signAndExponent) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << std::hexfloat << "want " << want;
}

TEST(PortableExtended, RoundsEveryOperationAsTheX87Unit) {
    Operands draw(20261207);
    for (int i = 0; i < 500000; ++i) {
        const ExtendedBits ab = draw.Next(nullptr);
        const ExtendedBits bb = draw.Next(&ab);
        const Extended a = FromBits(ab);
        const Extended b = FromBits(bb);
        const long double x = Unit(ab);
        const long double y = Unit(bb);
        ASSERT_TRUE(Same(a + b, x + y)) << std::hexfloat << x << " + " << y;
        ASSERT_TRUE(Same(a - b, x - y)) << std::hexfloat << x << " - " << y;
        ASSERT_TRUE(Same(a * b, x * y)) << std::hexfloat << x << " * " << y;
        ASSERT_TRUE(Same(a / b, x / y)) << std::hexfloat << x << " / " << y;
        ASSERT_TRUE(Same(Sqrt(a), std::sqrt(x))) << std::hexfloat << x;
        ASSERT_EQ(a < b, x < y) << std::hexfloat << x << " < " << y;
        ASSERT_EQ(a == b, x == y) << std::hexfloat << x << " == " << y;
        const float f = static_cast<float>(x);
        const double d = static_cast<double>(x);
        ASSERT_TRUE(std::isnan(f) ? std::isnan(static_cast<float>(a))
                                  : std::bit_cast<uint32_t>(static_cast<float>(a)) ==
                                        std::bit_cast<uint32_t>(f))
            << std::hexfloat << x;
        ASSERT_TRUE(std::isnan(d) ? std::isnan(static_cast<double>(a))
                                  : std::bit_cast<uint64_t>(static_cast<double>(a)) ==
                                        std::bit_cast<uint64_t>(d))
            << std::hexfloat << x;
    }
}

} // namespace
