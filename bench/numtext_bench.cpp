// The number text on both sides of every box: reading a typed number and
// writing a displayed one.
#include "format_value.h"
#include "number_parse.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <string_view>

namespace {

void ParseOne(benchmark::State& state, std::string_view text) {
    for (auto _ : state) {
        int32_t count = 0;
        int32_t errorSum = 0;
        float v1 = 0;
        float v2 = 0;
        float v3 = 0;
        float v4 = 0;
        ParseNumbers(text, 1, count, v1, v2, v3, v4, errorSum);
        benchmark::DoNotOptimize(v1);
        benchmark::DoNotOptimize(errorSum);
    }
}

// What an input box holds after start-up.
void BM_ParseNumbers_Entry(benchmark::State& state) {
    ParseOne(state, "0,80");
}
BENCHMARK(BM_ParseNumbers_Entry);

// A box with the full four numbers, one of them with an exponent.
void BM_ParseNumbers_FourTokens(benchmark::State& state) {
    ParseOne(state, "1.5 2,25 -3e2 0.0001");
}
BENCHMARK(BM_ParseNumbers_FourTokens);

// A text that is not a number: the token check refuses it.
void BM_ParseNumbers_Refused(benchmark::State& state) {
    ParseOne(state, "12a");
}
BENCHMARK(BM_ParseNumbers_Refused);

// Values from each magnitude band of the display form.
constexpr std::array<float, 8> DisplayValues{0.0f,    4.70204258f, 1.55079687f, 0.0212539434f,
                                             -123.5f, 98765.4f,    3.2e-7f,     1.5e12f};

void BM_FormatValue(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        auto text = FormatValue(DisplayValues[i]);
        benchmark::DoNotOptimize(text.data());
        i = (i + 1) % DisplayValues.size();
    }
}
BENCHMARK(BM_FormatValue);

} // namespace
