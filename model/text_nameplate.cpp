#include "text_nameplate.h"

#include "read_number.h"

float TextNameplate::GetData(int32_t row, int32_t col) const {
    if (col != 1 || row < 1 || row > static_cast<int32_t>(fields_.size())) {
        return 0;
    }
    return ReadFirstNumber(fields_[static_cast<std::size_t>(row - 1)]);
}
