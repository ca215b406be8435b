#pragma once
// A weighted random choice among integer values that limits how many times in a row
// the same entry comes up. Entries are never removed; the last pick is remembered for
// the selecter's whole life.

#include <cstdint>
#include <utility>
#include <vector>

namespace GameTools {

class RandomSelecter {
public:
    // repeatLimit: how many times the last entry may be picked again in a row.
    explicit RandomSelecter(int repeatLimit);
    virtual ~RandomSelecter() = default;

    void Add(int value, int weight);
    // The value of a picked entry, 0 without entries. Draws from the engine's random
    // generator. The first entry with a weight gets one extra chance; when every weight
    // is 0 the pick is uniform. A pick that would break the repeat limit is drawn
    // again, up to 1000 tries; after those the repeat is taken.
    int Select();

private:
    // One try: an entry index by weight.
    std::size_t Draw() const;
    bool IsRepeat(std::size_t index) const;
    // A repeat beyond the limit, while there is another entry to pick instead.
    bool IsBlockedRepeat(std::size_t index) const;

    std::uint32_t repeatLimit_;
    std::uint32_t totalWeight_ = 0;
    std::vector<std::pair<std::int32_t, std::uint32_t>> entries_;  // value, weight
    std::int32_t lastIndex_ = -1;
    std::uint32_t repeatCount_ = 0;
};

}  // namespace GameTools
