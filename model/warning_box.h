// What the model needs of the window's warning box and its OK button. The
// window implements these with its own controls; the batch command with a
// collector of lines. The model never owns either.
#pragma once

#include <string>
#include <vector>

// A list of text lines: cleared at the start of each run, one line appended
// per warning, in order.
class WarningLines {
public:
    virtual void Clear() = 0;
    virtual void AppendLine(const std::string& line) = 0;
    // 0 for an empty box.
    virtual int LineCount() const = 0;

protected:
    ~WarningLines() = default;
};

// A control that the model can bring up in front of the window's others.
class WarningControl {
public:
    virtual void BringToFront() = 0;
    virtual void SetVisible(bool visible) = 0;

protected:
    ~WarningControl() = default;
};

// The warning box itself: its lines and its place on screen.
class WarningMemo : public WarningLines, public WarningControl {
protected:
    ~WarningMemo() = default;
};

// A warning box with no place on screen: it keeps the lines of a run, for
// callers that have no window (the batch command, benchmarks).
class WarningLineList final : public WarningMemo {
public:
    void Clear() override { lines_.clear(); }
    void AppendLine(const std::string& line) override { lines_.push_back(line); }
    int LineCount() const override { return static_cast<int>(lines_.size()); }
    void BringToFront() override {}
    void SetVisible(bool) override {}

    const std::vector<std::string>& Lines() const { return lines_; }

private:
    std::vector<std::string> lines_;
};
