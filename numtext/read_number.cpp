#include "read_number.h"

#include "number_parse.h"

NumberRead ReadNumbers(std::string_view text) {
    int32_t count = 0;
    int32_t errorSum = 0;
    float value1 = 0;
    float value2 = 0;
    float value3 = 0;
    float value4 = 0;
    ParseNumbers(text, 1, count, value1, value2, value3, value4, errorSum);
    return {errorSum == 0 ? value1 : 0, count, errorSum == 0};
}

float ReadFirstNumber(std::string_view text) {
    return ReadNumbers(text).value;
}
