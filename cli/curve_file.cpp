#include "curve_file.h"

#include "csv_writer.h"
#include "significant_digits.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <sstream>
#include <vector>

namespace {

std::string Digits9(double value) {
    return SignificantDigits(value, 9);
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

} // namespace

std::string CurveCsv(const MotorCharacteristics& motor) {
    std::ostringstream text;
    WriteCsvRecord(text, std::vector<std::string>(CurveColumns.begin(), CurveColumns.end()));
    for (int k = 0; k <= CurveSteps; ++k) {
        // Exact at both ends: s = 1 for k = 0 and s = 0 for the last point.
        const double s = static_cast<double>(CurveSteps - k) / CurveSteps;
        const CharacteristicPoint p = motor.At(s);
        WriteCsvRecord(text, {Digits9(s), Digits9(1 - s), Digits9(p.torque_pu),
                              Digits9(p.current_pu), Digits9(p.power_factor)});
    }
    return text.str();
}

void WriteCurveFile(const std::filesystem::path& path, const MotorCharacteristics& motor,
                    bool overwrite) {
    const std::string text = CurveCsv(motor);
    const std::string name = path.string();
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(name.c_str(), overwrite ? "wb" : "wbx"));
    if (!file) {
        if (!overwrite && errno == EEXIST) {
            throw CurveFileError(name + " exists; --force overwrites it");
        }
        throw CurveFileError("cannot write " + name);
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), file.get()) == text.size();
    if (!written || std::fclose(file.release()) != 0) {
        throw CurveFileError("cannot write " + name);
    }
}
