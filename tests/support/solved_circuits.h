// Circuits given element by element, or derived from a name plate.
#pragma once

#include "motor_model.h"
#include "text_nameplate.h"
#include "warning_box.h"

#include <string>
#include <utility>
#include <vector>

inline SolvedCircuit Circuit(float V_ph, float s, float Rs, float Xls, float Rr, float Xlr,
                             float Xm) {
    SolvedCircuit c{.Rs = Rs, .Xls = Xls, .Rr = Rr, .Xlr = Xlr, .Xm = Xm};
    c.Nominal.V_ph = V_ph;
    c.Nominal.s = s;
    return c;
}

// The circuit the model derives from a name plate as typed, with the checked
// nominal point it was solved for, and the warning lines of the run.
inline SolvedCircuit Derived(TextNameplate::Fields fields,
                             std::vector<std::string>* lines = nullptr) {
    WarningLineList warnings;
    SolvedCircuit c;
    c.RatioMet = CheckNameplate(TextNameplate(std::move(fields)), warnings, c.Rs, c.Xls, c.Rr,
                                c.Xlr, c.Xm, &c.Nominal);
    if (lines != nullptr) {
        *lines = warnings.Lines();
    }
    return c;
}
