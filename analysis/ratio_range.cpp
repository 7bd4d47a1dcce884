#include "ratio_range.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// The solver's set-up, in double: the stator resistance from the power
// balance, and the nominal input impedance less it, Rp + j Xp.
struct NominalSplit {
    double Zn = 0; // |V_ph / I_n|
    double Rs = 0;
    double Rp = 0;
    double Xp = 0;
    double s = 0;
    double d0 = 0; // X_min - Xp = Rp^2 / Xp
};

NominalSplit Split(const PhaseNameplate& n) {
    NominalSplit split;
    const double pf = n.pf;
    split.Zn = static_cast<double>(n.V_ph) / n.I_n;
    split.Rs = n.V_ph * pf * (1 - n.eta / (1 - static_cast<double>(n.s))) / n.I_n;
    split.Rp = split.Zn * pf - split.Rs;
    split.Xp = split.Zn * std::sqrt(1 - pf * pf);
    split.s = n.s;
    split.d0 = split.Rp * split.Rp / split.Xp;
    return split;
}

// |Z|^2 of the locked-rotor input impedance of the trial circuit with
// X = X_min + e, whose locked-rotor ratio is Zn / |Z|. The leakage X - X_m
// is written as X Xp e / ((X - Xp)(X + X_m)), which is the same quantity
// without the cancellation of X - X_m at large X. The complex sums are
// written out, with as few divisions as can be: the magnetizing branch is a
// pure reactance, and no operand here can be infinite or a NaN, which the
// library's complex division takes care of at several times the cost.
double LockedImpedance2(const NominalSplit& n, double e) {
    const double d = n.d0 + e; // X - Xp
    const double X = n.Xp + d;
    const double perD = 1 / d;
    const double Xm = std::sqrt(X * (d + n.Rp * n.Rp * perD));
    const double Xl = X * n.Xp * e * perD / (X + Xm);
    const double Rr = n.Rp * X * n.s * perD;
    // Zr Zm / (Zr + Zm) with Zr = Rr + j Xl and Zm = j Xm.
    const double Pr = -Xl * Xm;
    const double Pi = Rr * Xm;
    const double Qi = Xl + Xm;
    const double perQ2 = 1 / (Rr * Rr + Qi * Qi);
    const double Zre = n.Rs + (Pr * Rr + Pi * Qi) * perQ2;
    const double Zim = Xl + (Pi * Rr - Pr * Qi) * perQ2;
    return Zre * Zre + Zim * Zim;
}

// The least |Z|^2 over lo <= e <= hi, where it has one minimum: Brent's
// search, golden section steps where a parabola through the three best
// points does not serve. The bottom is flat, so an e to 1e-6 relative gives
// |Z| to about 1e-12, far beyond the six digits shown, in some 10 to 15
// trial circuits.
double LowestImpedance2(const NominalSplit& n, double lo, double hi) {
    const double golden = (3 - std::sqrt(5.0)) / 2;
    constexpr double Relative = 1e-6;
    const double absolute = 1e-30 * hi;
    // x the best point so far, w the second, v the third.
    double x = lo + golden * (hi - lo);
    double w = x;
    double v = x;
    double fx = LockedImpedance2(n, x);
    double fw = fx;
    double fv = fx;
    double step = 0;   // the step made last
    double before = 0; // the one before it
    for (;;) {
        const double middle = (lo + hi) / 2;
        const double tol = Relative * std::fabs(x) + absolute;
        if (std::fabs(x - middle) <= 2 * tol - (hi - lo) / 2) {
            return fx;
        }
        bool parabolic = false;
        if (std::fabs(before) > tol) {
            double r = (x - w) * (fx - fv);
            double q = (x - v) * (fx - fw);
            double p = (x - v) * q - (x - w) * r;
            q = 2 * (q - r);
            if (q > 0) {
                p = -p;
            } else {
                q = -q;
            }
            const double older = before;
            before = step;
            if (std::fabs(p) < std::fabs(q * older / 2) && p > q * (lo - x) && p < q * (hi - x)) {
                step = p / q;
                const double u = x + step;
                if (u - lo < 2 * tol || hi - u < 2 * tol) {
                    step = x < middle ? tol : -tol;
                }
                parabolic = true;
            }
        }
        if (!parabolic) {
            before = x < middle ? hi - x : lo - x;
            step = golden * before;
        }
        const double u = x + (std::fabs(step) >= tol ? step : (step > 0 ? tol : -tol));
        const double fu = LockedImpedance2(n, u);
        if (fu <= fx) {
            (u < x ? hi : lo) = x;
            v = w;
            fv = fw;
            w = x;
            fw = fx;
            x = u;
            fx = fu;
        } else {
            (u < x ? lo : hi) = u;
            if (fu <= fw || w == x) {
                v = w;
                fv = fw;
                w = u;
                fw = fu;
            } else if (fu <= fv || v == x || v == w) {
                v = u;
                fv = fu;
            }
        }
    }
}

// e / X_min: 0, then every second decade from 1e-12 to 1e6, exact powers of
// ten. The scan starts at 1e-8 .. 1, where the minimum of |Z| lies for name
// plates across the checked ranges (1e-6 to 0.4), and goes on outwards
// while |Z| still falls.
constexpr std::array<double, 11> Scan{0, 1e-12, 1e-10, 1e-8, 1e-6, 1e-4, 1e-2, 1, 1e2, 1e4, 1e6};
constexpr std::size_t ScanFirst = 3;
constexpr std::size_t ScanLast = 7;

} // namespace

LockedRotorRatioRange AchievableRatioRange(const PhaseNameplate& nominal) {
    const NominalSplit n = Split(nominal);
    LockedRotorRatioRange range;
    const double Rlimit = n.Rs + n.s * n.Rp;
    range.ratio_min = n.Zn / std::sqrt(Rlimit * Rlimit + n.Xp * n.Xp);

    // The ratio rises from X_min to one maximum and falls towards ratio_min:
    // |Z| falls to one minimum and rises. The scan of e = X - X_min brackets
    // it between the neighbours of its best point, where Brent's search
    // finds it.
    const double X_min = n.d0 + n.Xp;
    std::array<double, Scan.size()> Z2{};
    const auto at = [&](std::size_t i) { return Z2[i] = LockedImpedance2(n, X_min * Scan[i]); };
    std::size_t first = ScanFirst;
    std::size_t last = ScanLast;
    std::size_t best = first;
    for (std::size_t i = first; i <= last; ++i) {
        if (at(i) < Z2[best]) {
            best = i;
        }
    }
    while (best == first && first > 0) {
        --first;
        if (at(first) < Z2[best]) {
            best = first;
        }
    }
    while (best == last && last + 1 < Scan.size()) {
        ++last;
        if (at(last) < Z2[best]) {
            best = last;
        }
    }
    const double lo = X_min * Scan[best == first ? first : best - 1];
    const double hi = X_min * Scan[best == last ? last : best + 1];
    range.ratio_max = n.Zn / std::sqrt(std::min(Z2[best], LowestImpedance2(n, lo, hi)));
    return range;
}
