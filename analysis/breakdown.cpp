// The breakdown point of MotorCharacteristics: a coarse scan in u = ln s,
// then golden section. The search is steered only by comparisons of computed
// torques. Where the closed form of the torque curve proves how a comparison
// of computed torques comes out, whatever their rounding, the torques are not
// computed: the search takes the very same steps, at a fraction of the cost.
#include "motor_characteristics.h"

#include "significant_digits.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>

// What the closed form tells of the torque curve. The rotor branch sees the
// supply through the Thevenin impedance R + jX' of the stator and
// magnetizing branches; with X = X' + X_lr and M = |R + jX| the air-gap power
// is proportional to 1 / (M cosh(u - peak) + R) in u = ln s: one maximum, at
// peak = ln(Rr'/M), and the same on both sides of it.
struct TorqueShape {
    // The closed form holds: a passive circuit with a rotor resistance.
    bool known = false;
    double peak = 0;
    double peakError = 0; // bound of the error of the computed peak
    // Bound of the relative error of a computed torque.
    double noise = 0;
    // How much the subtraction E = V - I_s Z_s can cancel: at most
    // |Z_s| / |Z_p|, and |Z_p| is least at standstill.
    double cancellation = 0;
};

namespace {

// The search runs in u = ln s: a fixed width in u is a fixed relative width
// in slip, and the torque maximum of a large, low-slip motor is as easy to
// bracket as that of a small one. Its coarse grid:
constexpr int StepsPerDecade = 10;
constexpr int Decades = 12; // down to s = 1e-12
constexpr int Steps = StepsPerDecade * Decades;

constexpr double Unit = std::numeric_limits<double>::epsilon() / 2; // unit roundoff

// The golden section ends at this width in u; with `digits` given, it first
// looks at whether the printed digits are already fixed at ExitWidth.
constexpr double FinalWidth = 1e-8;
constexpr double ExitWidth = 1e-7;

bool PositiveAndFinite(double x) {
    return x > 0 && std::isfinite(x);
}

// Slack on distances from the computed peak: its error and the rounding of
// the sums that form them.
double Slack(const TorqueShape& shape, double a, double b) {
    return shape.peakError + 8 * Unit * (std::fabs(a) + std::fabs(b) + 2 * std::fabs(shape.peak));
}

// How far the true torque nearer the peak lies above the one farther from
// it, as a lower bound of T(near)/T(far) - 1 for the distances `near` < `far`
// from the peak, on either side of it. As R <= M,
//   T(near)/T(far) - 1 = M (cosh far - cosh near) / (M cosh near + R)
//     >= (cosh far - cosh near) / (cosh near + 1)
//      = sinh((far + near)/2) sinh((far - near)/2) / cosh^2(near/2),
// and with sinh x >= x that is at least (far - near)(far + near) / 5.1 for
// near <= 1 and at least tanh(1/2) (far - near) beyond.
double RiseBound(double near, double far) {
    return (far - near) * std::min((far + near) * 0.196, 0.46);
}

// Whether computed torques surely keep the order of the true ones: when
// those differ by more than three times the computed ones' relative error.
bool Distinct(const TorqueShape& shape, double near, double far) {
    return near < far && RiseBound(near, far) > 4 * shape.noise;
}

// Whether the computed torque at a is below the computed torque at b, a < b,
// when the closed form proves it; `slack` at least Slack(shape, a, b).
std::optional<bool> ProvedRise(const TorqueShape& shape, double a, double b, double slack) {
    const double fromA = std::fabs(a - shape.peak);
    const double fromB = std::fabs(b - shape.peak);
    const bool rises = fromB < fromA; // b is nearer the peak
    if (!shape.known ||
        !Distinct(shape, (rises ? fromB : fromA) + slack, (rises ? fromA : fromB) - slack)) {
        return std::nullopt;
    }
    return rises;
}

int NearestGridPoint(const TorqueShape& shape, double du) {
    return static_cast<int>(std::clamp(std::round(shape.peak / du), 0.0, 1.0 * Steps));
}

// Whether the closed form proves that the computed torque at the grid point
// nearest the peak exceeds every other grid point's: beyond its neighbours
// the torque only falls.
bool ProvedBestGridPoint(const TorqueShape& shape, double du) {
    const int nearest = NearestGridPoint(shape, du);
    const double slack = Slack(shape, nearest * du, nearest * du) + 8 * Unit * std::fabs(du);
    const double own = std::fabs(nearest * du - shape.peak) + slack;
    for (const int neighbour : {nearest - 1, nearest + 1}) {
        if (neighbour >= 0 && neighbour <= Steps &&
            !Distinct(shape, own, std::fabs(neighbour * du - shape.peak) - slack)) {
            return false;
        }
    }
    return true;
}

// A golden-section point and, once computed, its torque.
struct Probe {
    explicit Probe(double at) : u(at) {}
    double u;
    std::optional<double> torque;
};

// Where the rest of the search can only end, when that prints alike: it
// returns a slip exp(m) with m in [lo, hi] and the torque there, and
// `probeTorque` is the computed torque (per unit) at a point of [lo, hi].
std::optional<BreakdownPoint> Settled(const TorqueShape& shape, double lo, double hi,
                                      double probeTorque, int digits) {
    if (!shape.known) {
        return std::nullopt;
    }
    const double slack = Slack(shape, lo, hi);
    // The farthest any point of [lo, hi] lies from the peak.
    const double reach = std::max(std::fabs(lo - shape.peak), std::fabs(hi - shape.peak)) + slack;
    // The test for a maximum at standstill must fail: u = 0 lies farther.
    if (reach > 1 || !Distinct(shape, reach, std::fabs(shape.peak) - slack)) {
        return std::nullopt;
    }
    // exp is good to an ulp, so exp(m) lies within a few roundings of
    // [exp(lo), exp(hi)].
    const double slipLow = std::exp(lo) * (1 - 8 * Unit);
    const double slipHigh = std::exp(hi) * (1 + 8 * Unit);
    // All true torques in [lo, hi] lie within a factor cosh(reach) of the
    // maximum, so of each other, and cosh x - 1 < 0.55 x^2 for x <= 1; the
    // computed ones lie within the noise of them.
    const double spread = 0.55 * reach * reach + 4 * shape.noise + 8 * Unit;
    // Printing rounds monotonically, so when the ends of a range print
    // alike, every value between them does.
    if (!PrintsAlike(slipLow, slipHigh, digits) ||
        !PrintsAlike(probeTorque * (1 - spread), probeTorque * (1 + spread), digits)) {
        return std::nullopt;
    }
    return BreakdownPoint{.slip = std::exp((lo + hi) / 2), .torque_pu = probeTorque};
}

} // namespace

TorqueShape MotorCharacteristics::Shape() const {
    TorqueShape shape;
    // Moduli as square roots of norms: the circuit's values are far from
    // where the squares would leave the double range.
    const auto modulus = [](std::complex<double> z) { return std::sqrt(std::norm(z)); };
    shape.cancellation = modulus(Zs_) * modulus(Ym_ + 1.0 / std::complex<double>(Rr_, Xlr_));
    const bool passive =
        Zs_.real() >= 0 && Zs_.imag() >= 0 && Ym_.imag() < 0 && Xlr_ >= 0 && Rr_ > 0 && V_ph_ > 0;
    if (!passive || !(shape.cancellation < 1e6)) {
        return shape;
    }
    const std::complex<double> Zth = Zs_ / (1.0 + Zs_ * Ym_);
    const double M = modulus(Zth + std::complex<double>(0, Xlr_));
    shape.peak = std::log(Rr_ / M);
    // A few roundings of each step, no cancellation anywhere: far below this.
    shape.peakError = 1e-13;
    // Error analysis of Evaluate: every step but E = V - I_s Z_s adds a few
    // roundings to each component, that one multiplies the error of I_s Z_s
    // by the cancellation: about (16 + 320 cancellation) roundings, here
    // four times that.
    shape.noise = Unit * (64 + 1280 * shape.cancellation);
    shape.known = std::isfinite(shape.peak) && Zth.real() >= 0;
    return shape;
}

int MotorCharacteristics::BestGridPoint(const TorqueShape& shape, double du) const {
    if (shape.known && ProvedBestGridPoint(shape, du)) {
        return NearestGridPoint(shape, du);
    }
    std::array<double, Steps + 1> grid{};
    std::array<bool, Steps + 1> known{};
    bool allPositive = true;
    const auto at = [&](int i) {
        if (!known[i]) {
            grid[i] = AirGapPower(std::exp(i * du));
            known[i] = true;
            allPositive = allPositive && PositiveAndFinite(grid[i]);
        }
        return grid[i];
    };

    // The torque rises with the slip up to its one maximum and falls beyond
    // it, so the best point is where a climb from the nearest one stops.
    // Rounding could make a point look better than a neighbour only where its
    // error reached the per cent or more between grid points, far beyond the
    // noise the closed form allows for.
    if (shape.known) {
        int best = NearestGridPoint(shape, du);
        for (;;) {
            if (best > 0 && at(best - 1) >= at(best)) {
                --best;
            } else if (best < Steps && at(best + 1) > at(best)) {
                ++best;
            } else {
                break;
            }
        }
        if (allPositive) {
            return best;
        }
    }
    int best = 0;
    double bestTorque = at(0);
    for (int i = 1; i <= Steps; ++i) {
        const double t = at(i);
        if (t > bestTorque) {
            best = i;
            bestTorque = t;
        }
    }
    return best;
}

BreakdownPoint MotorCharacteristics::Breakdown() const {
    return Breakdown(0);
}

BreakdownPoint MotorCharacteristics::Breakdown(int digits) const {
    const double du = -std::log(10.0) / StepsPerDecade;
    const auto torque = [this](double u) { return AirGapPower(std::exp(u)); };
    const TorqueShape shape = Shape();

    // A coarse scan brackets the maximum between the neighbours of the best
    // grid point (the first of equal ones), so a torque curve with more than
    // one hump would still give its highest one.
    const int best = BestGridPoint(shape, du);
    double lo = std::min(best + 1, Steps) * du;
    double hi = std::max(best - 1, 0) * du;

    // Golden section, a and b the two inner points, to a width far below
    // 1e-6 in u. Near the flat top, rounding noise in the torque rather than
    // the width sets the accuracy: about 1e-8 relative in slip.
    const double shrink = (std::sqrt(5.0) - 1) / 2;
    Probe a(hi - shrink * (hi - lo));
    Probe b(lo + shrink * (hi - lo));
    // Every probe lies within the first bracket.
    const double slack = Slack(shape, lo, lo);
    const auto rises = [&] {
        if (const std::optional<bool> proved = ProvedRise(shape, a.u, b.u, slack)) {
            return *proved;
        }
        for (Probe* p : {&a, &b}) {
            if (!p->torque) {
                p->torque = torque(p->u);
            }
        }
        return *a.torque < *b.torque;
    };
    // While the closed form decides, the steps need no torque: a lean loop
    // takes them, exactly as the general one below would.
    while (hi - lo > FinalWidth) {
        const std::optional<bool> proved = ProvedRise(shape, a.u, b.u, slack);
        if (!proved) {
            break;
        }
        const bool up = *proved;
        lo = up ? a.u : lo;
        hi = up ? hi : b.u;
        const double step = shrink * (hi - lo);
        const double nextA = up ? b.u : hi - step;
        const double nextB = up ? lo + step : a.u;
        a.u = nextA;
        b.u = nextB;
    }
    bool looked = digits <= 0;
    while (hi - lo > FinalWidth) {
        if (rises()) {
            lo = a.u;
            a = b;
            b = Probe(lo + shrink * (hi - lo));
        } else {
            hi = b.u;
            b = a;
            a = Probe(hi - shrink * (hi - lo));
        }
        if (!looked && hi - lo < ExitWidth) {
            looked = true;
            if (!a.torque) {
                a.torque = torque(a.u);
            }
            if (const std::optional<BreakdownPoint> settled =
                    Settled(shape, lo, hi, *a.torque / ratedAirGapPower_, digits)) {
                return *settled;
            }
        }
    }
    const double s = std::exp((lo + hi) / 2);
    // A torque still rising at standstill has its maximum on the end s = 1.
    if (AirGapPower(1) >= AirGapPower(s)) {
        return {.slip = 1, .torque_pu = At(1).torque_pu};
    }
    return {.slip = s, .torque_pu = At(s).torque_pu};
}
