#pragma once
// One step of a day's input: at a frame, the pointer moves to a named target of the room
// (and clicks there), or a key is pressed. Targets are named, not placed: they are found
// when the step runs, so a step means the same thing whatever the room looks like.

#include <string>

#include "engine/kernel/Vector2.h"

namespace replay {

struct Target {
    enum class Kind { Distributor, Machine, Customer, Point };

    Kind kind = Kind::Point;
    // The distributor's or the machine's name.
    std::string name;
    // The customer's place.
    unsigned place = 0;
    // A point of the GUI screen (units of 800 x 600, y up).
    Vantor::Vector2 point;

    bool operator==(const Target& other) const {
        return kind == other.kind && name == other.name && place == other.place && point.x == other.point.x &&
               point.y == other.point.y;
    }
};

struct ReplayStep {
    enum class Action { Move, Click, RightClick, Key };

    // The frame (counted from 0, the day's first) before which the input is given.
    unsigned frame = 0;
    Action action = Action::Move;
    // Every action but Key.
    Target target;
    // Key only: a key name ("SPACE", "ENTER", "ESCAPE", a letter or a digit).
    std::string key;

    bool operator==(const ReplayStep&) const = default;
};

}  // namespace replay
