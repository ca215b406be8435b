#pragma once
// A part of a room object drawn from one model whose material's first texture stage
// holds the part's pictures as frames: the lower part behind a machine's items or the
// upper part in front of them. The stage never runs by itself; a frame control chooses
// the frame shown, and the owner selects and plays its ranges.

#include <memory>
#include <string>

namespace Vantor {
class AnimationControl;
class GUIWindow;
}  // namespace Vantor

namespace Morvane {

class GameData;

class AnimatedPart {
public:
    // The first texture stage of the window's material made still at frame 0 (looping
    // off, speed 0, stopped); null with one error line naming the key when the material
    // has no stage, so the part shows without animation.
    static Vantor::AnimationControl* HoldStage(const Vantor::GUIWindow* window, const std::string& key);
    // The part of the model below the parent, or null when the data has no such model.
    static std::unique_ptr<AnimatedPart> Create(GameData* gameData, const std::string& key,
                                                Vantor::GUIWindow* parent);

    AnimatedPart(Vantor::GUIWindow* window, const std::string& key);
    virtual ~AnimatedPart();
    AnimatedPart(const AnimatedPart&) = delete;
    AnimatedPart& operator=(const AnimatedPart&) = delete;

    // Advances the frame control and shows its frame; answers whether the control was
    // playing before this step, so that the step in which it stops still counts.
    bool Update();

    Vantor::GUIWindow* GetWindow() const { return window_; }
    Vantor::AnimationControl& GetControl() const { return *control_; }
    // Null when the material has no texture stage.
    Vantor::AnimationControl* GetStage() const { return stage_; }

private:
    Vantor::GUIWindow* window_;  // destroyed here
    Vantor::AnimationControl* stage_;
    std::unique_ptr<Vantor::AnimationControl> control_;
};

}  // namespace Morvane
