// The batch command on a long list: 100,000 name plates read from a file,
// the results written to /dev/null, as a shell redirection would; and the
// parts of a row that are the batch's own rather than the model's.
#include "batch.h"
#include "benchmark_nameplates.h"
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

class ListFile {
public:
    ListFile()
        : path_(std::filesystem::temp_directory_path() /
                ("imd-batch-bench-" + std::to_string(::getpid()) + ".csv")) {
        std::ofstream(path_, std::ios::binary) << BenchmarkNameplateList(Rows);
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
    for (TextNameplate::Fields& plate : BenchmarkNameplates(1000)) {
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
