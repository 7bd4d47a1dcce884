#include "curve_file.h"

#include "csv_writer.h"
#include "significant_digits.h"

#include <algorithm>
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

std::string CurveCsv(const MotorCharacteristics& motor, const BreakdownPoint& breakdown) {
    struct Point {
        double s;
        std::string name;
    };
    std::vector<Point> points;
    for (int k = 0; k <= CurveSteps; ++k) {
        // Exact at both ends: s = 1 for k = 0 and s = 0 for the last point.
        points.push_back({static_cast<double>(CurveSteps - k) / CurveSteps, ""});
    }
    const double rated = motor.RatedSlip();
    for (int k = 1; k < RunningSteps; ++k) {
        points.push_back({rated * k / RunningSteps, ""});
    }
    points.push_back({rated, "rated"});
    points.push_back({breakdown.slip, "breakdown"});
    // Falling slip; a grid point that is also a named one gives way to it.
    std::stable_sort(points.begin(), points.end(), [](const Point& a, const Point& b) {
        return a.s > b.s || (a.s == b.s && !a.name.empty() && b.name.empty());
    });

    std::ostringstream text;
    WriteCsvRecord(text, std::vector<std::string>(CurveColumns.begin(), CurveColumns.end()));
    for (std::size_t i = 0; i < points.size(); ++i) {
        const Point& point = points[i];
        if (i > 0 && point.s == points[i - 1].s && point.name.empty()) {
            continue;
        }
        const CharacteristicPoint p = motor.At(point.s);
        WriteCsvRecord(text, {Digits9(point.s), Digits9(1 - point.s), Digits9(p.torque_pu),
                              Digits9(p.current_pu), Digits9(p.power_factor), point.name});
    }
    return text.str();
}

void WriteCurveFile(const std::filesystem::path& path, const MotorCharacteristics& motor,
                    const BreakdownPoint& breakdown, bool overwrite) {
    const std::string text = CurveCsv(motor, breakdown);
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
