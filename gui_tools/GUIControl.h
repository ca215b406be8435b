#pragma once
// The common base of the controls of a window built from a template. A control stands
// over one GUI element that its kind creates and destroys; the base pushes the control's
// layout (order, position, size, hit area) into the element every frame and runs its
// show and hide transitions: optional delays, frame-range animations of the element's
// model and of a separate animator model that moves the control, and an optional fader
// that drives the element's alpha. Every control starts hidden.
//
// Times are seconds of the frame clock, added once per Update.

#include <string>

#include "engine/kernel/Vector2.h"
#include "gui_tools/GUIControlDescription.h"

namespace GameTools {
class DataKeeper;
}

namespace Vantor {
class AnimationControl;
class GUIWindow;
class Model;
class ShaderDescriptor;
}  // namespace Vantor

namespace GUITools {

class GUIControl {
public:
    // The fader type whose value follows an animation; any other type is timed.
    static constexpr const char* kModelAnimationFader = "model_animation";

    GUIControl(GameTools::DataKeeper* keeper, const GUIControlDescription& description);
    // Deletes the animator; the GUI element belongs to the kind.
    virtual ~GUIControl();
    GUIControl(const GUIControl&) = delete;
    GUIControl& operator=(const GUIControl&) = delete;

    // Once per frame while the control's window is visible.
    virtual void Update();
    // Starts a show or hide: with actions the show or hide action decides ("show",
    // "hide"; any other action changes nothing at all).
    virtual void Show(bool show, bool useActions);
    // A control that is still hiding counts as shown.
    virtual bool IsShown() const;
    // Keeps the element receiving input while the GUI's exclusive input list is in force.
    virtual void SetExclusiveInput();

    // False while the model's or the animator's animation plays.
    bool IsAnimationFinished() const;

    Vantor::GUIWindow* GetWindow() const { return window_; }
    const std::string& GetName() const { return name_; }
    // The model's show and hide animation, or null. An owner that drives it itself
    // clears the control's link to it.
    Vantor::AnimationControl* GetModelAnimation() const { return modelAnimation_; }
    void ClearModelAnimation() { modelAnimation_ = nullptr; }

    void SetShowAction(const std::string& action) { showAction_ = action; }
    void SetHideAction(const std::string& action) { hideAction_ = action; }
    void SetOrder(int order) { order_ = order; }
    int GetOrder() const { return order_; }
    void SetPosition(const Vantor::Vector2& position) { position_ = position; }
    void SetSize(const Vantor::Vector2& size) { size_ = size; }
    const Vantor::Vector2& GetPosition() const { return position_; }
    const Vantor::Vector2& GetSize() const { return size_; }
    // The element's own hit area, relative to the element.
    void SetSelection(bool on, const Vantor::Vector2& position, const Vantor::Vector2& size);
    bool HasSelection() const { return hasSelection_; }
    const Vantor::Vector2& GetSelectionPosition() const { return selectionPosition_; }
    const Vantor::Vector2& GetSelectionSize() const { return selectionSize_; }

    // A non-empty name makes the control fade.
    void SetFader(const std::string& name) { faderName_ = name; }
    const std::string& GetFader() const { return faderName_; }
    void SetFaderType(const std::string& type) { faderType_ = type; }
    void SetShowSpeed(float speed) { showSpeed_ = speed; }
    void SetHideSpeed(float speed) { hideSpeed_ = speed; }
    void SetFaderMin(float value) { faderMin_ = value; }
    void SetFaderMax(float value) { faderMax_ = value; }
    void SetFadeOffset(float seconds) { fadeOffset_ = seconds; }
    void SetShowOffset(float seconds) { showOffset_ = seconds; }
    void SetHideOffset(float seconds) { hideOffset_ = seconds; }
    float GetShowOffset() const { return showOffset_; }
    float GetFadeValue() const { return fadeValue_; }
    // The state the last Show asked for.
    bool IsTargetShown() const { return targetShown_; }
    // A show or hide was asked for and has not started yet.
    bool IsTransitionPending() const { return transitionPending_; }

protected:
    // Binds the GUI element the kind made, sets up the animations and hides the element.
    void Attach(Vantor::GUIWindow* window, const GUIControlDescription& description);
    bool HasFader() const { return !faderName_.empty(); }
    // The keeper's model or material "ui/" + name; null for an empty name.
    const Vantor::Model* FindModel(const std::string& name) const;
    const Vantor::ShaderDescriptor* FindShader(const std::string& name) const;
    // Scales the element's texture coordinates by the description's and attaches it. An
    // element that plays its model's frames itself keeps them from the base.
    void AttachElement(Vantor::GUIWindow* element, const GUIControlDescription& description, bool elementAnimates);

private:
    // Gives the animation its show range 0 and its hide range 1 within the frames, or
    // shows the one frame; returns the animation when it has a range to play, else null.
    static Vantor::AnimationControl* ApplyFrameRange(Vantor::AnimationControl& animation, std::int32_t startFrame,
                                                     std::int32_t endFrame);
    // Restarts the model's and the animator's animation on the range.
    void PlayAnimations(std::int32_t range);
    // True when the update ends here.
    bool StartPendingHide(float frameTime);
    bool HidesWithAnimationEnd() const;
    void PushLayout();
    void UpdateFader(float frameTime);
    // The fader's position 0..1 before clamping.
    float FaderPosition(float frameTime);
    void HideElement();
    void ShowElement();

    GameTools::DataKeeper* keeper_;  // not owned
    std::string name_;
    Vantor::GUIWindow* window_ = nullptr;                   // the kind's
    Vantor::Model* model_ = nullptr;                        // the element's
    Vantor::AnimationControl* modelAnimation_ = nullptr;    // the model's
    Vantor::Model* animator_ = nullptr;                     // owned
    Vantor::AnimationControl* animatorAnimation_ = nullptr; // the animator's
    std::string showAction_ = "show";
    std::string hideAction_ = "hide";
    int order_ = 1;
    Vantor::Vector2 position_{0.0f, 0.0f};
    Vantor::Vector2 size_{1.0f, 1.0f};
    bool hasSelection_ = false;
    Vantor::Vector2 selectionPosition_;
    Vantor::Vector2 selectionSize_;
    std::string faderName_;
    std::string faderType_ = "timed";
    float showSpeed_ = 1.0f;
    float hideSpeed_ = 1.0f;
    float faderMin_ = 0.0f;
    float faderMax_ = 1.0f;
    float fadeOffset_ = 0.0f;
    float showOffset_ = 0.0f;
    float hideOffset_ = 0.0f;
    bool targetShown_ = false;
    float fadeElapsed_ = 0.0f;
    float fadeValue_ = 0.0f;
    bool transitionPending_ = false;
    float transitionElapsed_ = 0.0f;
};

}  // namespace GUITools
