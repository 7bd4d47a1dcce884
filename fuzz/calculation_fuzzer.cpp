// The whole calculation from six arbitrary texts. Input: one byte for the
// frequency (odd 60 Hz, even 50 Hz), then the six name-plate texts separated
// by '\n' (missing ones empty, further lines ignored).
// Properties: nothing but the system's own errors is raised; after an error
// the record is unwritten and the warning box not shown; a completed record
// holds five finite values with the two leakages bit-identical; every
// warning line is of a known form, at most one per row, in row order, and
// the box is shown exactly when it holds one; the result is the same, bit
// for bit and line for line, under a ',' locale.
#include "fuzz_support.h"
#include "known_warnings.h"

#include "fp_errors.h"
#include "motor_model.h"
#include "text_nameplate.h"

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <typeinfo>
#include <vector>

namespace {

constexpr float Unwritten = -7.25f;

class Memo final : public WarningMemo {
public:
    void Clear() override { lines.clear(); }
    void AppendLine(const std::string& line) override { lines.push_back(line); }
    int LineCount() const override { return static_cast<int>(lines.size()); }
    void BringToFront() override { calls += 'f'; }
    void SetVisible(bool visible) override { calls += visible ? 's' : 'h'; }

    std::vector<std::string> lines;
    std::string calls;
};

class Button final : public WarningControl {
public:
    void BringToFront() override { calls += 'f'; }
    void SetVisible(bool visible) override { calls += visible ? 's' : 'h'; }

    std::string calls;
};

struct Outcome {
    const std::type_info* raised = nullptr;
    uint32_t values[5] = {};
    std::vector<std::string> lines;
};

uint32_t Bits(float v) {
    return std::bit_cast<uint32_t>(v);
}

TextNameplate::Fields Split(std::string_view text) {
    TextNameplate::Fields fields;
    std::size_t row = 0;
    for (const char c : text) {
        if (c == '\n') {
            if (++row == fields.size()) {
                break;
            }
        } else {
            fields[row] += c;
        }
    }
    return fields;
}

Outcome Calculate(const TextNameplate& nameplate, float frequency) {
    Memo memo;
    Button ok;
    TEquivalentCircuit circuit{Unwritten, Unwritten, Unwritten, Unwritten, Unwritten, memo, ok};
    Outcome outcome;
    try {
        CalcEquivalentCircuit(nameplate, circuit, frequency);
    } catch (const SystemError& e) {
        outcome.raised = &typeid(e);
        for (const float v : {circuit.RotorLeakage, circuit.StatorLeakage, circuit.Magnetizing,
                              circuit.RotorResistance, circuit.StatorResistance}) {
            Require(Bits(v) == Bits(Unwritten), "after an error the record is unwritten");
        }
        Require(memo.calls.empty() && ok.calls.empty(),
                "after an error the warning box is not shown");
        return outcome;
    }

    const float values[5] = {circuit.RotorLeakage, circuit.StatorLeakage, circuit.Magnetizing,
                             circuit.RotorResistance, circuit.StatorResistance};
    for (int i = 0; i < 5; ++i) {
        Require(std::isfinite(values[i]), "every value of a completed record is finite");
        outcome.values[i] = Bits(values[i]);
    }
    Require(Bits(circuit.RotorLeakage) == Bits(circuit.StatorLeakage),
            "the two leakages are bit-identical");
    Require(WarningsWellFormed(memo.lines), "warning lines of known form, in row order");
    const std::string shown = memo.lines.empty() ? "" : "fs";
    Require(memo.calls == shown && ok.calls == shown,
            "the warning box is shown exactly when it holds a line");
    outcome.lines = memo.lines;
    return outcome;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const float frequency = (data[0] & 1) != 0 ? 60.0f : 50.0f;
    const TextNameplate nameplate(
        Split(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1)));

    const Outcome point = Calculate(nameplate, frequency);
    if (CommaLocale::Available()) {
        Outcome comma;
        {
            const CommaLocale scope;
            comma = Calculate(nameplate, frequency);
        }
        Require((point.raised == nullptr) == (comma.raised == nullptr) &&
                    (point.raised == nullptr || *point.raised == *comma.raised),
                "the same error under both separators");
        for (int i = 0; i < 5; ++i) {
            Require(point.values[i] == comma.values[i], "the same values under both separators");
        }
        Require(point.lines == comma.lines, "the same warning lines under both separators");
    }
    return 0;
}
