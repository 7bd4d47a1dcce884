#include "decimal_forms.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <string>

namespace {

struct FormRow {
    char form; // 'G' general, 'F' fixed
    float value;
    int width;
    int digits;
    const char* text;
};

TEST(DecimalForms, WriteTheDigitsOfTheExactValue) {
    const FormRow rows[] = {
        // Ties that an exactly representable float meets are rounded away from zero;
        // the display form's own cases are checked through it.
        {'G', 2.5f, 0, 1, "3"},
        // Not a shorter decimal: 0.45f is 0.44999998..., 1.45f 1.4500000477...
        {'G', 0.45f, 0, 1, "0.4"},
        {'G', 1.45f, 0, 2, "1.5"},
        {'F', 2.675f, 0, 2, "2.67"},
        {'G', 100.0f, 0, 6, "100"},
        // Exponent form as %g chooses it.
        {'G', 1234.0f, 0, 4, "1234"},
        {'G', 12345.0f, 0, 4, "1.235E4"},
        {'G', 999999.9375f, 0, 6, "1E6"},
        {'G', 1e20f, 0, 4, "1E20"},
        {'G', 3e-30f, 0, 4, "3E-30"},
        // Padded to the width, never cut.
        {'G', 123.456789f, 3, 6, "123.457"},
        {'G', 0.0f, 3, 6, "  0"},
        {'F', 0.0f, 0, 6, "0.000000"},
        {'F', 0.0000004f, 0, 6, "0.000000"},
        {'F', 0.0000006f, 0, 6, "0.000001"},
        {'F', 1e10f, 0, 2, "10000000000.00"},
    };
    for (const FormRow& r : rows) {
        EXPECT_EQ(r.form == 'G' ? GeneralForm(r.value, r.width, r.digits)
                                : FixedForm(r.value, r.width, r.digits),
                  r.text)
            << r.form << " of " << r.value;
    }
}

// The forms round in 64-bit integers where those hold the value, else on the
// full decimal expansion. The two must agree wherever both apply; the
// display form's four conversions are checked in their own magnitude bands.
struct Conversion {
    char form;
    int width;
    int digits;
    float low; // the band the display form uses it for
    float high;
};

constexpr Conversion kDisplayConversions[] = {
    {'G', 8, 4, 9.9e-6f, 1.01e-4f},
    {'F', 8, 6, 9.9e-5f, 1.0f},
    {'G', 7, 6, 1.0f, 1e5f},
    {'G', 7, 4, 1e5f, 1e8f},
};

void ExpectSame(const Conversion& c, float v) {
    using namespace decimal_forms_detail;
    if (c.form == 'G') {
        EXPECT_EQ(GeneralForm(v, c.width, c.digits), GeneralFormByExpansion(v, c.width, c.digits))
            << std::hexfloat << v;
    } else {
        EXPECT_EQ(FixedForm(v, c.width, c.digits), FixedFormByExpansion(v, c.width, c.digits))
            << std::hexfloat << v;
    }
}

// Exact ties: value x 10^places = n + 1/2 needs 5^places to divide 2n + 1,
// so the ties at the digit kept are the odd multiples of 2^-(places+1).
TEST(DecimalFormsAgreeTest, OnExactTies) {
    const auto& c = kDisplayConversions;
    for (int k = 1; k < 128; k += 2) {
        ExpectSame(c[1], k / 128.0f); // 6 decimals: 0.0078125, 0.0234375, ...
    }
    // 6 significant digits with 1 to 5 integer digits: odd multiples of
    // 2^-6 ... 2^-2 (1.015625, 1234.125, 12345.25, ...).
    for (int digits = 1; digits <= 5; ++digits) {
        const float step = std::ldexp(1.0f, digits - 7);
        const float start = std::pow(10.0f, static_cast<float>(digits - 1));
        for (float v = start + step; v < 10 * start; v += 2 * step * 997) {
            ExpectSame(c[2], v);
        }
    }
    // 4 significant digits of 6 to 8 integer digits: ...50, ...500, ...5000.
    for (float v = 100050; v < 1e8f; v = v * 1.37f + 100) {
        for (const float half : {50.0f, 500.0f, 5000.0f}) {
            const float tie = std::round(v / (2 * half)) * 2 * half + half;
            if (tie >= 1e5f && tie < 1e8f) {
                ExpectSame(c[3], tie);
            }
        }
    }
}

// Across each band, and closely where a rounding carries into a new decade
// and where the bands meet.
TEST(DecimalFormsAgreeTest, AcrossEachBandAndAtItsEdges) {
    const float edges[] = {1e-5f, 9.9995e-5f, 1e-4f, 9.999995e-1f, 1.0f,      9.999995f,
                           10.0f, 99.99995f,  100,   999.9995f,    9999.995f, 99999.95f,
                           1e5f,  999950,     1e6f,  9999500,      1e7f,      99995000,
                           1e8f,  0.5f,       2.0f,  1024.0f,      65536.0f};
    for (const Conversion& c : kDisplayConversions) {
        for (const float edge : edges) {
            float v = edge;
            for (int i = 0; i < 4; ++i) {
                v = std::nextafter(v, 0.0f);
            }
            for (int i = 0; i < 8; ++i, v = std::nextafter(v, 1e30f)) {
                if (v >= c.low && v < c.high) {
                    ExpectSame(c, v);
                }
            }
        }
        for (auto bits = std::bit_cast<std::uint32_t>(c.low);
             bits < std::bit_cast<std::uint32_t>(c.high); bits += 4099) {
            ExpectSame(c, std::bit_cast<float>(bits));
        }
    }
}

// Beyond the bands, where the integers may not hold the value, the forms
// fall back on the expansion.
TEST(DecimalFormsAgreeTest, AtAnyMagnitudeAndPrecision) {
    using namespace decimal_forms_detail;
    for (std::uint32_t bits = 1; bits < 0x7F800000u; bits += 1048573) {
        const float v = std::bit_cast<float>(bits);
        for (int digits = 1; digits <= 12; ++digits) {
            ASSERT_EQ(GeneralForm(v, 0, digits), GeneralFormByExpansion(v, 0, digits))
                << std::hexfloat << v << " to " << digits;
            ASSERT_EQ(FixedForm(v, 0, digits - 1), FixedFormByExpansion(v, 0, digits - 1))
                << std::hexfloat << v << " to " << digits - 1;
        }
    }
}

} // namespace
