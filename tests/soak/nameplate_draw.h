// A reproducible stream of name plates as a user might type them: mostly
// inside the ranges the name-plate check admits, the rest far beyond them, on
// their bounds, or texts that are not one plain number. Built on the
// engine's raw output only, so the stream is the same with every standard
// library.
#pragma once

#include "text_nameplate.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>

struct DrawnNameplate {
    TextNameplate::Fields fields;
    float frequency = 50; // Hz, 50 or 60
};

class NameplateDraw {
public:
    explicit NameplateDraw(uint64_t seed) : engine_(seed) {}

    // Per row: 80 % admissible, 12 % far beyond, 4 % on a bound, 4 % odd.
    DrawnNameplate Next() {
        DrawnNameplate plate;
        double slip = 0.02;
        for (std::size_t row = 0; row < 6; ++row) {
            const double kind = Unit();
            if (kind < 0.80) {
                slip = row == 2 ? LogBetween(MinSlip, MaxSlip) : slip;
                plate.fields[row] = Text(Admissible(row, slip));
            } else if (kind < 0.92) {
                plate.fields[row] = Far();
            } else if (kind < 0.96) {
                plate.fields[row] = BoundTexts[row][Index(BoundTexts[row].size())];
            } else {
                plate.fields[row] = OddTexts[Index(OddTexts.size())];
            }
        }
        plate.frequency = Index(2) == 0 ? 50.0f : 60.0f;
        return plate;
    }

private:
    static constexpr double MinSlip = 0.0009765625;
    static constexpr double MaxSlip = 0.5;

    // Texts on and just beside each row's bounds, as typed.
    static constexpr std::array<std::array<const char*, 6>, 6> BoundTexts{{
        {"0.0005", "0.0004", "0,0005", "0.00050001", "0.00049999", "0.0005e0"},
        {"0.001", "0.0009", "0.000999999", "0.0010001", "1e-3", "0,001"},
        {"0.5", "0.5000001", "0.0009765625", "0.0009765624", "0.001", "0.0009"},
        {"0.5", "0.49999997", "0.98", "0.979", "0.999", "1"},
        {"0.9991", "0.999", "0.99909", "0.5", "0.49999997", "0,9991"},
        {"1.5", "1.5000001", "1.51", "1.50001", "1,5", "15e-1"},
    }};

    // Blank, malformed, refused, overflowing and multi-number texts.
    static constexpr std::array<const char*, 26> OddTexts{
        "",    "   ", "-",   "+",     ".",    ",",      "e5",    "1e",    "1e+",
        "abc", "1 x", "2 3", "  7  ", "1e40", "999e36", "3e38",  "1e-37", "1.2.3",
        "5.",  "-0",  "\t1", "1,5e1", "0x10", "1e36",   "-1e36", "1e-36"};

    double Unit() { return static_cast<double>(engine_() >> 11) * 0x1p-53; }
    double Between(double lo, double hi) { return lo + (hi - lo) * Unit(); }
    double LogBetween(double lo, double hi) {
        return std::exp(Between(std::log(lo), std::log(hi)));
    }
    std::size_t Index(std::size_t size) { return static_cast<std::size_t>(engine_() % size); }

    // Voltage kV, power kW, slip, efficiency, power factor, current ratio.
    double Admissible(std::size_t row, double slip) {
        return row == 0   ? LogBetween(0.0005, 1000)
               : row == 1 ? LogBetween(0.001, 1e6)
               : row == 2 ? slip
               : row == 3 ? Between(0.5, 1 - std::clamp(slip, MinSlip, MaxSlip))
               : row == 4 ? Between(0.5, 0.9991)
                          : LogBetween(1.5, 30);
    }

    // The text of a value with 1 to 9 significant digits and either separator.
    std::string Text(double value) {
        const int digits = 1 + static_cast<int>(Index(9));
        std::array<char, 64> buffer{};
        const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                             std::chars_format::general, digits);
        std::string text(buffer.data(), ec == std::errc() ? end : buffer.data());
        if (Index(2) == 1) {
            std::replace(text.begin(), text.end(), '.', ',');
        }
        return text;
    }

    std::string Far() {
        if (Index(20) == 0) {
            return "0";
        }
        const double magnitude = LogBetween(1e-38, 1e38);
        return Text(Index(2) == 0 ? magnitude : -magnitude);
    }

    std::mt19937_64 engine_;
};
