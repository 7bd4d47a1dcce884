// The name plates of the batch benchmark: a spread over the usual ranges,
// with a few out-of-range values and unreachable current ratios so that the
// warning and fallback paths take their share. Deterministic: every run and
// every platform gets the same plates.
#pragma once

#include <array>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

// Voltage kV, power kW, slip, efficiency, power factor, current ratio.
inline std::vector<std::array<std::string, 6>> BenchmarkNameplates(int count) {
    constexpr const char* Voltages[] = {"0.4", "0.69", "1", "3.3", "6", "10"};
    constexpr const char* Powers[] = {"0.75", "5.5", "10", "37", "160", "800", "2500"};
    constexpr const char* Slips[] = {"0.05", "0.03", "0.02", "0.012", "0.008", "0.6"};
    constexpr const char* Efficiencies[] = {"0.82", "0.88", "0.9", "0.93", "0.96"};
    constexpr const char* PowerFactors[] = {"0.78", "0.82", "0.85", "0.88", "0.91"};
    constexpr const char* Ratios[] = {"4.5", "5", "6", "6.5", "7.5", "20", "1.2"};
    uint32_t state = 12345;
    const auto pick = [&state](auto& table) {
        state = state * 1664525u + 1013904223u;
        return table[(state >> 16) % std::size(table)];
    };
    std::vector<std::array<std::string, 6>> plates;
    for (int i = 0; i < count; ++i) {
        // Braced initialisers run in order: the draws are sequenced.
        plates.push_back({pick(Voltages), pick(Powers), pick(Slips), pick(Efficiencies),
                          pick(PowerFactors), pick(Ratios)});
    }
    return plates;
}

// The same plates as the batch command's input, tagged M-1, M-2, ...
inline std::string BenchmarkNameplateList(int count) {
    std::string text = "tag,voltage_kV,power_kW,slip,efficiency,power_factor,current_ratio\n";
    int row = 0;
    for (const auto& plate : BenchmarkNameplates(count)) {
        text += "M-" + std::to_string(++row);
        for (const std::string& field : plate) {
            text += ',' + field;
        }
        text += '\n';
    }
    return text;
}
