// A million name plates, seeded and reproducible, through the whole
// calculation. Hard failures: a crash, an exception other than the system's
// own errors, a non-finite or unequal result, a warning line of no known
// form, a substitute without its line or a line without its substitute, a
// fallback without its line or a line without a fallback, a warning box not
// shown exactly when it holds a line.
// Name plates that pass every check without fallback but whose circuit
// misses the name plate by more than the tolerances are findings: printed,
// counted and explained where the model's design accounts for them. A
// finding that nothing explains fails the test.
//
// SOAK_CASES and SOAK_SEED override the count and the seed; a case is
// reproduced by rerunning with the same seed and at least its case number.
#include "known_warnings.h"
#include "misfit.h"
#include "nameplate_draw.h"

#include "format_value.h"
#include "fp_errors.h"
#include "motor_model.h"
#include "read_number.h"
#include "test_doubles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <typeinfo>
#include <vector>

namespace {

constexpr uint64_t DefaultSeed = 20240601;
constexpr uint64_t DefaultCases = 1000000;
constexpr double CurrentTolerance = 1e-4;     // relative: nominal current and power factor
constexpr double LockedRatioTolerance = 1e-3; // relative: locked-rotor over nominal current
constexpr std::size_t FindingsShown = 3;      // per kind and cause
constexpr int FailuresBeforeStop = 20;
constexpr double OrdinaryReach = 1000; // X over |Zin| below which 32-bit rounding stays small

constexpr Extended Sqrt3 = 1.7320508075688772935274463415058723669L;

uint64_t FromEnvironment(const char* name, uint64_t fallback) {
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::strtoull(text, nullptr, 0) : fallback;
}

uint32_t Bits(float v) {
    return std::bit_cast<uint32_t>(v);
}

bool Has(const std::vector<std::string>& lines, std::string_view line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

std::string Describe(uint64_t index, const DrawnNameplate& plate) {
    std::ostringstream os;
    os << "case " << index << " {";
    for (std::size_t i = 0; i < plate.fields.size(); ++i) {
        os << (i == 0 ? "\"" : ", \"") << plate.fields[i] << '"';
    }
    os << "} at " << plate.frequency << " Hz";
    return os.str();
}

struct FindingKind {
    std::string what;
    MisfitCause cause;
    auto operator<=>(const FindingKind&) const = default;
};

struct Findings {
    uint64_t count = 0;
    double worst = 0;
    std::string worstCase;
    std::vector<std::string> first;
};

class Soak {
public:
    void Run(uint64_t index, const DrawnNameplate& plate);
    void Report() const;
    int Failures() const { return failures_; }
    uint64_t Unexplained() const;

private:
    void Fail(uint64_t index, const DrawnNameplate& plate, const std::string& what);
    void Raised(uint64_t index, const DrawnNameplate& plate, const SystemError& e);
    void CheckSubstitutes(uint64_t index, const DrawnNameplate& plate, const PhaseNameplate& n,
                          const std::vector<std::string>& lines);
    SolverTrace CheckSolver(uint64_t index, const DrawnNameplate& plate,
                            const SolvedCircuit& solved, const std::vector<std::string>& lines);
    void CheckAgainstNameplate(uint64_t index, const DrawnNameplate& plate,
                               const SolvedCircuit& solved, const SolverTrace& trace);
    void Record(uint64_t index, const DrawnNameplate& plate, const FindingKind& kind, double error,
                const std::string& detail);

    int failures_ = 0;
    uint64_t cases_ = 0;
    uint64_t fallbacks_ = 0;
    uint64_t clean_ = 0; // passed every check, no fallback
    std::map<std::string, uint64_t> raised_;
    double worstCurrent_ = 0;
    double worstPowerFactor_ = 0;
    double worstRatio_ = 0;
    // Clean plates inside the guard range whose X stays below 1000 |Zin|.
    uint64_t ordinary_ = 0;
    Misfit worstOrdinary_;
    std::map<FindingKind, Findings> findings_;
};

void Soak::Fail(uint64_t index, const DrawnNameplate& plate, const std::string& what) {
    ++failures_;
    ADD_FAILURE() << Describe(index, plate) << ": " << what;
}

void Soak::Record(uint64_t index, const DrawnNameplate& plate, const FindingKind& kind,
                  double error, const std::string& detail) {
    Findings& f = findings_[kind];
    const std::string text = Describe(index, plate) + detail;
    ++f.count;
    if (f.count == 1 || error > f.worst) {
        f.worst = error;
        f.worstCase = text;
    }
    if (f.first.size() < FindingsShown) {
        f.first.push_back(text);
    }
}

uint64_t Soak::Unexplained() const {
    uint64_t n = 0;
    for (const auto& [kind, f] : findings_) {
        n += kind.cause == MisfitCause::Unexplained ? f.count : 0;
    }
    return n;
}

// Reading and storing a huge input may raise in the check; the solver may
// raise only where impedances leave the 32-bit range.
void Soak::Raised(uint64_t index, const DrawnNameplate& plate, const SystemError& e) {
    const TextNameplate nameplate(plate.fields);
    RecordingMemo scratch;
    PhaseNameplate n{};
    try {
        n = CheckNameplateInputs(nameplate, scratch);
    } catch (const SystemError&) {
        ++raised_[std::string(typeid(e).name()) + " in the name-plate check"];
        return;
    }
    ++raised_[std::string(typeid(e).name()) + " in the solver"];
    const MisfitCause cause =
        BeyondGuardRange(n, 0) ? MisfitCause::Range : MisfitCause::Unexplained;
    Record(index, plate, {"solver raised", cause}, 0, std::string(": ") + e.what());
}

void Soak::Run(uint64_t index, const DrawnNameplate& plate) {
    ++cases_;
    const TextNameplate nameplate(plate.fields);
    RecordingMemo memo;
    RecordingControl ok;
    TEquivalentCircuit circuit{.WarningBox = memo, .WarningOk = ok};
    SolvedCircuit solved;
    try {
        CalcEquivalentCircuit(nameplate, circuit, plate.frequency, &solved);
    } catch (const SystemError& e) {
        Raised(index, plate, e);
        return;
    } catch (const std::exception& e) {
        Fail(index, plate, std::string("raised a non-system error: ") + e.what());
        return;
    }

    for (const float v : {circuit.RotorLeakage, circuit.StatorLeakage, circuit.Magnetizing,
                          circuit.RotorResistance, circuit.StatorResistance}) {
        if (!std::isfinite(v)) {
            Fail(index, plate, "a circuit value is not finite");
            return;
        }
    }
    if (Bits(circuit.RotorLeakage) != Bits(circuit.StatorLeakage)) {
        Fail(index, plate, "the two leakages differ");
    }
    if (!WarningsWellFormed(memo.lines)) {
        Fail(index, plate, "warning lines of no known form or out of order");
        return;
    }
    const std::vector<std::string> shown{"front", "show"};
    const std::vector<std::string> untouched;
    const std::vector<std::string>& expected = memo.lines.empty() ? untouched : shown;
    if (memo.control.calls != expected || ok.calls != expected) {
        Fail(index, plate, "the warning box is not shown exactly when it holds a line");
    }

    CheckSubstitutes(index, plate, solved.Nominal, memo.lines);
    const SolverTrace trace = CheckSolver(index, plate, solved, memo.lines);
    if (memo.lines.empty()) {
        ++clean_;
        CheckAgainstNameplate(index, plate, solved, trace);
    }
}

// What the solver relies on: every value it gets lies in its range, and a
// value was replaced exactly when its line is there.
void Soak::CheckSubstitutes(uint64_t index, const DrawnNameplate& plate, const PhaseNameplate& n,
                            const std::vector<std::string>& lines) {
    const auto expect = [&](bool holds, const char* what) {
        if (!holds) {
            Fail(index, plate, what);
        }
    };
    const Extended V = Wide(n.V_ph);
    if (Has(lines, "too small nominal voltage")) {
        expect(Bits(n.V_ph) == Bits(static_cast<float>(0.5L / Sqrt3)), "voltage substitute");
    } else {
        expect(V >= 0.5L / Sqrt3, "voltage below its bound without a line");
    }

    if (Has(lines, " too small nominal power")) {
        const float I_n = static_cast<float>(Wide(0.333333f) / ((V * Wide(n.pf)) * Wide(n.eta)));
        expect(Bits(n.I_n) == Bits(I_n), "power substitute");
    } else {
        const Extended power = Wide(n.I_n) * V * Wide(n.pf) * Wide(n.eta);
        expect(power >= 0.333333L * (1 - 1e-6L), "power below its bound without a line");
    }

    if (Has(lines, " too large slip")) {
        expect(n.s == 0.5f, "large slip substitute");
    } else if (Has(lines, "too small slip")) {
        expect(n.s == 0x1p-10f, "small slip substitute");
    } else {
        expect(n.s >= 0x1p-10f && n.s <= 0.5f, "slip out of range without a line");
    }

    const Extended oneMinusSlip = 1.0L - Wide(n.s);
    if (Has(lines, "too large efficiency")) {
        expect(Bits(n.eta) == Bits(static_cast<float>(oneMinusSlip - 0.005L)),
               "large efficiency substitute");
    } else if (Has(lines, "too small efficiency")) {
        expect(n.eta == 0.5f, "small efficiency substitute");
    } else {
        expect(Wide(n.eta) >= 0.5L && Wide(n.eta) < oneMinusSlip,
               "efficiency out of range without a line");
    }

    if (Has(lines, "too large power factor")) {
        expect(Bits(n.pf) == Bits(0.99910003f), "large power factor substitute");
    } else if (Has(lines, " too small power factor pf ")) {
        expect(n.pf == 0.5f, "small power factor substitute");
    } else {
        expect(Wide(n.pf) >= 0.5L && Wide(n.pf) <= 0.9991L,
               "power factor out of range without a line");
    }

    if (Has(lines, "too small locked rotor current /nominal current")) {
        expect(Bits(n.I_lr) == Bits(static_cast<float>(Wide(n.I_n) * 1.5L)),
               "current ratio substitute");
    } else {
        expect(Wide(n.I_lr) > 1.5L * Wide(n.I_n) * (1 - 1e-6L),
               "current ratio at or below its bound without a line");
    }
}

// The solver's line stands exactly for the fallback: rerun with a trace to
// see which way the search went.
SolverTrace Soak::CheckSolver(uint64_t index, const DrawnNameplate& plate,
                              const SolvedCircuit& solved, const std::vector<std::string>& lines) {
    const PhaseNameplate& n = solved.Nominal;
    RecordingMemo scratch;
    SolverTrace trace;
    float Rs = 0, Xls = 0, Rr = 0, Xlr = 0, Xm = 0;
    SolveParameters(n.V_ph, n.eta, n.pf, n.I_n, n.s, n.I_lr, scratch, Rs, Xls, Rr, Xlr, Xm, &trace);
    if (Bits(Rs) != Bits(solved.Rs) || Bits(Xls) != Bits(solved.Xls) ||
        Bits(Rr) != Bits(solved.Rr) || Bits(Xlr) != Bits(solved.Xlr) ||
        Bits(Xm) != Bits(solved.Xm)) {
        Fail(index, plate, "the same nominal point solved twice gives two circuits");
    }

    const std::size_t search = static_cast<std::size_t>(trace.SearchEvaluations);
    const std::size_t total = trace.Evaluations.size();
    const bool refined = total == search + 10;
    const bool fellBack =
        total == search + 1 && Bits(trace.Evaluations.back().X) == Bits(trace.X_min);
    if (refined == fellBack) {
        Fail(index, plate, "the solver neither refined a bracket nor fell back");
        return trace;
    }
    const bool solverLine = !lines.empty() && IsSolverLine(lines.back());
    if (solverLine != fellBack) {
        Fail(index, plate, fellBack ? "fallback without its line" : "solver line without fallback");
        return trace;
    }
    if (fellBack) {
        ++fallbacks_;
        TComplex Is{}, Ir{}, Im{};
        CircuitCurrents(CMake(solved.Rs, solved.Xls), CMake(solved.Rr, solved.Xlr),
                        CMake(0, solved.Xm), n.V_ph, 1.0f, Is, Ir, Im);
        const float ratio = StoreSingle(CAbs(Is) / Wide(n.I_n));
        if (lines.back() != std::string(SolverLinePrefix) + FormatValue(ratio)) {
            Fail(index, plate,
                 "the solver line names another ratio than its circuit's: " + lines.back());
        }
    }
    return trace;
}

void Soak::CheckAgainstNameplate(uint64_t index, const DrawnNameplate& plate,
                                 const SolvedCircuit& solved, const SolverTrace& trace) {
    Misfit m;
    try {
        m = MeasureMisfit(solved, ReadFirstNumber(plate.fields[5]));
    } catch (const SystemError& e) {
        const MisfitCause cause =
            BeyondGuardRange(solved.Nominal, static_cast<double>(solved.Xm) + solved.Xls)
                ? MisfitCause::Range
                : MisfitCause::Unexplained;
        Record(index, plate, {"circuit evaluation raised", cause}, 0, std::string(": ") + e.what());
        return;
    }
    worstCurrent_ = std::max(worstCurrent_, m.current);
    worstPowerFactor_ = std::max(worstPowerFactor_, m.powerFactor);
    worstRatio_ = std::max(worstRatio_, m.lockedRatio);
    const double X = static_cast<double>(solved.Xm) + solved.Xls;
    if (!BeyondGuardRange(solved.Nominal, X) &&
        X < OrdinaryReach * solved.Nominal.V_ph / solved.Nominal.I_n) {
        ++ordinary_;
        worstOrdinary_.current = std::max(worstOrdinary_.current, m.current);
        worstOrdinary_.powerFactor = std::max(worstOrdinary_.powerFactor, m.powerFactor);
        worstOrdinary_.lockedRatio = std::max(worstOrdinary_.lockedRatio, m.lockedRatio);
    }

    std::ostringstream detail;
    detail << ", X_m " << solved.Xm << " ohm, X_l " << solved.Xls << " ohm, |Zin| "
           << static_cast<double>(solved.Nominal.V_ph) / solved.Nominal.I_n << " ohm, I_n "
           << solved.Nominal.I_n << " A";
    if (m.current > CurrentTolerance) {
        Record(index, plate, {"nominal current", CauseOfNominalMisfit(solved, m.current)},
               m.current, detail.str());
    }
    if (m.powerFactor > CurrentTolerance) {
        Record(index, plate, {"power factor", CauseOfNominalMisfit(solved, m.powerFactor)},
               m.powerFactor, detail.str());
    }
    if (m.lockedRatio > LockedRatioTolerance) {
        Record(index, plate,
               {"locked-rotor ratio", CauseOfLockedMisfit(solved, trace, m.lockedRatio)},
               m.lockedRatio, detail.str());
    }
}

void Soak::Report() const {
    std::cout << "soak: " << cases_ << " name plates: " << clean_
              << " passed every check without fallback, " << fallbacks_ << " fell back\n";
    for (const auto& [what, count] : raised_) {
        std::cout << "soak: raised " << count << " x " << what << '\n';
    }
    std::cout << "soak: worst relative misfit of the clean ones: current " << worstCurrent_
              << ", power factor " << worstPowerFactor_ << ", locked-rotor ratio " << worstRatio_
              << '\n';
    std::cout << "soak: " << ordinary_ << " of them inside the guard range with X below "
              << OrdinaryReach << " |Zin|, worst: current " << worstOrdinary_.current
              << ", power factor " << worstOrdinary_.powerFactor << ", locked-rotor ratio "
              << worstOrdinary_.lockedRatio << '\n';
    for (const auto& [kind, f] : findings_) {
        std::cout << "soak: finding " << kind.what << " [" << NameOf(kind.cause) << "]: " << f.count
                  << " cases, worst " << f.worst << " in " << f.worstCase << '\n';
        for (const std::string& text : f.first) {
            std::cout << "soak:   e.g. " << text << '\n';
        }
    }
}

TEST(SoakTest, NameplatesOverAndBeyondTheirRanges) {
    const uint64_t seed = FromEnvironment("SOAK_SEED", DefaultSeed);
    const uint64_t cases = FromEnvironment("SOAK_CASES", DefaultCases);
    std::cout << "soak: seed " << seed << ", " << cases << " cases\n";
    RecordProperty("seed", std::to_string(seed));
    RecordProperty("cases", std::to_string(cases));

    NameplateDraw draw(seed);
    Soak soak;
    for (uint64_t index = 0; index < cases && soak.Failures() < FailuresBeforeStop; ++index) {
        soak.Run(index, draw.Next());
    }
    soak.Report();
    EXPECT_EQ(soak.Unexplained(), 0u) << "misfits that no known limit of the model explains";
}

} // namespace
