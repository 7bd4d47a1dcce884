// The checked stores of the numeric model. Arithmetic runs at extended
// precision (x87 long double, 64-bit significand); a value is rounded once
// when it is stored. Storing a finite value that does not fit the target
// format is the overflow fault; storing a NaN is the invalid-operation fault.
// Underflow to zero or to a denormal is silent.
#pragma once

using Extended = long double;

static_assert(sizeof(Extended) >= 10 && __LDBL_MANT_DIG__ == 64,
              "the numeric model needs the x87 80-bit extended format");

// A stored value taken into an extended-precision expression (exact).
constexpr Extended Wide(float v) {
    return v;
}

// Rounds to a 32-bit float; throws FloatOverflowError when the result would
// not be finite and FloatInvalidOpError for a NaN.
float StoreSingle(Extended value);

// Rounds to an IEEE double, with the same checks.
double StoreDouble(Extended value);

// dividend / divisor at extended precision; a zero divisor raises the
// division-by-zero fault, or the invalid-operation fault for 0/0.
Extended CheckedDivide(Extended dividend, Extended divisor);
