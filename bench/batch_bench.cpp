// The batch command on a long list: 100,000 name plates read from a file,
// the results written to /dev/null, as a shell redirection would.
#include "batch.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace {

constexpr int Rows = 100000;

// A spread of name plates over the usual ranges, with a few out-of-range
// values and unreachable current ratios among them so that the warning and
// fallback paths take their share. Deterministic: every run reads the same
// file.
std::string NameplateList() {
    constexpr const char* Voltages[] = {"0.4", "0.69", "1", "3.3", "6", "10"};
    constexpr const char* Powers[] = {"0.75", "5.5", "10", "37", "160", "800", "2500"};
    constexpr const char* Slips[] = {"0.05", "0.03", "0.02", "0.012", "0.008", "0.6"};
    constexpr const char* Efficiencies[] = {"0.82", "0.88", "0.9", "0.93", "0.96"};
    constexpr const char* PowerFactors[] = {"0.78", "0.82", "0.85", "0.88", "0.91"};
    constexpr const char* Ratios[] = {"4.5", "5", "6", "6.5", "7.5", "20", "1.2"};
    std::string text = "tag,voltage_kV,power_kW,slip,efficiency,power_factor,current_ratio\n";
    uint32_t state = 12345;
    const auto pick = [&state](auto& table) {
        state = state * 1664525u + 1013904223u;
        return table[(state >> 16) % std::size(table)];
    };
    for (int row = 1; row <= Rows; ++row) {
        text += "M-" + std::to_string(row);
        for (const char* field : {pick(Voltages), pick(Powers), pick(Slips), pick(Efficiencies),
                                  pick(PowerFactors), pick(Ratios)}) {
            text += ',';
            text += field;
        }
        text += '\n';
    }
    return text;
}

class ListFile {
public:
    ListFile()
        : path_(std::filesystem::temp_directory_path() /
                ("imd-batch-bench-" + std::to_string(::getpid()) + ".csv")) {
        std::ofstream(path_, std::ios::binary) << NameplateList();
    }
    ~ListFile() { std::filesystem::remove(path_); }
    ListFile(const ListFile&) = delete;
    ListFile& operator=(const ListFile&) = delete;
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

void BM_Batch_100000Rows(benchmark::State& state) {
    const ListFile list;
    const BatchOptions options;
    for (auto _ : state) {
        std::ifstream in(list.Path(), std::ios::binary);
        std::ofstream out("/dev/null", std::ios::binary);
        std::ostringstream err;
        const int status = RunBatch(in, out, err, options);
        if (status == UsageOrInputError) {
            state.SkipWithError(err.str().c_str());
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * Rows);
}
BENCHMARK(BM_Batch_100000Rows)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
