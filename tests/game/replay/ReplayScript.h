#pragma once
// A day's input as text, one step a line, and back:
//
//   <frame> <action> <target>
//
// The frame is absolute ("120") or counted from the step before ("+30"); frames never go
// back. Actions: "move", "click" and "right_click" take a target, "key" a key name.
// Targets: "distributor <name>", "machine <name>", "customer at place <n>",
// "point <x> <y>" (GUI units, y up). Blank lines and lines starting with '#' are skipped.
// Written scripts hold absolute frames only, so a recorded day reads back as it ran.

#include <stdexcept>
#include <string>
#include <vector>

#include "tests/game/replay/ReplayStep.h"

namespace replay {

// A line the parser cannot read: the message names the line (from 1) and the fault.
class ScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class ReplayScript {
public:
    ReplayScript() = default;
    explicit ReplayScript(std::vector<ReplayStep> steps) : steps_(std::move(steps)) {}

    // Throws ScriptError at the first unreadable line.
    static ReplayScript Parse(const std::string& text);
    std::string ToText() const;
    static std::string ToText(const ReplayStep& step);

    // Appended after the last step; a frame before the last step's is an error.
    void Append(const ReplayStep& step);

    const std::vector<ReplayStep>& GetSteps() const { return steps_; }
    bool operator==(const ReplayScript&) const = default;

private:
    std::vector<ReplayStep> steps_;
};

}  // namespace replay
