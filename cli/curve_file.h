// The torque and current curves of one motor as a CSV file of its own:
// slip from 1 (standstill) down to 0 (synchronous speed) in equal steps.
#pragma once

#include "motor_characteristics.h"

#include <array>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

// 200 steps of 0.005 in slip: 201 points, both ends included.
inline constexpr int CurveSteps = 200;

inline constexpr std::array<std::string_view, 5> CurveColumns{"slip", "speed_pu", "torque_pu",
                                                              "current_pu", "power_factor"};

// The file that exists and may not be overwritten, or cannot be written;
// the message names it.
class CurveFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The file's text: the header, then one line a point, numbers %.9g.
std::string CurveCsv(const MotorCharacteristics& motor);

// Writes CurveCsv to path. An existing file is refused unless overwrite;
// without overwrite the file is created exclusively, so a file that appears
// meanwhile is not clobbered either.
void WriteCurveFile(const std::filesystem::path& path, const MotorCharacteristics& motor,
                    bool overwrite);
