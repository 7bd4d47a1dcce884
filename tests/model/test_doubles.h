// Stand-ins for the window's warning box and OK button that record what the
// model did to them.
#pragma once

#include "warning_box.h"

#include <string>
#include <vector>

class RecordingControl : public WarningControl {
public:
    void BringToFront() override { calls.push_back("front"); }
    void SetVisible(bool visible) override { calls.push_back(visible ? "show" : "hide"); }
    std::vector<std::string> calls;
};

class RecordingMemo : public WarningMemo {
public:
    void Clear() override { lines.clear(); }
    void AppendLine(const std::string& line) override { lines.push_back(line); }
    int LineCount() const override { return static_cast<int>(lines.size()); }
    void BringToFront() override { control.BringToFront(); }
    void SetVisible(bool visible) override { control.SetVisible(visible); }

    std::vector<std::string> lines;
    RecordingControl control;
};
