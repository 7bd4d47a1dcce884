// Circuits given element by element, and a warning list that keeps nothing.
#pragma once

#include "motor_model.h"
#include "named_rows.h"
#include "text_nameplate.h"
#include "warning_box.h"

#include <ostream>
#include <string>
#include <utility>

inline SolvedCircuit Circuit(float V_ph, float s, float Rs, float Xls, float Rr, float Xlr,
                             float Xm) {
    SolvedCircuit c;
    c.Nominal.V_ph = V_ph;
    c.Nominal.s = s;
    c.Rs = Rs;
    c.Xls = Xls;
    c.Rr = Rr;
    c.Xlr = Xlr;
    c.Xm = Xm;
    return c;
}

class IgnoredWarnings final : public WarningLines {
public:
    void Clear() override {}
    void AppendLine(const std::string&) override {}
    int LineCount() const override { return 0; }
};

// The circuit the model derives from a name plate as typed, with the checked
// nominal point it was solved for.
inline SolvedCircuit Derived(TextNameplate::Fields fields, WarningLines& warnings) {
    SolvedCircuit c;
    CheckNameplate(TextNameplate(std::move(fields)), warnings, c.Rs, c.Xls, c.Rr, c.Xlr, c.Xm,
                   &c.Nominal);
    return c;
}

inline SolvedCircuit Derived(TextNameplate::Fields fields) {
    IgnoredWarnings warnings;
    return Derived(std::move(fields), warnings);
}
