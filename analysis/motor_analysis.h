// Motor analysis: what a solved circuit says beyond the five values the window
// shows.
//
// In: a SolvedCircuit (motor_model.h), that is the five circuit elements in
// ohms at the supply frequency together with the checked per-phase name plate
// they were solved for (V_ph in volts phase to neutral, P via I_n in amperes,
// slip, efficiency, power factor, all as the 32-bit values of the
// calculation). Everything is per phase, for the star equivalent of the
// machine, with the rotor referred to the stator.
//
// Out, in double precision, since these judge a result rather than make it:
//   - circuit_check.h: the circuit's currents at any slip as the model
//     evaluates them, and how well it reproduces its name plate (current,
//     power factor, efficiency, locked-rotor current ratio);
//   - motor_characteristics.h: torque, current and power factor at any slip
//     relative to the rated point, the locked-rotor and breakdown points;
//   - ratio_range.h: the locked-rotor current ratios the name plate admits at
//     all, the interval the solver can meet;
//   - machine_per_unit.h: the circuit in per-unit on the machine's own
//     rating rather than on bases typed by the user.
// Nothing here writes a warning line or a display text; the window and the
// batch command decide what to show.
#pragma once

#include "circuit_check.h"
#include "machine_per_unit.h"
#include "motor_characteristics.h"
#include "ratio_range.h"
