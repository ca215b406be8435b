#pragma once
// One animation of an automatic machine: the frame range one model part plays while the
// machine works on a food of a group. An end frame below the start frame plays the
// range backwards; the speed is always positive.

#include <string>

namespace Morvane {

struct MachineAnimationInfo {
    // Empty: every group.
    std::string group;
    // Names the model part: "lower" or "upper" inside the text.
    std::string layer;
    int startFrame = 0;
    int endFrame = 0;
    // Frames per second: the frame distance over the time.
    float speed = 0.0f;
    // Seconds for the range; always above 0.
    float time = 0.0f;
};

}  // namespace Morvane
