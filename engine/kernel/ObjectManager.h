#pragma once
// Registry of the live objects of one kind, in numbered slots. The registry owns
// every object in a slot: destroying it deletes them. Removing an object empties
// its slot without deleting the object; the most recently freed slot is reused
// first, and the slots are packed (indices move) once fewer than half are live.
// Owners walk GetSlots() in order and skip the null slots.

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <deque>
#include <vector>

#include "engine/kernel/ContainerHelpers.h"

namespace Vantor {

template <class T>
class ObjectManager {
public:
    ObjectManager() = default;
    ObjectManager(const ObjectManager&) = delete;
    ObjectManager& operator=(const ObjectManager&) = delete;

    virtual ~ObjectManager() {
        DeleteAllAndClear(slots_);
        freeIds_.clear();
    }

    // Takes ownership of a non-null object; a null one is ignored.
    void AddObject(T* object) {
        if (!object) return;
        assert(std::find(slots_.begin(), slots_.end(), object) == slots_.end() && "object registered twice");
        if (freeIds_.empty()) {
            slots_.push_back(object);
        } else {
            slots_[freeIds_.back()] = object;
            freeIds_.pop_back();
        }
        ++count_;
    }

    // Gives the object back to the caller, who deletes it. False when the object
    // is null or not registered (nothing changes then).
    bool RemoveObject(T* object) {
        if (!object) return false;
        auto found = std::find(slots_.begin(), slots_.end(), object);
        if (found == slots_.end()) return false;
        freeIds_.push_back(static_cast<uint32_t>(found - slots_.begin()));
        *found = nullptr;
        --count_;
        if (count_ * 2 < slots_.size()) {
            RemoveNulls(slots_);
            freeIds_.clear();
        }
        return true;
    }

    // Number of live objects (non-null slots).
    uint32_t GetCount() const { return count_; }
    // Every slot in index order; an empty slot holds null.
    const std::vector<T*>& GetSlots() const { return slots_; }

private:
    uint32_t count_ = 0;
    std::vector<T*> slots_;
    std::deque<uint32_t> freeIds_;  // most recently freed at the back
};

}  // namespace Vantor
