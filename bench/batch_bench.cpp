// The batch command on a long list: 100,000 name plates read from a file,
// the results written to /dev/null, as a shell redirection would; and the
// parts of a row that are the batch's own rather than the model's.
#include "batch.h"
#include "motor_analysis.h"
#include "significant_digits.h"
#include "text_nameplate.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int Rows = 100000;

// A spread of name plates over the usual ranges, with a few out-of-range
// values and unreachable current ratios among them so that the warning and
// fallback paths take their share. Deterministic: every run reads the same
// plates.
std::vector<TextNameplate::Fields> Nameplates(int count) {
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
    std::vector<TextNameplate::Fields> plates;
    for (int i = 0; i < count; ++i) {
        plates.push_back({pick(Voltages), pick(Powers), pick(Slips), pick(Efficiencies),
                          pick(PowerFactors), pick(Ratios)});
    }
    return plates;
}

std::string NameplateList() {
    std::string text = "tag,voltage_kV,power_kW,slip,efficiency,power_factor,current_ratio\n";
    int row = 0;
    for (const TextNameplate::Fields& plate : Nameplates(Rows)) {
        text += "M-" + std::to_string(++row);
        for (const std::string& field : plate) {
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

class NoWarnings final : public WarningMemo {
public:
    void Clear() override {}
    void AppendLine(const std::string&) override {}
    int LineCount() const override { return 0; }
    void BringToFront() override {}
    void SetVisible(bool) override {}
};

// The circuits of the list's first thousand name plates, as the model solves
// them.
std::vector<SolvedCircuit> Circuits() {
    std::vector<SolvedCircuit> circuits;
    for (TextNameplate::Fields& plate : Nameplates(1000)) {
        NoWarnings warnings;
        TEquivalentCircuit circuit{.WarningBox = warnings, .WarningOk = warnings};
        SolvedCircuit& solved = circuits.emplace_back();
        CalcEquivalentCircuit(TextNameplate(std::move(plate)), circuit, 50, &solved);
    }
    return circuits;
}

// A row's torque columns: the characteristics, the breakdown search as far as
// its printed digits need, and the torque at standstill.
void BM_Batch_Breakdown(benchmark::State& state) {
    const std::vector<SolvedCircuit> circuits = Circuits();
    std::size_t i = 0;
    for (auto _ : state) {
        const MotorCharacteristics motor(circuits[i]);
        benchmark::DoNotOptimize(motor.Breakdown(6));
        benchmark::DoNotOptimize(motor.At(1));
        i = (i + 1) % circuits.size();
    }
}
BENCHMARK(BM_Batch_Breakdown);

// A row's ratio_min and ratio_max.
void BM_Batch_RatioRange(benchmark::State& state) {
    const std::vector<SolvedCircuit> circuits = Circuits();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(AchievableRatioRange(circuits[i].Nominal));
        i = (i + 1) % circuits.size();
    }
}
BENCHMARK(BM_Batch_RatioRange);

// One number of a row's twelve: the circuit's in 9 digits, the checks' in 6.
void BM_Batch_SignificantDigits(benchmark::State& state) {
    constexpr double Values[] = {4.70204258f, 0.0212539434f, 8.01875123, 0.112046003};
    std::string line;
    std::size_t i = 0;
    for (auto _ : state) {
        line.clear();
        AppendSignificantDigits(line, Values[i], i < 2 ? 9 : 6);
        benchmark::DoNotOptimize(line.data());
        i = (i + 1) % std::size(Values);
    }
}
BENCHMARK(BM_Batch_SignificantDigits);

} // namespace
