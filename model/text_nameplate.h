// A name plate given as the six texts a user would type into the input
// boxes, read by the same rule as the window's input array.
#pragma once

#include "nameplate_source.h"

#include <array>
#include <string>
#include <utility>

class TextNameplate final : public NameplateSource {
public:
    // Voltage kV, power kW, slip, efficiency, power factor, current ratio.
    using Fields = std::array<std::string, 6>;

    explicit TextNameplate(Fields fields) : fields_(std::move(fields)) {}

    // Rows 1..6 of column 1; anything else reads as 0.
    float GetData(int32_t row, int32_t col) const override;

private:
    Fields fields_;
};
