#pragma once
// The score of one running level. The level logic makes it with the level and hands
// the score out; the game reads and resets it when the level ends.

#include <cstdint>

namespace GameFramework {

class ScoreKeeper {
public:
    explicit ScoreKeeper(std::int32_t initialScore) : score_(initialScore) {}
    virtual ~ScoreKeeper() = default;

    std::int32_t GetScore() const { return score_; }
    void SetScore(std::int32_t score) { score_ = score; }

private:
    std::int32_t score_;
};

}  // namespace GameFramework
