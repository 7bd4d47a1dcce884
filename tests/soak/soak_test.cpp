// A million name plates, seeded and reproducible, through the whole
// calculation: hard failures, and misfits of the delivered circuit against
// its name plate that no known limit of the model explains. What is drawn
// and checked: docs/testing.md. SOAK_CASES and SOAK_SEED override the count
// and the seed; rerunning with the same seed reproduces a case.
#include "known_warnings.h"
#include "misfit.h"
#include "nameplate_draw.h"

#include "bits.h"
#include "format_value.h"
#include "fp_errors.h"
#include "motor_model.h"
#include "read_number.h"
#include "warning_doubles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <typeinfo>
#include <utility>
#include <vector>

namespace {

constexpr uint64_t DefaultSeed = 20240601;
constexpr uint64_t DefaultCases = 1000000;
constexpr double CurrentTolerance = 1e-4;     // relative: nominal current and power factor
constexpr double LockedRatioTolerance = 1e-3; // relative: locked-rotor over nominal current
constexpr std::size_t FindingsShown = 3;      // per kind and cause
constexpr int FailuresBeforeStop = 20;
constexpr double OrdinaryReach = 1000; // X over |Zin| below which 32-bit rounding stays small

using Lines = std::vector<std::string>;

uint64_t FromEnvironment(const char* name, uint64_t fallback) {
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::strtoull(text, nullptr, 0) : fallback;
}

void KeepWorst(Misfit& worst, const Misfit& m) {
    worst.current = std::max(worst.current, m.current);
    worst.powerFactor = std::max(worst.powerFactor, m.powerFactor);
    worst.lockedRatio = std::max(worst.lockedRatio, m.lockedRatio);
}

struct Findings {
    uint64_t count = 0;
    double worst = 0;
    std::string worstCase;
    Lines first;
};

class Soak {
public:
    int Failures() const { return failures_; }

    void Run(uint64_t index, const DrawnNameplate& plate) {
        index_ = index;
        plate_ = &plate;
        ++cases_;
        RecordingMemo memo;
        TEquivalentCircuit circuit{.WarningBox = memo, .WarningOk = memo.ok};
        SolvedCircuit solved;
        try {
            CalcEquivalentCircuit(TextNameplate(plate.fields), circuit, plate.frequency, &solved);
        } catch (const SystemError& e) {
            return Raised(e);
        } catch (const std::exception& e) {
            return Fail(std::string("raised a non-system error: ") + e.what());
        }
        for (const float v : {circuit.RotorLeakage, circuit.StatorLeakage, circuit.Magnetizing,
                              circuit.RotorResistance, circuit.StatorResistance}) {
            if (!std::isfinite(v)) {
                return Fail("a circuit value is not finite");
            }
        }
        if (Bits(circuit.RotorLeakage) != Bits(circuit.StatorLeakage)) {
            Fail("the two leakages differ");
        }
        if (!WarningsWellFormed(memo.lines)) {
            return Fail("warning lines of no known form or out of order");
        }
        if (memo.calls != (memo.lines.empty() ? Lines{} : kBoxThenOkShown)) {
            Fail("the warning box is not shown exactly when it holds a line");
        }
        const SolverTrace trace = CheckSolver(solved, memo.lines);
        if (memo.lines.empty()) {
            ++clean_;
            CheckAgainstNameplate(solved, trace);
        }
    }

    void Report() const {
        std::cout << "soak: " << cases_ << " name plates: " << clean_
                  << " passed every check without fallback, " << fallbacks_ << " fell back\n";
        for (const auto& [what, count] : raised_) {
            std::cout << "soak: raised " << count << " x " << what << '\n';
        }
        std::cout << "soak: worst relative misfit of the clean ones: current " << worst_.current
                  << ", power factor " << worst_.powerFactor << ", locked-rotor ratio "
                  << worst_.lockedRatio << '\n';
        std::cout << "soak: " << ordinary_ << " of them inside the guard range with X below "
                  << OrdinaryReach << " |Zin|, worst: current " << worstOrdinary_.current
                  << ", power factor " << worstOrdinary_.powerFactor << ", locked-rotor ratio "
                  << worstOrdinary_.lockedRatio << '\n';
        for (const auto& [kind, f] : findings_) {
            std::cout << "soak: finding " << kind.first << " [" << NameOf(kind.second)
                      << "]: " << f.count << " cases, worst " << f.worst << " in " << f.worstCase
                      << '\n';
            for (const std::string& text : f.first) {
                std::cout << "soak:   e.g. " << text << '\n';
            }
        }
    }

    uint64_t Unexplained() const {
        uint64_t n = 0;
        for (const auto& [kind, f] : findings_) {
            n += kind.second == MisfitCause::Unexplained ? f.count : 0;
        }
        return n;
    }

private:
    std::string Case() const {
        std::ostringstream os;
        os << "case " << index_ << " {";
        for (std::size_t i = 0; i < plate_->fields.size(); ++i) {
            os << (i == 0 ? "\"" : ", \"") << plate_->fields[i] << '"';
        }
        os << "} at " << plate_->frequency << " Hz";
        return os.str();
    }

    void Fail(const std::string& what) {
        ++failures_;
        ADD_FAILURE() << Case() << ": " << what;
    }

    void Record(const std::string& what, MisfitCause cause, double error,
                const std::string& detail) {
        Findings& f = findings_[{what, cause}];
        const std::string text = Case() + detail;
        if (++f.count == 1 || error > f.worst) {
            f.worst = error;
            f.worstCase = text;
        }
        if (f.first.size() < FindingsShown) {
            f.first.push_back(text);
        }
    }

    // Reading and storing a huge input may raise in the check; the solver may
    // raise only where impedances leave the 32-bit range.
    void Raised(const SystemError& e) {
        RecordingMemo scratch;
        PhaseNameplate n{};
        try {
            n = CheckNameplateInputs(TextNameplate(plate_->fields), scratch);
        } catch (const SystemError&) {
            ++raised_[std::string(typeid(e).name()) + " in the name-plate check"];
            return;
        }
        ++raised_[std::string(typeid(e).name()) + " in the solver"];
        // No circuit yet: the nominal impedance stands for its reactances.
        const bool beyond = BeyondGuardRange(n, static_cast<double>(n.V_ph) / n.I_n);
        Record("solver raised", beyond ? MisfitCause::Range : MisfitCause::Unexplained, 0,
               std::string(": ") + e.what());
    }

    // The solver's line stands exactly for the fallback: rerun with a trace to
    // see which way the search went.
    SolverTrace CheckSolver(const SolvedCircuit& solved, const Lines& lines) {
        const PhaseNameplate& n = solved.Nominal;
        RecordingMemo scratch;
        SolverTrace trace;
        SolvedCircuit again;
        SolveParameters(n.V_ph, n.eta, n.pf, n.I_n, n.s, n.I_lr, scratch, again.Rs, again.Xls,
                        again.Rr, again.Xlr, again.Xm, &trace);
        const auto bits = [](const SolvedCircuit& c) {
            return std::array{Bits(c.Rs), Bits(c.Xls), Bits(c.Rr), Bits(c.Xlr), Bits(c.Xm)};
        };
        if (bits(again) != bits(solved)) {
            Fail("the same nominal point solved twice gives two circuits");
        }
        const auto search = static_cast<std::size_t>(trace.SearchEvaluations);
        const bool refined = trace.Evaluations.size() == search + 10;
        const bool fellBack = trace.Evaluations.size() == search + 1 &&
                              Bits(trace.Evaluations.back().X) == Bits(trace.X_min);
        if (refined == fellBack) {
            Fail("the solver neither refined a bracket nor fell back");
        } else if (fellBack != (!lines.empty() && IsSolverLine(lines.back()))) {
            Fail(fellBack ? "fallback without its line" : "solver line without fallback");
        } else if (fellBack) {
            ++fallbacks_;
            // The ratio named is the locked-rotor ratio of the circuit delivered.
            const TComplex Is = CurrentsAt(solved, 1.0f).Is;
            const float ratio = StoreSingle(CAbs(Is) / Wide(n.I_n));
            if (lines.back() != std::string(SolverLinePrefix) + FormatValue(ratio)) {
                Fail("the solver line names another ratio than its circuit's: " + lines.back());
            }
        }
        return trace;
    }

    void CheckAgainstNameplate(const SolvedCircuit& solved, const SolverTrace& trace) {
        const PhaseNameplate& n = solved.Nominal;
        const double X = static_cast<double>(solved.Xm) + solved.Xls;
        const bool beyond = BeyondGuardRange(n, X);
        Misfit m;
        try {
            m = MeasureMisfit(solved, ReadFirstNumber(plate_->fields[5]));
        } catch (const SystemError& e) {
            return Record("circuit evaluation raised",
                          beyond ? MisfitCause::Range : MisfitCause::Unexplained, 0,
                          std::string(": ") + e.what());
        }
        KeepWorst(worst_, m);
        if (!beyond && X < OrdinaryReach * n.V_ph / n.I_n) {
            ++ordinary_;
            KeepWorst(worstOrdinary_, m);
        }
        std::ostringstream detail;
        detail << ", X_m " << solved.Xm << " ohm, X_l " << solved.Xls << " ohm, |Zin| "
               << static_cast<double>(n.V_ph) / n.I_n << " ohm, I_n " << n.I_n << " A";
        if (m.current > CurrentTolerance) {
            Record("nominal current", CauseOfNominalMisfit(solved, m.current), m.current,
                   detail.str());
        }
        if (m.powerFactor > CurrentTolerance) {
            Record("power factor", CauseOfNominalMisfit(solved, m.powerFactor), m.powerFactor,
                   detail.str());
        }
        if (m.lockedRatio > LockedRatioTolerance) {
            Record("locked-rotor ratio", CauseOfLockedMisfit(solved, trace, m.lockedRatio),
                   m.lockedRatio, detail.str());
        }
    }

    uint64_t index_ = 0;
    const DrawnNameplate* plate_ = nullptr;
    int failures_ = 0;
    uint64_t cases_ = 0;
    uint64_t fallbacks_ = 0;
    uint64_t clean_ = 0;    // passed every check, no fallback
    uint64_t ordinary_ = 0; // clean, inside the guard range, X below OrdinaryReach |Zin|
    std::map<std::string, uint64_t> raised_;
    Misfit worst_;
    Misfit worstOrdinary_;
    std::map<std::pair<std::string, MisfitCause>, Findings> findings_;
};

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
