// The portable extended-precision arithmetic: the x87 extended format's
// values (64-bit significand, exponent range -16382..16383 with gradual
// underflow below it) and its round-to-nearest-even results, worked in
// 64/128-bit integers so that every IEEE-754 platform gets the same bits.
//
// Included only through extended.h. Sums, differences, products, quotients
// and square roots are each rounded once from their exact value, as the x87
// unit does at 64-bit precision. Rounding to float or double is a single
// rounding from the 64-bit value. NaNs carry no payload: the model only
// asks whether a value is one.
#pragma once

#include <bit>
#include <compare>
#include <concepts>
#include <cstdint>
#include <type_traits>
#include <utility>

class Extended {
public:
    constexpr Extended() = default;
    constexpr Extended(float v) : Extended(FromIeee(std::bit_cast<uint32_t>(v), 24, 8)) {}
    constexpr Extended(double v) : Extended(FromIeee(std::bit_cast<uint64_t>(v), 53, 11)) {}
    template <std::integral I> constexpr Extended(I v) {
        if (v == 0) {
            return;
        }
        negative_ = v < 0;
        // Unsigned negation keeps the most negative value exact.
        const uint64_t magnitude =
            negative_ ? uint64_t{0} - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
        *this = Round(negative_, magnitude, 0);
    }
    // Decimal constants in the code are long double literals. They are taken
    // at compile time only: where long double is wider than 64 bits the
    // literal is rounded twice (decimal to long double, then to 64 bits),
    // which is the single rounding unless the first one lands exactly
    // halfway between two 64-bit values; such a constant does not compile.
    consteval Extended(long double v) : Extended(FromLongDouble(v)) {}

    // Rounded once to the nearest float or double, ties to even.
    explicit constexpr operator float() const {
        return std::bit_cast<float>(static_cast<uint32_t>(ToIeee(24, 8)));
    }
    explicit constexpr operator double() const { return std::bit_cast<double>(ToIeee(53, 11)); }

    friend constexpr Extended operator-(Extended a) {
        a.negative_ = !a.negative_;
        return a;
    }
    friend constexpr Extended operator+(Extended a, Extended b) { return Add(a, b); }
    friend constexpr Extended operator-(Extended a, Extended b) { return Add(a, -b); }
    friend constexpr Extended operator*(Extended a, Extended b) { return Multiply(a, b); }
    friend constexpr Extended operator/(Extended a, Extended b) { return Divide(a, b); }
    constexpr Extended& operator+=(Extended b) { return *this = *this + b; }
    constexpr Extended& operator-=(Extended b) { return *this = *this - b; }
    constexpr Extended& operator*=(Extended b) { return *this = *this * b; }
    constexpr Extended& operator/=(Extended b) { return *this = *this / b; }

    friend constexpr bool operator==(Extended a, Extended b) {
        return Compare(a, b) == std::partial_ordering::equivalent;
    }
    friend constexpr std::partial_ordering operator<=>(Extended a, Extended b) {
        return Compare(a, b);
    }

    friend constexpr Extended Sqrt(Extended a) { return SquareRoot(a); }
    friend constexpr Extended Abs(Extended a) {
        a.negative_ = false;
        return a;
    }
    friend constexpr bool IsNaN(Extended a) { return a.kind_ == Kind::NaN; }
    friend constexpr bool IsInf(Extended a) { return a.kind_ == Kind::Infinite; }

    // The value in the x87 encoding: significand with its leading bit
    // explicit, sign and a 15-bit exponent biased by 16383.
    constexpr uint64_t Significand() const {
        // A denormal's leading bit sits below the smallest normal exponent.
        return kind_ == Kind::Finite && exponent_ < MinExponent
                   ? significand_ >> (MinExponent - exponent_)
                   : significand_;
    }
    constexpr uint16_t SignAndExponent() const {
        const uint16_t sign = negative_ ? 0x8000 : 0;
        switch (kind_) {
        case Kind::Zero:
            return sign;
        case Kind::Finite:
            return static_cast<uint16_t>(sign | (exponent_ < MinExponent ? 0 : exponent_ + Bias));
        default:
            return static_cast<uint16_t>(sign | 0x7fff);
        }
    }
    static constexpr Extended FromEncoding(uint64_t significand, uint16_t signAndExponent) {
        const bool negative = (signAndExponent & 0x8000) != 0;
        const int biased = signAndExponent & 0x7fff;
        if (biased == 0x7fff) {
            return Special((significand << 1) == 0 ? Kind::Infinite : Kind::NaN, negative);
        }
        // A denormal's exponent is that of the smallest normal.
        return Round(negative, significand, (biased == 0 ? 1 : biased) - Bias - 63);
    }

    // m * 2^e rounded once: for conversions that work out an exact value
    // in integers first.
    static constexpr Extended FromScaled(bool negative, unsigned __int128 m, int e) {
        return Round(negative, m, e);
    }

private:
    enum class Kind : uint8_t { Zero, Finite, Infinite, NaN };
    using U128 = unsigned __int128;

    static constexpr int Bias = 16383;
    static constexpr int MinExponent = -16382;
    static constexpr int MaxExponent = 16383;
    // Weight of the last bit of the smallest denormal.
    static constexpr int DenormalUnit = MinExponent - 63;

    // Finite nonzero values: significand_ has its bit 63 set and the value is
    // significand_ * 2^(exponent_ - 63). A denormal keeps the exponent it
    // would have unbounded, with its low bits already rounded away.
    uint64_t significand_ = 0;
    int32_t exponent_ = 0;
    bool negative_ = false;
    Kind kind_ = Kind::Zero;

    static constexpr Extended Special(Kind kind, bool negative) {
        Extended e;
        e.kind_ = kind;
        e.negative_ = negative;
        if (kind == Kind::Infinite || kind == Kind::NaN) {
            e.significand_ = kind == Kind::NaN ? 0xC000000000000000u : 0x8000000000000000u;
        }
        return e;
    }
    static constexpr Extended NaN() { return Special(Kind::NaN, true); }

    static constexpr int BitLength(U128 m) {
        const auto high = static_cast<uint64_t>(m >> 64);
        return high != 0 ? 128 - std::countl_zero(high)
                         : 64 - std::countl_zero(static_cast<uint64_t>(m));
    }

    // m * 2^e rounded to the nearest value of the format, ties to even;
    // overflow gives infinity, underflow a denormal or zero.
    static constexpr Extended Round(bool negative, U128 m, int e) {
        const int length = m == 0 ? 0 : BitLength(m);
        const int leading = e + length - 1;
        if (length > 64 && leading >= MinExponent && leading < MaxExponent) [[likely]] {
            // The usual case: a normal result from more than 64 bits. The
            // dropped bits, moved to the top, say which way to round.
            const int drop = length - 64;
            uint64_t kept = static_cast<uint64_t>(m >> drop);
            const U128 rest = m << (128 - drop);
            constexpr U128 Half = U128{1} << 127;
            Extended r;
            r.exponent_ = leading;
            if (rest > Half || (rest == Half && (kept & 1) != 0)) {
                if (++kept == 0) {
                    // Out of the top bit: the next power of two.
                    kept = uint64_t{1} << 63;
                    ++r.exponent_;
                }
            }
            r.significand_ = kept;
            r.negative_ = negative;
            r.kind_ = Kind::Finite;
            return r;
        }
        return RoundAnyCase(negative, m, e);
    }

    static constexpr Extended RoundAnyCase(bool negative, U128 m, int e) {
        if (m == 0) {
            return Special(Kind::Zero, negative);
        }
        const int leading = e + BitLength(m) - 1;
        int unit = leading - 63 > DenormalUnit ? leading - 63 : DenormalUnit;
        const int drop = unit - e;
        U128 kept = m;
        if (drop > 0) {
            if (drop > 128) {
                return Special(Kind::Zero, negative);
            }
            kept = drop == 128 ? 0 : m >> drop;
            const bool half = ((m >> (drop - 1)) & 1) != 0;
            const U128 below = drop == 1 ? 0 : m & ((U128{1} << (drop - 1)) - 1);
            if (half && (below != 0 || (kept & 1) != 0)) {
                ++kept;
            }
        } else {
            kept = m << -drop;
        }
        if (kept == 0) {
            return Special(Kind::Zero, negative);
        }
        int length = BitLength(kept);
        if (length > 64) {
            // Rounded up out of the top bit: kept is a power of two.
            kept >>= 1;
            ++unit;
            --length;
        }
        Extended r;
        r.exponent_ = unit + length - 1;
        if (r.exponent_ > MaxExponent) {
            return Special(Kind::Infinite, negative);
        }
        r.significand_ = static_cast<uint64_t>(kept << (64 - length));
        r.negative_ = negative;
        r.kind_ = Kind::Finite;
        return r;
    }

    // An IEEE binary format's bit pattern, held in the low bits; exact.
    static constexpr Extended FromIeee(uint64_t bits, int precision, int exponentBits) {
        const int width = precision + exponentBits;
        const int ieeeBias = (1 << (exponentBits - 1)) - 1;
        const bool negative = ((bits >> (width - 1)) & 1) != 0;
        const int biased = static_cast<int>((bits >> (precision - 1)) & ((1u << exponentBits) - 1));
        const uint64_t fraction = bits & ((uint64_t{1} << (precision - 1)) - 1);
        if (biased == (1 << exponentBits) - 1) {
            return Special(fraction == 0 ? Kind::Infinite : Kind::NaN, negative);
        }
        if (biased != 0) {
            // Normal: the leading bit goes to the top, nothing to round.
            Extended r;
            r.significand_ = (fraction | (uint64_t{1} << (precision - 1))) << (64 - precision);
            r.exponent_ = biased - ieeeBias;
            r.negative_ = negative;
            r.kind_ = Kind::Finite;
            return r;
        }
        return Round(negative, fraction, 1 - ieeeBias - (precision - 1));
    }

    static consteval Extended FromLongDouble(long double v) {
        if constexpr (__LDBL_MANT_DIG__ == 64) {
            struct Encoding {
                uint64_t significand;
                uint16_t signAndExponent;
                unsigned char padding[sizeof(long double) - 10];
            };
            const auto bits = std::bit_cast<Encoding>(v);
            return FromEncoding(bits.significand, bits.signAndExponent);
        } else if constexpr (__LDBL_MANT_DIG__ == 113) {
            const auto bits = std::bit_cast<U128>(v);
            const bool negative = (bits >> 127) != 0;
            const int biased = static_cast<int>((bits >> 112) & 0x7fff);
            const U128 fraction = bits & ((U128{1} << 112) - 1);
            if (biased == 0x7fff) {
                return Special(fraction == 0 ? Kind::Infinite : Kind::NaN, negative);
            }
            const U128 significand = biased == 0 ? fraction : fraction | (U128{1} << 112);
            // The 49 bits below a 64-bit significand exactly halfway: the
            // literal's first rounding may have made this tie.
            const U128 low = significand & ((U128{1} << 49) - 1);
            if (biased != 0 && low == (U128{1} << 48)) {
                throw "a long double literal halfway between two extended values";
            }
            return Round(negative, significand, (biased == 0 ? 1 : biased) - 16383 - 112);
        } else {
            static_assert(__LDBL_MANT_DIG__ == 64 || __LDBL_MANT_DIG__ == 113,
                          "decimal constants need a long double of at least 64 bits");
            return {};
        }
    }

    // Rounded once to an IEEE format; the bit pattern in the low bits.
    constexpr uint64_t ToIeee(int precision, int exponentBits) const {
        const int ieeeBias = (1 << (exponentBits - 1)) - 1;
        const int maxBiased = (1 << exponentBits) - 1;
        const uint64_t sign = uint64_t{negative_} << (precision - 1 + exponentBits);
        const uint64_t infinite = static_cast<uint64_t>(maxBiased) << (precision - 1);
        switch (kind_) {
        case Kind::Zero:
            return sign;
        case Kind::Infinite:
            return sign | infinite;
        case Kind::NaN:
            return sign | infinite | uint64_t{1} << (precision - 2);
        case Kind::Finite:
            break;
        }
        // Weight of the last kept bit: precision bits below the leading one,
        // or the target's denormal unit.
        const int denormalUnit = 1 - ieeeBias - (precision - 1);
        const int unit =
            exponent_ - (precision - 1) > denormalUnit ? exponent_ - (precision - 1) : denormalUnit;
        const int drop = unit - (exponent_ - 63);
        uint64_t kept = 0;
        if (drop <= 64) {
            const U128 m = U128{significand_} << 1; // room for drop == 64
            kept = static_cast<uint64_t>(m >> (drop + 1));
            const bool half = ((m >> drop) & 1) != 0;
            const bool below = (m & ((U128{1} << drop) - 1)) != 0;
            if (half && (below || (kept & 1) != 0)) {
                ++kept;
            }
        }
        int biased = 0;
        if ((kept >> (precision - 1)) != 0) {
            // Normal; a carry out of the top bit moves up one binade.
            int e = unit + (precision - 1);
            if ((kept >> precision) != 0) {
                kept >>= 1;
                ++e;
            }
            biased = e + ieeeBias;
            if (biased >= maxBiased) {
                return sign | infinite;
            }
            kept &= (uint64_t{1} << (precision - 1)) - 1;
        }
        return sign | uint64_t(biased) << (precision - 1) | kept;
    }

    static constexpr Extended Add(Extended a, Extended b) {
        if (a.kind_ == Kind::NaN || b.kind_ == Kind::NaN) {
            return NaN();
        }
        if (a.kind_ == Kind::Infinite || b.kind_ == Kind::Infinite) {
            if (a.kind_ == b.kind_ && a.negative_ != b.negative_) {
                return NaN(); // infinity minus infinity
            }
            return a.kind_ == Kind::Infinite ? a : b;
        }
        if (b.kind_ == Kind::Zero) {
            // -0 + -0 is -0; an exact zero sum of any other kind is +0.
            return a.kind_ == Kind::Zero ? Special(Kind::Zero, a.negative_ && b.negative_) : a;
        }
        if (a.kind_ == Kind::Zero) {
            return b;
        }
        if (a.exponent_ < b.exponent_ ||
            (a.exponent_ == b.exponent_ && a.significand_ < b.significand_)) {
            const Extended t = a;
            a = b;
            b = t;
        }
        // 62 bits of room below each significand: the rounding of any sum
        // needs at most a guard bit there and a sticky bit in bit 0.
        constexpr int Room = 62;
        const U128 big = U128{a.significand_} << Room;
        const U128 small = U128{b.significand_} << Room;
        const int shift = a.exponent_ - b.exponent_;
        U128 aligned = 0;
        bool sticky = false;
        if (shift < 128) {
            aligned = small >> shift;
            sticky = shift > 0 && (small & ((U128{1} << shift) - 1)) != 0;
        } else {
            sticky = true;
        }
        U128 m = 0;
        if (a.negative_ == b.negative_) {
            m = (big + aligned) | U128{sticky};
        } else {
            m = big - aligned;
            if (sticky) {
                // The exact difference lies strictly between m - 1 and m.
                m = (m - 1) | 1;
            }
            if (m == 0) {
                return Special(Kind::Zero, false);
            }
        }
        return Round(a.negative_, m, a.exponent_ - 63 - Room);
    }

    static constexpr Extended Multiply(Extended a, Extended b) {
        const bool negative = a.negative_ != b.negative_;
        if (a.kind_ == Kind::NaN || b.kind_ == Kind::NaN) {
            return NaN();
        }
        if (a.kind_ == Kind::Infinite || b.kind_ == Kind::Infinite) {
            return a.kind_ == Kind::Zero || b.kind_ == Kind::Zero
                       ? NaN()
                       : Special(Kind::Infinite, negative);
        }
        if (a.kind_ == Kind::Zero || b.kind_ == Kind::Zero) {
            return Special(Kind::Zero, negative);
        }
        return Round(negative, U128{a.significand_} * b.significand_,
                     a.exponent_ + b.exponent_ - 126);
    }

    static constexpr Extended Divide(Extended a, Extended b) {
        const bool negative = a.negative_ != b.negative_;
        if (a.kind_ == Kind::NaN || b.kind_ == Kind::NaN) {
            return NaN();
        }
        if (a.kind_ == Kind::Infinite) {
            return b.kind_ == Kind::Infinite ? NaN() : Special(Kind::Infinite, negative);
        }
        if (b.kind_ == Kind::Infinite) {
            return Special(Kind::Zero, negative);
        }
        if (b.kind_ == Kind::Zero) {
            return a.kind_ == Kind::Zero ? NaN() : Special(Kind::Infinite, negative);
        }
        if (a.kind_ == Kind::Zero) {
            return Special(Kind::Zero, negative);
        }
        // 64 or 65 quotient bits, two more, then a sticky bit for the rest.
        // One division: the two extra bits come from comparisons.
        const U128 divisor = b.significand_;
        const U128 dividend = U128{a.significand_} << 64;
        const U128 q1 = dividend / divisor;
        U128 rest = (dividend - q1 * divisor) << 2;
        U128 q2 = 0;
        if (rest >= divisor << 1) {
            q2 = 2;
            rest -= divisor << 1;
        }
        if (rest >= divisor) {
            ++q2;
            rest -= divisor;
        }
        const U128 m = (((q1 << 2) | q2) << 1) | U128{rest != 0};
        return Round(negative, m, a.exponent_ - b.exponent_ - 67);
    }

    static constexpr Extended SquareRoot(Extended a) {
        if (a.kind_ == Kind::Zero || (a.kind_ == Kind::Infinite && !a.negative_)) {
            return a; // sqrt(-0) is -0
        }
        if (a.kind_ == Kind::NaN || a.negative_) {
            return NaN();
        }
        // value = significand * 2^t; make the exponent even, with the
        // radicand at 127 or 128 bits so that its root has 64.
        const int t = a.exponent_ - 63;
        const int shift = ((t - 63) & 1) == 0 ? 63 : 64;
        const U128 n = U128{a.significand_} << shift;
        uint64_t r = IntegerSquareRoot(n);
        // r <= sqrt(n) < r + 1; the root is never a tie, so it rounds up
        // exactly when n >= (r + 1/2)^2, that is n - r^2 > r.
        const U128 rest = n - U128{r} * r;
        U128 rounded = r;
        if (rest > r) {
            ++rounded;
        }
        return Round(false, rounded, (t - shift) / 2);
    }

    // floor(sqrt(n)) for 2^126 <= n < 2^128: the root has 64 bits.
    static constexpr uint64_t IntegerSquareRoot(U128 n) {
        U128 x = 0;
        if (std::is_constant_evaluated()) {
            // Newton's iteration from above, in integers, ends at the floor.
            x = U128{1} << 64;
            while (true) {
                const U128 next = (x + n / x) >> 1;
                if (next >= x) {
                    break;
                }
                x = next;
            }
        } else {
            // A double's root is within a few thousand units of the 64-bit
            // one; one Newton step brings it within one, then fix it up.
            const double estimate = __builtin_sqrt(static_cast<double>(n));
            x = estimate >= 0x1p64 ? ~uint64_t{0} : static_cast<uint64_t>(estimate);
            x = (x + n / x) >> 1;
            if (x > ~uint64_t{0}) {
                x = ~uint64_t{0};
            }
            while (x * x > n) {
                --x;
            }
            while (x < ~uint64_t{0} && (x + 1) * (x + 1) <= n) {
                ++x;
            }
        }
        return static_cast<uint64_t>(x);
    }

    static constexpr std::partial_ordering Compare(Extended a, Extended b) {
        if (a.kind_ == Kind::NaN || b.kind_ == Kind::NaN) {
            return std::partial_ordering::unordered;
        }
        if (a.kind_ == Kind::Zero && b.kind_ == Kind::Zero) {
            return std::partial_ordering::equivalent;
        }
        if (a.negative_ != b.negative_ || a.kind_ == Kind::Zero || b.kind_ == Kind::Zero) {
            // Different signs, or one zero: the sign of each decides.
            const int sa = a.kind_ == Kind::Zero ? 0 : (a.negative_ ? -1 : 1);
            const int sb = b.kind_ == Kind::Zero ? 0 : (b.negative_ ? -1 : 1);
            return sa <=> sb;
        }
        const auto magnitude = [](Extended x) {
            return x.kind_ == Kind::Infinite
                       ? std::pair<int, uint64_t>{MaxExponent + 1, 0}
                       : std::pair<int, uint64_t>{x.exponent_, x.significand_};
        };
        const auto order = magnitude(a) <=> magnitude(b);
        return a.negative_ ? 0 <=> order : order <=> 0;
    }
};
