#pragma once
// The fade of a background or of one of its layers between hidden (0) and shown (1):
// started with a direction and a speed, advanced by the frame time, the value is
// speed x elapsed time clamped to 0..1 (its complement while hiding). The fade ends
// once the value comes within the change tolerance of its goal.

namespace GUITools {

class BackgroundFade {
public:
    // The value counts as arrived within this distance of its goal.
    static constexpr float kTolerance = 0.0001f;

    // Stores the direction, whether it fades at all and the speed; the time restarts.
    void Start(bool show, bool fade, float speed);
    // Advances the time and answers the value; a fade that arrives stops fading. Only
    // for a running fade.
    float Advance(float frameTime);

    bool IsShowing() const { return showing_; }
    bool IsFading() const { return fading_; }
    float GetSpeed() const { return speed_; }

private:
    bool showing_ = false;
    bool fading_ = false;
    float speed_ = 1.0f;
    float time_ = 0.0f;
};

}  // namespace GUITools
