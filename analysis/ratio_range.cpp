#include "ratio_range.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>

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

// The locked-rotor ratio of the trial circuit with X = X_min + e. The leakage
// X - X_m is written as X Xp e / ((X - Xp)(X + X_m)), which is the same
// quantity without the cancellation of X - X_m at large X. The complex sums
// are written out, with as few divisions as can be: the magnetizing branch
// is a pure reactance, and no operand here can be infinite or a NaN, which
// the library's complex division takes care of at several times the cost.
double LockedRatio(const NominalSplit& n, double e) {
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
    return n.Zn / std::sqrt(Zre * Zre + Zim * Zim);
}

// e = X_min 10^k for k = -12 .. 6: one point a decade, exact powers of ten.
constexpr std::array<double, 19> Decades{1e-12, 1e-11, 1e-10, 1e-9, 1e-8, 1e-7, 1e-6,
                                         1e-5,  1e-4,  1e-3,  1e-2, 1e-1, 1,    1e1,
                                         1e2,   1e3,   1e4,   1e5,  1e6};

} // namespace

LockedRotorRatioRange AchievableRatioRange(const PhaseNameplate& nominal) {
    const NominalSplit n = Split(nominal);
    LockedRotorRatioRange range;
    range.ratio_min = n.Zn / std::abs(std::complex<double>(n.Rs + n.s * n.Rp, n.Xp));

    // The ratio rises from X_min to one maximum and falls towards ratio_min
    // (over name plates across the checked ranges, the maximum lies between
    // 1e-6 and 0.4 X_min above X_min). A scan of e = X - X_min, one point a
    // decade from 1e-12 X_min to 1e6 X_min and e = 0 itself, brackets it
    // between the neighbours of its best point; golden section then narrows
    // that to 1e-7 of its size, far below what six significant digits of the
    // ratio need, the top being flat.
    const double X_min = n.d0 + n.Xp;
    std::array<double, Decades.size() + 1> grid{0};
    for (std::size_t k = 0; k < Decades.size(); ++k) {
        grid[k + 1] = X_min * Decades[k];
    }
    std::size_t best = 0;
    double bestRatio = LockedRatio(n, 0);
    for (std::size_t i = 1; i < grid.size(); ++i) {
        const double r = LockedRatio(n, grid[i]);
        if (r > bestRatio) {
            best = i;
            bestRatio = r;
        }
    }
    double lo = grid[best == 0 ? 0 : best - 1];
    double hi = grid[std::min(best + 1, grid.size() - 1)];
    const double shrink = (std::sqrt(5.0) - 1) / 2;
    double a = hi - shrink * (hi - lo);
    double b = lo + shrink * (hi - lo);
    double ra = LockedRatio(n, a);
    double rb = LockedRatio(n, b);
    const double width = 1e-7 * (hi - lo);
    while (hi - lo > width) {
        if (ra < rb) {
            lo = a;
            a = b;
            ra = rb;
            b = lo + shrink * (hi - lo);
            rb = LockedRatio(n, b);
        } else {
            hi = b;
            b = a;
            rb = ra;
            a = hi - shrink * (hi - lo);
            ra = LockedRatio(n, a);
        }
    }
    range.ratio_max = std::max({bestRatio, ra, rb});
    return range;
}
