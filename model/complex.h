// Complex numbers of the motor model: two 32-bit floats, worked at extended
// precision and rounded once when each component is stored.
//
// CMul and CDiv saturate each component at +-1e35 and CDiv treats a divisor
// with both components within 1e-35 of zero as giving (0, 0), so that for
// finite operands they always yield finite results; CAbs returns the
// saturated modulus once the sum of the squares exceeds 1e35. Callers make
// no checks of their own on these results. CAdd and CSub have no guard: a
// result beyond the 32-bit range is the overflow fault.
#pragma once

#include "fp_store.h"

struct TComplex {
    float Re;
    float Im;
};

// The modulus as the 48-bit real of the model: the extended value rounded to
// a 40-bit significand (halfway away from zero) with an 8-bit exponent. It is
// carried in an Extended, which holds every such value exactly.
using Real48 = Extended;

TComplex CMake(float re, float im);
TComplex CAdd(TComplex a, TComplex b);
TComplex CSub(TComplex a, TComplex b);
TComplex CMul(TComplex a, TComplex b);
TComplex CConj(TComplex a);
TComplex CDiv(TComplex a, TComplex b);
Real48 CAbs(TComplex a);

// Rounds an extended value to the 48-bit real format.
Real48 RoundToReal48(Extended value);
