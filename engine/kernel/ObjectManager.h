#pragma once
// Registry of the live objects of one kind, in numbered slots. The registry owns
// every object in a slot: destroying it deletes them. Removing an object empties
// its slot without deleting the object; the most recently freed slot is reused
// first, and the slots are packed (indices move) once fewer than half are live.
// Owners walk GetSlots() in order and skip the null slots.

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <vector>

#include "engine/kernel/SlotTable.h"

namespace Vantor {

template <class T>
class ObjectManager {
public:
    ObjectManager() = default;
    ObjectManager(const ObjectManager&) = delete;
    ObjectManager& operator=(const ObjectManager&) = delete;

    // Deletes in slot order, the order the owners walk them.
    virtual ~ObjectManager() {
        for (T* object : table_.GetSlots()) delete object;
    }

    // Takes ownership of a non-null object; a null one is ignored.
    void AddObject(T* object) {
        if (!object) return;
        assert(std::find(GetSlots().begin(), GetSlots().end(), object) == GetSlots().end() &&
               "object registered twice");
        table_.Add(object);
    }

    // Gives the object back to the caller, who deletes it. False when the object
    // is null or not registered (nothing changes then).
    bool RemoveObject(T* object) {
        if (!table_.Remove(object)) return false;
        if (table_.GetLiveCount() * 2 < GetSlots().size()) table_.Pack();
        return true;
    }

    // Number of live objects (non-null slots).
    uint32_t GetCount() const { return static_cast<uint32_t>(table_.GetLiveCount()); }
    // Every slot in index order; an empty slot holds null.
    const std::vector<T*>& GetSlots() const { return table_.GetSlots(); }

private:
    SlotTable<T> table_;
};

}  // namespace Vantor
