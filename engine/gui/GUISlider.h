#pragma once
// A track with a thumb the player drags to one of a fixed number of steps. The thumb is
// a button the slider owns as its child and drives itself (it is registered nowhere
// else); its window spans the whole travel, and a thumb with a model is drawn at the
// value's place. The track shows one of three frames: normal, hovered, disabled.

#include <cstdint>
#include <memory>
#include <string>

#include "engine/gui/GUIWindow.h"

namespace Vantor {

class GUIButton;
class GUISoundManager;

class GUISlider : public GUIWindow {
public:
    enum State : int { kNormal = 0, kHovered = 1, kDisabled = 2 };

    // Vertical non-zero: the thumb moves along y. The thumb positions are relative to
    // the slider's origin, at value 0 and at the last step. Fewer than 2 steps make 2.
    GUISlider(GUIFontManager* fontManager, GUISoundManager* soundManager, Camera* camera, std::uint32_t flags,
              const Vector2& position, const Vector2& size, const Model* modelResource, const ShaderDescriptor* shader,
              int vertical, const Vector2& thumbMinimum, const Vector2& thumbMaximum, std::uint32_t stepCount,
              GUIWindow* parent);
    ~GUISlider() override;

    // The thumb's input; while the thumb is pressed the cursor, taken as the thumb's
    // centre, picks the nearest step (halves round up). False when not visible or disabled.
    bool HandleInput(const Vector2& cursor, bool held, bool pressed) override;
    bool Update() override;
    // These reach the thumb too.
    void SetColor(const Color& colour) override;
    void SetAlpha(float alpha) override;
    // A slider that comes into view shows its normal frame, unless disabled.
    void UpdateVisibility() override;
    // Replaces the thumb with one of this drawn size and image.
    virtual void CreateThumb(const Vector2& size, const Model* modelResource, const ShaderDescriptor* shader);
    virtual void SetEnabled(bool enabled);
    virtual bool IsDragging() const;

    // Clamped to the last step.
    void SetValue(std::uint32_t value);
    // The same count leaves the value alone; fewer than 2 make 2.
    void SetStepCount(std::uint32_t stepCount);
    void SetThumbMinPosition(const Vector2& position);
    void SetThumbMaxPosition(const Vector2& position);
    void SetThumbSize(const Vector2& size);
    void SetVertical(bool vertical) { vertical_ = vertical ? 1 : 0; }
    bool IsVertical() const { return vertical_ != 0; }
    bool IsEnabled() const { return state_ != kDisabled; }

    std::uint32_t GetValue() const { return value_; }
    std::uint32_t GetStepCount() const { return stepCount_; }
    int GetState() const { return state_; }
    GUIButton* GetThumb() const { return thumb_.get(); }
    GUISoundManager* GetSoundManager() const { return soundManager_; }

    // Value 0 sits at the maximum position, and a scroll bar's arrows swap roles.
    bool inverted = false;

protected:
    // A shown child button for the thumb or an arrow, with its select and click sounds.
    std::unique_ptr<GUIButton> MakePart(const Vector2& position, const Vector2& size, const Model* modelResource,
                                        const ShaderDescriptor* shader, const std::string& selectSound,
                                        const std::string& clickSound);

private:
    // The thumb's window spans the travel plus the thumb's own size.
    void FitThumbWindow();
    void DragTo(const Vector2& cursor);
    void PlaceThumbModel(Model& model) const;

    GUISoundManager* soundManager_;  // not owned
    // The slider's own camera, so that parts get one also when the slider has no model.
    Camera* camera_;
    int state_ = kNormal;
    int vertical_;
    Vector2 thumbMinimum_;
    Vector2 thumbMaximum_;
    Vector2 thumbSize_;
    std::uint32_t stepCount_;
    std::uint32_t value_ = 0;
    std::unique_ptr<GUIButton> thumb_;
};

}  // namespace Vantor
