#include "ratio_range.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <vector>

namespace {

// The solver's set-up, in double: the stator resistance from the power
// balance, and the nominal input impedance less it, Rp + j Xp.
struct NominalSplit {
    double Zn = 0; // |V_ph / I_n|
    double Rs = 0;
    double Rp = 0;
    double Xp = 0;
    double s = 0;
};

NominalSplit Split(const PhaseNameplate& n) {
    NominalSplit split;
    const double pf = n.pf;
    split.Zn = static_cast<double>(n.V_ph) / n.I_n;
    split.Rs = n.V_ph * pf * (1 - n.eta / (1 - static_cast<double>(n.s))) / n.I_n;
    split.Rp = split.Zn * pf - split.Rs;
    split.Xp = split.Zn * std::sqrt(1 - pf * pf);
    split.s = n.s;
    return split;
}

// The locked-rotor ratio of the trial circuit with X = X_min + e. The leakage
// X - X_m is written as X Xp e / ((X - Xp)(X + X_m)), which is the same
// quantity without the cancellation of X - X_m at large X.
double LockedRatio(const NominalSplit& n, double e) {
    const double d0 = n.Rp * n.Rp / n.Xp; // X_min - Xp
    const double X = n.Xp + d0 + e;
    const double d = d0 + e;
    const double Xm = std::sqrt(X * d + X * n.Rp * n.Rp / d);
    const double Xl = X * n.Xp * e / (d * (X + Xm));
    const double Rr = n.Rp * X * n.s / d;
    const std::complex<double> Zr(Rr, Xl);
    const std::complex<double> Zm(0, Xm);
    const std::complex<double> Z = std::complex<double>(n.Rs, Xl) + Zr * Zm / (Zr + Zm);
    return n.Zn / std::abs(Z);
}

} // namespace

LockedRotorRatioRange AchievableRatioRange(const PhaseNameplate& nominal) {
    const NominalSplit n = Split(nominal);
    LockedRotorRatioRange range;
    range.ratio_min = n.Zn / std::abs(std::complex<double>(n.Rs + n.s * n.Rp, n.Xp));

    // A coarse scan of e = X - X_min, ten points a decade from 1e-12 X_min to
    // 1e6 X_min and e = 0 itself, brackets the maximum between the
    // neighbours of its best point; golden section then narrows it far below
    // what six significant digits of the ratio need, the top being flat.
    const double X_min = n.Rp * n.Rp / n.Xp + n.Xp;
    std::vector<double> grid{0};
    for (int k = -120; k <= 60; ++k) {
        grid.push_back(X_min * std::pow(10.0, k / 10.0));
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
    while (hi - lo > 1e-12 * (X_min + hi)) {
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
