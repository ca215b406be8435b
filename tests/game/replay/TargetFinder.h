#pragma once
// Finds a step's named target in the room when the step runs, and the point of the GUI
// screen to put the pointer on: the middle of its hit area. A distributor without a hit
// area offers its last full slot; a customer is the one standing at the place.

#include <optional>

#include "engine/kernel/Vector2.h"
#include "tests/game/replay/ReplayStep.h"
#include "tests/game/replay/RoomView.h"

namespace Vantor {
class GUIWindow;
}

namespace replay {

class TargetFinder {
public:
    // Nothing when the room holds no such target (or a distributor has no full slot).
    static std::optional<Vantor::Vector2> Find(const Target& target, const RoomView& room);
    // The middle of the area in which the window takes the pointer.
    static Vantor::Vector2 HitCentre(const Vantor::GUIWindow& window);
};

}  // namespace replay
