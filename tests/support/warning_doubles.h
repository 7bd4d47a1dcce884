// A stand-in for the window's warning box and its OK button that logs what
// the model does to either in one list, so that a test sees their order.
#pragma once

#include "warning_box.h"

#include <string>
#include <vector>

class RecordingMemo : public WarningMemo {
public:
    void Clear() override { lines.clear(); }
    void AppendLine(const std::string& line) override { lines.push_back(line); }
    int LineCount() const override { return static_cast<int>(lines.size()); }
    void BringToFront() override { calls.push_back("box front"); }
    void SetVisible(bool visible) override { calls.push_back(visible ? "box show" : "box hide"); }

    // The OK button; its calls go into the box's log.
    struct Ok : WarningControl {
        explicit Ok(std::vector<std::string>& log) : calls(log) {}
        void BringToFront() override { calls.push_back("ok front"); }
        void SetVisible(bool visible) override { calls.push_back(visible ? "ok show" : "ok hide"); }
        std::vector<std::string>& calls;
    };

    std::vector<std::string> lines;
    std::vector<std::string> calls;
    Ok ok{calls};
};

// What a run that wrote any line does to the two controls.
inline const std::vector<std::string> kBoxThenOkShown = {"box front", "box show", "ok front",
                                                         "ok show"};
