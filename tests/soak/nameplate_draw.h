// A reproducible stream of name plates as a user might type them: mostly
// inside the ranges the name-plate check admits, the rest far beyond them, on
// their bounds, or texts that are not one plain number.
#pragma once

#include "text_nameplate.h"

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

    DrawnNameplate Next();

private:
    // Built on the engine's raw output only, so the stream is the same with
    // every standard library.
    double Unit();
    double Between(double lo, double hi);
    double LogBetween(double lo, double hi);
    std::size_t Index(std::size_t size);

    // The text of a value with 1 to 9 significant digits and either separator.
    std::string Text(double value);
    std::string Admissible(int row, double slip);
    std::string Far();
    std::string OnBound(int row);
    std::string Odd();

    std::mt19937_64 engine_;
};
