// One whole calculation as a Calculate click runs it: the name-plate check,
// the solver and the conversion to inductances.
#include "motor_model.h"
#include "text_nameplate.h"

#include <benchmark/benchmark.h>

#include <array>
#include <string>
#include <vector>

namespace {

// The window's input boxes after their texts have been read: the six values
// as 32-bit floats, so that the figure is the model's alone.
class ValueNameplate final : public NameplateSource {
public:
    explicit ValueNameplate(const std::array<float, 6>& values) : values_(values) {}
    float GetData(int32_t row, int32_t col) const override {
        return col == 1 && row >= 1 && row <= 6 ? values_[static_cast<std::size_t>(row - 1)] : 0.0f;
    }

private:
    std::array<float, 6> values_;
};

// 1 kV, 10 kW, slip 0.02, efficiency 0.9, power factor 0.8, ratio 5.
constexpr std::array<float, 6> DefaultPlate{1.0f, 10.0f, 0.02f, 0.9f, 0.8f, 5.0f};
// The same motor asked for a locked-rotor ratio no circuit reaches: the
// solver runs its whole search and falls back to the circuit without leakage.
constexpr std::array<float, 6> FallbackPlate{1.0f, 10.0f, 0.02f, 0.9f, 0.8f, 20.0f};

void Calculate(benchmark::State& state, const NameplateSource& plate) {
    WarningLineList memo;
    for (auto _ : state) {
        TEquivalentCircuit circuit{.WarningBox = memo, .WarningOk = memo};
        CalcEquivalentCircuit(plate, circuit, 50.0f);
        benchmark::DoNotOptimize(circuit.Magnetizing);
        benchmark::DoNotOptimize(circuit.RotorResistance);
    }
}

void BM_CalcEquivalentCircuit_Default(benchmark::State& state) {
    Calculate(state, ValueNameplate(DefaultPlate));
}
BENCHMARK(BM_CalcEquivalentCircuit_Default);

void BM_CalcEquivalentCircuit_Fallback(benchmark::State& state) {
    Calculate(state, ValueNameplate(FallbackPlate));
}
BENCHMARK(BM_CalcEquivalentCircuit_Fallback);

// As above, with each input read from its typed text on every run, as the
// window reads its boxes.
void BM_CalcEquivalentCircuit_DefaultFromText(benchmark::State& state) {
    Calculate(state, TextNameplate({"1,00", "10,00", "0,02", "0,90", "0,80", "5,00"}));
}
BENCHMARK(BM_CalcEquivalentCircuit_DefaultFromText);

void BM_CalcEquivalentCircuit_FallbackFromText(benchmark::State& state) {
    Calculate(state, TextNameplate({"1,00", "10,00", "0,02", "0,90", "0,80", "20,00"}));
}
BENCHMARK(BM_CalcEquivalentCircuit_FallbackFromText);

} // namespace
