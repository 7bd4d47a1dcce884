// Shared by the tests of the batch: circuits given element by element.
#pragma once

#include "motor_model.h"
#include "named_rows.h"
#include "warning_box.h"

#include <ostream>
#include <string>

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
