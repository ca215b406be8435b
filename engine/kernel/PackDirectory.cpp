#include "engine/kernel/PackDirectory.h"

#include <algorithm>
#include <functional>

namespace Vantor {

std::uint32_t PackDirectory::HashOf(std::string_view name) {
    const std::size_t hash = std::hash<std::string_view>{}(name);
    return static_cast<std::uint32_t>(hash ^ (hash >> 32));
}

void PackDirectory::Add(std::string_view name, const PackFileEntry& entry) {
    const std::uint32_t record = static_cast<std::uint32_t>(records_.size());
    records_.push_back(static_cast<std::uint32_t>(entry.offset));
    records_.push_back(static_cast<std::uint32_t>(entry.size));
    records_.push_back(static_cast<std::uint32_t>(name.size()));
    records_.resize(NextRecord(record), 0);
    std::memcpy(&records_[record + kNameWord], name.data(), name.size());

    const std::uint32_t hash = HashOf(name);
    if (FindRecord(name, hash) != kNoRecord) return;  // listed, but found by its first record
    if (2 * (used_ + 1) > slots_.size()) Grow();
    Place(Slot{hash, record});
    ++used_;
}

std::optional<PackFileEntry> PackDirectory::Find(std::string_view name) const {
    const std::uint32_t record = FindRecord(name, HashOf(name));
    if (record == kNoRecord) return std::nullopt;
    return PackFileEntry{static_cast<std::int32_t>(records_[record]), static_cast<std::int32_t>(records_[record + 1])};
}

std::uint32_t PackDirectory::FindRecord(std::string_view name, std::uint32_t hash) const {
    if (slots_.empty()) return kNoRecord;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = slots_[i];
        if (slot.record == kNoRecord || (slot.hash == hash && NameOf(slot.record) == name)) return slot.record;
    }
}

void PackDirectory::Clear() {
    slots_.clear();
    used_ = 0;
    records_.clear();
}

void PackDirectory::Grow() {
    std::vector<Slot> old(std::max<std::size_t>(16, 2 * slots_.size()));
    old.swap(slots_);
    // The stored hashes place the slots again; no name is read.
    for (const Slot& slot : old)
        if (slot.record != kNoRecord) Place(slot);
}

void PackDirectory::Place(Slot slot) {
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = slot.hash & mask;
    while (slots_[i].record != kNoRecord) i = (i + 1) & mask;
    slots_[i] = slot;
}

}  // namespace Vantor
