#pragma once
// A frame-range player. It keeps a position in frames inside the selected range,
// advances it by a speed in frames per second on every Update (looping or stopping at
// the range's end, forwards or backwards) and hands out the two frames to show and the
// weight of the second. Models drive their key frames or skeleton with it, shader
// users the texture frames of each stage.

#include <cstdint>
#include <map>

namespace Vantor {

class AnimationControl {
public:
    // The range that spans the whole sequence, registered and selected at construction.
    static constexpr std::int32_t kWholeSequence = -1;

    // Mode 0 (models) blends between key frames: a looping range of n frames has n - 1
    // steps. Mode 1 (shader stages, game objects) shows whole frames: a looping or
    // backwards range of n frames has n steps.
    AnimationControl(std::int32_t mode, std::uint32_t frameCount);
    // Takes the other's mode and frame count, then assigns.
    AnimationControl(const AnimationControl& other);
    // Copies the playing state only between controls of equal mode and frame count;
    // otherwise leaves this control as it is.
    AnimationControl& operator=(const AnimationControl& other);
    virtual ~AnimationControl() = default;

    // Registers a range of frames, replacing the frames of an existing id. A last frame
    // below the first plays the range backwards.
    void AddRange(std::int32_t id, std::uint32_t firstFrame, std::uint32_t lastFrame);
    // Selects a range and rewinds; playing goes on. An id never added plays frame 0 alone.
    void SetRange(std::int32_t id);
    void Play() { playing_ = true; }
    void Stop();
    // Advances by the frame time and resolves frame A, frame B and the blend.
    void Update();
    // Puts the position on the current range's last step.
    void SetPositionToEnd();
    // Puts the position anywhere within the current range.
    void SetRandomPosition();
    // For owners that choose the frame themselves (a GUI element showing its state).
    void SetPosition(float position) { position_ = position; }

    void SetLoop(bool loop) { loop_ = loop; }
    float GetSpeed() const { return speed_; }
    void SetSpeed(float framesPerSecond) { speed_ = framesPerSecond; }
    // False once a range that does not loop reached its end, and after Stop.
    bool IsPlaying() const { return playing_; }
    float GetPosition() const { return position_; }
    std::uint32_t GetFrameCount() const { return frameCount_; }
    std::uint32_t GetFrameA() const { return frameA_; }
    std::uint32_t GetFrameB() const { return frameB_; }
    // Weight of frame B: 0 shows frame A, 1 frame B.
    float GetBlend() const { return blend_; }
    std::int32_t GetRangeId() const { return currentRange_; }
    // The first and last frame of the selected range (frame 0 for an id never added).
    std::uint32_t GetRangeFirst() const { return SelectedRange().first; }
    std::uint32_t GetRangeLast() const { return SelectedRange().last; }

private:
    struct FrameRange {
        std::uint32_t first = 0;
        std::uint32_t last = 0;
    };

    // The selected range; an id never added is registered as frame 0 alone.
    const FrameRange& CurrentRange();
    // The same without registering: frame 0 alone for an id never added.
    FrameRange SelectedRange() const;

    std::int32_t mode_;
    std::uint32_t frameCount_;
    float speed_ = 0.0f;
    float position_ = 0.0f;
    bool loop_ = false;
    bool playing_ = false;
    // Ids compare as unsigned, so the whole sequence sorts last.
    std::map<std::uint32_t, FrameRange> ranges_;
    std::int32_t currentRange_ = kWholeSequence;
    std::uint32_t frameA_ = 0;
    std::uint32_t frameB_ = 0;
    float blend_ = 0.0f;
};

}  // namespace Vantor
