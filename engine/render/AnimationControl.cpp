#include "engine/render/AnimationControl.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "engine/kernel/MathHelpers.h"
#include "engine/kernel/Random.h"
#include "engine/kernel/TimerManager.h"

namespace Vantor {

AnimationControl::AnimationControl(std::int32_t mode, std::uint32_t frameCount) : mode_(mode), frameCount_(frameCount) {
    // Without frames the whole sequence is frame 0 alone rather than a range wrapped
    // round to four billion frames.
    AddRange(kWholeSequence, 0, frameCount > 0 ? frameCount - 1 : 0);
    SetRange(kWholeSequence);
}

AnimationControl::AnimationControl(const AnimationControl& other) : mode_(other.mode_), frameCount_(other.frameCount_) {
    *this = other;
}

AnimationControl& AnimationControl::operator=(const AnimationControl& other) {
    if (mode_ != other.mode_ || frameCount_ != other.frameCount_) return *this;
    ranges_ = other.ranges_;
    speed_ = other.speed_;
    position_ = other.position_;
    loop_ = other.loop_;
    playing_ = other.playing_;
    currentRange_ = other.currentRange_;
    frameA_ = other.frameA_;
    frameB_ = other.frameB_;
    blend_ = other.blend_;
    return *this;
}

void AnimationControl::AddRange(std::int32_t id, std::uint32_t firstFrame, std::uint32_t lastFrame) {
    ranges_[static_cast<std::uint32_t>(id)] = {firstFrame, lastFrame};
}

void AnimationControl::SetRange(std::int32_t id) {
    currentRange_ = id;
    position_ = 0.0f;
}

void AnimationControl::Stop() {
    playing_ = false;
    position_ = 0.0f;
}

AnimationControl::FrameRange AnimationControl::SelectedRange() const {
    const auto range = ranges_.find(static_cast<std::uint32_t>(currentRange_));
    return range == ranges_.end() ? FrameRange{} : range->second;
}

const AnimationControl::FrameRange& AnimationControl::CurrentRange() {
    return ranges_[static_cast<std::uint32_t>(currentRange_)];
}

void AnimationControl::SetPositionToEnd() {
    const FrameRange& range = CurrentRange();
    position_ = static_cast<float>(std::max(range.first, range.last) - std::min(range.first, range.last));
}

void AnimationControl::SetRandomPosition() {
    const FrameRange& range = CurrentRange();
    position_ = RandomRange(0.0f, static_cast<float>(std::max(range.first, range.last) -
                                                     std::min(range.first, range.last)));
}

void AnimationControl::Update() {
    const FrameRange& range = CurrentRange();
    const bool backwards = range.last < range.first;
    const std::uint64_t lowest = std::min(range.first, range.last);
    // 64 bits: a range over every u32 frame has 2^32 steps.
    std::uint64_t steps = std::max(range.first, range.last) - lowest + 1;
    if (mode_ == 1 && (backwards || loop_)) ++steps;

    if (playing_ && speed_ > kFloatTolerance) {
        // An infinite step would leave no frame to show.
        const float step = speed_ * TimerManager::Instance()->GetFrameTime();
        if (std::isfinite(step)) position_ += step;
    }

    // The position never goes below 0, so its integer part reaching the last step is
    // the position reaching it. The remainder is what repeated subtraction of one cycle
    // leaves, without a loop that a huge position would keep turning.
    const double lastStep = static_cast<double>(steps - 1);
    if (loop_ && steps != 1) {
        if (position_ >= lastStep) position_ = static_cast<float>(std::fmod(static_cast<double>(position_), lastStep));
    } else if (position_ >= lastStep) {
        position_ = static_cast<float>(lastStep);
        playing_ = false;
    }

    std::uint64_t frameA = std::min(static_cast<std::uint64_t>(position_), steps - 1);
    float blend = position_ - static_cast<float>(frameA);
    std::uint64_t frameB = frameA + 1 == steps ? frameA : frameA + 1;
    if (backwards) {
        // Position 0 shows the range's higher frame and playback runs down from it.
        frameA = steps - frameA - 1;
        frameB = steps - frameB - 1;
        blend = 1.0f - blend;
        std::swap(frameA, frameB);
    }
    frameA += lowest;
    frameB += lowest;

    frameA_ = frameA < frameCount_ ? static_cast<std::uint32_t>(frameA) : 0;
    frameB_ = frameB < frameCount_ ? static_cast<std::uint32_t>(frameB) : 0;
    blend_ = blend;
}

}  // namespace Vantor
