#pragma once
// The directory of a pack: where each named entry lies. Built for lookups whose cost
// barely grows with the pack: an open-addressing table of slots (the name's hash and
// its record) over one block that holds each record's entry beside its name, so that
// a lookup touches two places in memory however many entries there are.

#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

namespace Vantor {

struct PackFileEntry {
    std::int32_t offset = 0;  // from the pack's first byte
    std::int32_t size = 0;
};

class PackDirectory {
public:
    // A name already present keeps its first entry, but is listed again.
    void Add(std::string_view name, const PackFileEntry& entry);
    std::optional<PackFileEntry> Find(std::string_view name) const;
    void Clear();

    // Calls visit(name) for every added name, in the order added.
    template <class Visit>
    void ForEachName(Visit visit) const {
        for (std::size_t record = 0; record < records_.size(); record = NextRecord(record))
            visit(NameOf(static_cast<std::uint32_t>(record)));
    }

private:
    // A record is the entry's offset and size, the name's length, then its bytes,
    // padded to whole words.
    static constexpr std::uint32_t kNameWord = 3;
    static constexpr std::uint32_t kNoRecord = 0xFFFFFFFFu;

    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t record = kNoRecord;  // first word of the record in records_
    };

    static std::uint32_t HashOf(std::string_view name);
    // The name's record, or kNoRecord.
    std::uint32_t FindRecord(std::string_view name, std::uint32_t hash) const;
    void Grow();
    void Place(Slot slot);
    std::string_view NameOf(std::uint32_t record) const {
        return {reinterpret_cast<const char*>(&records_[record + kNameWord]), records_[record + kNameWord - 1]};
    }
    std::size_t NextRecord(std::size_t record) const {
        return record + kNameWord + (records_[record + kNameWord - 1] + 3) / 4;
    }

    std::vector<Slot> slots_;  // a power of two, at most half of them used
    std::size_t used_ = 0;
    std::vector<std::uint32_t> records_;
};

}  // namespace Vantor
