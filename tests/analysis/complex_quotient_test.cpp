#include "complex_quotient.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <complex>
#include <cstdint>
#include <limits>
#include <random>

namespace {

// Bit for bit, where any NaN matches any NaN.
void ExpectLibraryQuotient(double a, std::complex<double> z) {
    const std::complex<double> want = a / z, got = RealOverComplex(a, z);
    for (const auto& [g, w] : {std::pair{got.real(), want.real()}, {got.imag(), want.imag()}}) {
        if (!std::isnan(g) || !std::isnan(w)) {
            EXPECT_EQ(std::bit_cast<std::uint64_t>(g), std::bit_cast<std::uint64_t>(w))
                << a << " / " << z;
        }
    }
}

// Mostly the circuit's range; now and then beyond where the library scales,
// zeros of either sign, and the edges the library handles itself.
TEST(RealOverComplexTest, GivesTheLibrarysQuotientBitForBit) {
#ifdef __FP_FAST_FMA
    // Here (AArch64) the library's division is compiled with fused
    // multiply-adds and rounds differently; RealOverComplex keeps its steps
    // apart so that its quotient is the x86-64 library's on every platform,
    // which the cross build's comparison of the batch output checks.
    GTEST_SKIP() << "the library's complex division fuses multiply-adds on this platform";
#endif
    std::mt19937_64 random(7);
    const auto magnitude = [&](double range) {
        const double power = std::uniform_real_distribution<double>(-range, range)(random);
        return (random() % 2 != 0 ? -1 : 1) * std::exp2(power);
    };
    for (int i = 0; i < 200000; ++i) {
        const double range = i % 10 == 0 ? 1100 : 150;
        double parts[3] = {magnitude(range), magnitude(range), magnitude(range)};
        if (i % 7 == 0) {
            parts[random() % 3] = random() % 2 != 0 ? 0.0 : -0.0;
        }
        ExpectLibraryQuotient(parts[0], {parts[1], parts[2]});
    }
    const double inf = std::numeric_limits<double>::infinity();
    for (const double a : {1.0, 0.0, -0.0, inf, 0x1p-1074, 0x1p1023}) {
        for (const std::complex<double> z : {std::complex<double>(0, 0),
                                             {-0.0, 0},
                                             {inf, 1},
                                             {1, inf},
                                             {NAN, 1},
                                             {0x1p-1074, 0},
                                             {0x1p1023, 0x1p1023},
                                             {0x1p-301, 1},
                                             {1, 0x1p301}}) {
            ExpectLibraryQuotient(a, z);
        }
    }
}

} // namespace
