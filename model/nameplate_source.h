// Where the name-plate check reads its six inputs: rows 1 to 6 of column 1
// of the input array, each the first number typed in that box, or 0 when the
// text cannot be read. Reading may throw the number-text errors.
#pragma once

#include <cstdint>

class NameplateSource {
public:
    virtual float GetData(int32_t row, int32_t col) const = 0;

protected:
    ~NameplateSource() = default;
};
