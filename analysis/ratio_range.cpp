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

// The greatest ratio over lo <= e <= hi, where it has one maximum: Brent's
// search, golden section steps where a parabola through the three best
// points does not serve. The top is flat, so an e to 1e-8 relative gives
// the ratio to about 1e-16, in some 10 to 20 trial circuits.
double HighestRatio(const NominalSplit& n, double lo, double hi) {
    const double golden = (3 - std::sqrt(5.0)) / 2;
    constexpr double Relative = 1.5e-8; // about the square root of the double's epsilon
    const double absolute = 1e-30 * hi;
    // Minimizes -ratio; x the best point so far, w the second, v the third.
    double x = lo + golden * (hi - lo);
    double w = x;
    double v = x;
    double fx = -LockedRatio(n, x);
    double fw = fx;
    double fv = fx;
    double step = 0;   // the step made last
    double before = 0; // the one before it
    for (;;) {
        const double middle = (lo + hi) / 2;
        const double tol = Relative * std::fabs(x) + absolute;
        if (std::fabs(x - middle) <= 2 * tol - (hi - lo) / 2) {
            return -fx;
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
        const double fu = -LockedRatio(n, u);
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

// e = X_min 10^k for k = -12, -10, .. 6: a point every second decade, exact
// powers of ten.
constexpr std::array<double, 10> Decades{1e-12, 1e-10, 1e-8, 1e-6, 1e-4, 1e-2, 1, 1e2, 1e4, 1e6};

} // namespace

LockedRotorRatioRange AchievableRatioRange(const PhaseNameplate& nominal) {
    const NominalSplit n = Split(nominal);
    LockedRotorRatioRange range;
    range.ratio_min = n.Zn / std::abs(std::complex<double>(n.Rs + n.s * n.Rp, n.Xp));

    // The ratio rises from X_min to one maximum and falls towards ratio_min
    // (over name plates across the checked ranges, the maximum lies between
    // 1e-6 and 0.4 X_min above X_min). A scan of e = X - X_min, one point
    // every second decade from 1e-12 X_min to 1e6 X_min and e = 0 itself,
    // brackets it between the neighbours of its best point, where Brent's
    // search finds it.
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
    range.ratio_max = std::max(bestRatio, HighestRatio(n, lo, hi));
    return range;
}
