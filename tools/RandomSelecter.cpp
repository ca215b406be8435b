#include "tools/RandomSelecter.h"

#include "engine/kernel/Random.h"

namespace GameTools {

namespace {

constexpr int kMaxTries = 1000;

}  // namespace

RandomSelecter::RandomSelecter(int repeatLimit) : repeatLimit_(static_cast<std::uint32_t>(repeatLimit)) {}

void RandomSelecter::Add(int value, int weight) {
    entries_.emplace_back(value, static_cast<std::uint32_t>(weight));
    totalWeight_ += static_cast<std::uint32_t>(weight);
}

int RandomSelecter::Select() {
    if (entries_.empty()) return 0;
    std::size_t picked = Draw();
    for (int tries = 1; tries < kMaxTries && IsBlockedRepeat(picked); ++tries) picked = Draw();

    if (IsRepeat(picked)) {
        ++repeatCount_;
    } else {
        lastIndex_ = static_cast<std::int32_t>(picked);
        repeatCount_ = 0;
    }
    return entries_[picked].first;
}

bool RandomSelecter::IsRepeat(std::size_t index) const {
    return lastIndex_ >= 0 && index == static_cast<std::size_t>(lastIndex_);
}

bool RandomSelecter::IsBlockedRepeat(std::size_t index) const {
    return entries_.size() > 1 && IsRepeat(index) && repeatCount_ >= repeatLimit_;
}

std::size_t RandomSelecter::Draw() const {
    // 0 to the total weight, both included: a draw of 0 also lands on the first
    // weighted entry, which is its extra chance.
    const std::uint32_t target = Vantor::RandomInt(totalWeight_ + 1);
    std::uint64_t sum = 0;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        sum += entries_[i].second;
        if (sum >= target && entries_[i].second != 0) return i;
    }
    // Every weight is 0.
    return Vantor::RandomInt(static_cast<std::uint32_t>(entries_.size()));
}

}  // namespace GameTools
