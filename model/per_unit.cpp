#include "per_unit.h"

#include "format_value.h"
#include "number_parse.h"

#include <bit>
#include <cstdint>

namespace {

BaseBox ReadBaseBox(std::string_view text) {
    BaseBox box;
    int32_t count = 0;
    float unused2 = 0;
    float unused3 = 0;
    float unused4 = 0;
    ParseNumbers(text, 1, count, box.Value, unused2, unused3, unused4, box.ErrorCount);
    return box;
}

} // namespace

PerUnitBases ReadPerUnitBases(std::string_view mvaText, std::string_view kvText,
                              std::string_view freqText) {
    PerUnitBases bases;
    bases.MVA = ReadBaseBox(mvaText);
    bases.kV = ReadBaseBox(kvText);
    bases.Freq = ReadBaseBox(freqText);
    return bases;
}

float BaseImpedance(const PerUnitBases& bases) {
    const FloatEnvironmentScope environment;
    return StoreSingle(
        CheckedDivide(Wide(bases.kV.Value) * Wide(bases.kV.Value), Wide(bases.MVA.Value)));
}

std::string BaseImpedanceText(float Zb) {
    return "base Z = " + StripBlanks(FormatValue(Zb)) + " Ohm";
}

float PerUnitValue(PerUnitQuantity quantity, const TEquivalentCircuit& circuit, float frequency,
                   float Zb) {
    const FloatEnvironmentScope environment;
    // Here 2*pi to eight digits, not the factor the inductances were made with.
    constexpr Extended TwoPi = 6.2831853L;
    const auto reactance = [&](float inductance) {
        return StoreSingle(CheckedDivide(TwoPi * Wide(frequency) * Wide(inductance), Wide(Zb)));
    };
    const auto resistance = [&](float ohms) {
        return StoreSingle(CheckedDivide(Wide(ohms), Wide(Zb)));
    };
    switch (quantity) {
    case PerUnitQuantity::Magnetizing:
        return reactance(circuit.Magnetizing);
    case PerUnitQuantity::StatorLeakage:
        return reactance(circuit.StatorLeakage);
    case PerUnitQuantity::StatorResistance:
        return resistance(circuit.StatorResistance);
    case PerUnitQuantity::RotorResistance:
        return resistance(circuit.RotorResistance);
    case PerUnitQuantity::RotorLeakage:
        return reactance(circuit.RotorLeakage);
    }
    return 0;
}

std::string PerUnitText(float value) {
    return FormatValue(value) + " pu";
}

void WritePerUnitDisplay(const PerUnitBases& bases, const TEquivalentCircuit& circuit,
                         PerUnitSink& sink) {
    if (!bases.AllValid()) {
        sink.WriteBaseImpedance({});
        for (std::size_t i = 0; i < PerUnitDisplayOrder.size(); ++i) {
            sink.WritePerUnit(i, {});
        }
        return;
    }
    const float Zb = BaseImpedance(bases);
    sink.WriteBaseImpedance(BaseImpedanceText(Zb));
    // The two leakages are always equal: a value equal to an earlier one
    // takes that one's text rather than formatting it again.
    std::array<float, PerUnitDisplayOrder.size()> values{};
    std::array<std::string, PerUnitDisplayOrder.size()> texts;
    for (std::size_t i = 0; i < PerUnitDisplayOrder.size(); ++i) {
        values[i] = PerUnitValue(PerUnitDisplayOrder[i], circuit, bases.Freq.Value, Zb);
        std::size_t same = 0;
        while (std::bit_cast<std::uint32_t>(values[same]) !=
               std::bit_cast<std::uint32_t>(values[i])) {
            ++same;
        }
        texts[i] = same < i ? texts[same] : PerUnitText(values[i]);
        sink.WritePerUnit(i, texts[i]);
    }
}
