#pragma once
// The table of objects a manager owns, by slot number: a stack of freed slot numbers
// (the most recently freed is reused first), the live slot numbers in creation order
// and the objects by slot (null for a freed slot). The table holds the pointers; its
// manager creates the objects and deletes them, here through DeleteAll or itself.

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <deque>
#include <vector>

#include "engine/kernel/ContainerHelpers.h"

namespace Vantor {

template <class T>
class SlotTable {
public:
    // Stores a non-null object in the last freed slot, else in a new one; returns the slot.
    std::uint32_t Add(T* object) {
        assert(object && "a null object would pass for a freed slot");
        std::uint32_t slot;
        if (freeIds_.empty()) {
            slot = static_cast<std::uint32_t>(slots_.size());
            slots_.push_back(object);
        } else {
            slot = freeIds_.back();
            freeIds_.pop_back();
            slots_[slot] = object;
        }
        liveIds_.push_back(slot);
        return slot;
    }

    // Frees the object's slot; false (and nothing changes) when no live slot holds it.
    bool Remove(const T* object) {
        if (!object) return false;
        auto live = std::find_if(liveIds_.begin(), liveIds_.end(),
                                 [&](std::uint32_t slot) { return slots_[slot] == object; });
        if (live == liveIds_.end()) return false;
        slots_[*live] = nullptr;
        freeIds_.push_back(*live);
        liveIds_.erase(live);
        return true;
    }

    // Drops the freed slots: the live objects move down in slot order (their slot
    // numbers change), and the next Add appends.
    void Pack() {
        std::vector<std::uint32_t> packedSlot(slots_.size());
        std::uint32_t next = 0;
        for (std::uint32_t slot = 0; slot < slots_.size(); ++slot)
            if (slots_[slot]) packedSlot[slot] = next++;
        for (std::uint32_t& slot : liveIds_) slot = packedSlot[slot];
        RemoveNulls(slots_);
        freeIds_.clear();
    }

    // Forgets the freed slots and deletes every live object in creation order; the
    // table is empty afterwards.
    void DeleteAll() {
        freeIds_.clear();
        for (std::uint32_t slot : liveIds_) delete slots_[slot];
        liveIds_.clear();
        slots_.clear();
    }

    std::size_t GetLiveCount() const { return liveIds_.size(); }
    const std::vector<std::uint32_t>& GetLiveIds() const { return liveIds_; }
    // The object in a slot, null for a freed or unknown one.
    T* Get(std::uint32_t slot) const { return slot < slots_.size() ? slots_[slot] : nullptr; }
    // Every slot in number order; a freed slot holds null.
    const std::vector<T*>& GetSlots() const { return slots_; }

private:
    std::deque<std::uint32_t> freeIds_;
    std::vector<std::uint32_t> liveIds_;
    std::vector<T*> slots_;
};

}  // namespace Vantor
