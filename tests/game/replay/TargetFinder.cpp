#include "tests/game/replay/TargetFinder.h"

#include "engine/gui/GUIWindow.h"
#include "engine/render/Model.h"
#include "game/AutomaticMachine.h"
#include "game/Customer.h"
#include "game/CustomerManager.h"
#include "game/Distributor.h"
#include "game/Food.h"

namespace replay {

namespace {

std::optional<Vantor::Vector2> FindDistributor(const std::string& name, const RoomView& room) {
    for (const Morvane::Distributor* distributor : room.distributors) {
        if (distributor->GetName() != name) continue;
        if (distributor->GetSelectionWindow()) return TargetFinder::HitCentre(*distributor->GetSelectionWindow());
        const auto& slots = distributor->GetSlotFoods();
        for (auto slot = slots.rbegin(); slot != slots.rend(); ++slot)
            if (!(*slot)->GetLayers().empty()) return (*slot)->GetPosition() + (*slot)->GetExtent() * 0.5f;
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<Vantor::Vector2> FindMachine(const std::string& name, const RoomView& room) {
    for (const Morvane::AutomaticMachine* machine : room.machines)
        if (machine->GetName() == name) return TargetFinder::HitCentre(*machine->GetSelectionWindow());
    return std::nullopt;
}

std::optional<Vantor::Vector2> FindCustomer(unsigned place, const RoomView& room) {
    if (!room.customers) return std::nullopt;
    for (const auto& customer : room.customers->GetCustomers())
        if (customer && customer->GetPlace() == place) return TargetFinder::HitCentre(*customer->GetFigureWindow());
    return std::nullopt;
}

}  // namespace

std::optional<Vantor::Vector2> TargetFinder::Find(const Target& target, const RoomView& room) {
    switch (target.kind) {
        case Target::Kind::Distributor: return FindDistributor(target.name, room);
        case Target::Kind::Machine: return FindMachine(target.name, room);
        case Target::Kind::Customer: return FindCustomer(target.place, room);
        case Target::Kind::Point: return target.point;
    }
    return std::nullopt;
}

Vantor::Vector2 TargetFinder::HitCentre(const Vantor::GUIWindow& window) {
    const Vantor::Vector2 origin = window.GetAbsolutePosition() + window.GetPosition();
    if (window.IsSelectionOn()) return origin + window.GetSelectionPosition() + window.GetSelectionSize() * 0.5f;
    if (window.GetModel() && !window.IsRectangleHitTest()) {
        const Vantor::Vector3& centre = window.GetModel()->GetBoundingBox().centre;
        return {centre.x, centre.y};
    }
    return origin + window.GetSize() * 0.5f;
}

}  // namespace replay
