// The torque and current curves of one motor as a CSV file of its own:
// slip from 1 (standstill) down to 0 (synchronous speed) in equal steps,
// finer steps between the rated slip and synchronous speed, where the motor
// runs, and the rated and breakdown points themselves, marked as such.
#pragma once

#include "motor_characteristics.h"

#include <array>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

// 200 steps of 0.005 in slip: 201 points, both ends included.
inline constexpr int CurveSteps = 200;
// Steps from 0 to the rated slip: a point at each step between them, besides
// those of the 0.005 grid.
inline constexpr int RunningSteps = 25;

inline constexpr std::array<std::string_view, 6> CurveColumns{
    "slip", "speed_pu", "torque_pu", "current_pu", "power_factor", "point"};

// The file that exists and may not be overwritten, or cannot be written;
// the message names it.
class CurveFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The file's text: the header, then one line a point in falling slip,
// numbers %.9g; `point` is "rated" or "breakdown" on those points, else
// empty. breakdown is the motor's, as far as the row shows it.
std::string CurveCsv(const MotorCharacteristics& motor, const BreakdownPoint& breakdown);

// Writes CurveCsv to path. An existing file is refused unless overwrite;
// without overwrite the file is created exclusively, so a file that appears
// meanwhile is not clobbered either.
void WriteCurveFile(const std::filesystem::path& path, const MotorCharacteristics& motor,
                    const BreakdownPoint& breakdown, bool overwrite);
