#pragma once
// A slider with two arrow buttons that step the value while one is held with the
// cursor over it: once in the first pass, then every 0.15 s. The arrows are children
// the scroll bar owns, made empty here and given their geometry and images by the
// layout layer.

#include <cstdint>
#include <memory>

#include "engine/gui/GUISlider.h"

namespace Vantor {

class GUIScroll : public GUISlider {
public:
    // Seconds between two steps of a held arrow.
    static constexpr float kRepeatInterval = 0.15f;

    GUIScroll(GUIFontManager* fontManager, GUISoundManager* soundManager, Camera* camera, std::uint32_t flags,
              const Vector2& position, const Vector2& size, const Model* modelResource, const ShaderDescriptor* shader,
              int vertical, const Vector2& thumbMinimum, const Vector2& thumbMaximum, std::uint32_t stepCount,
              GUIWindow* parent);
    // The arrows go first, then the slider's thumb.
    ~GUIScroll() override;

    // The slider's input, then the arrows'; a held arrow steps the value on the frame clock.
    bool HandleInput(const Vector2& cursor, bool held, bool pressed) override;
    bool Update() override;
    void SetColor(const Color& colour) override;
    void SetAlpha(float alpha) override;
    // The thumb draws in front of the arrows.
    void CreateThumb(const Vector2& size, const Model* modelResource, const ShaderDescriptor* shader) override;
    void SetEnabled(bool enabled) override;
    bool IsDragging() const override;

    // Replace an arrow; position and size are relative to the scroll bar.
    void CreateIncreaseButton(const Vector2& position, const Vector2& size, const Model* modelResource,
                              const ShaderDescriptor* shader);
    void CreateDecreaseButton(const Vector2& position, const Vector2& size, const Model* modelResource,
                              const ShaderDescriptor* shader);

    GUIButton* GetIncreaseButton() const { return increase_.get(); }
    GUIButton* GetDecreaseButton() const { return decrease_.get(); }
    float GetRepeatTimer() const { return repeatTimer_; }
    // Steps moved by one press of an arrow (and by each repeat while it is held).
    void SetStepPerRepeat(std::uint32_t steps) { stepPerRepeat_ = steps; }
    std::uint32_t GetStepPerRepeat() const { return stepPerRepeat_; }

private:
    std::unique_ptr<GUIButton> MakeArrow(const Vector2& position, const Vector2& size, const Model* modelResource,
                                         const ShaderDescriptor* shader);
    static bool IsHeldOver(const GUIButton& arrow);
    // One step of each arrow held; the value never wraps.
    void Repeat(bool up, bool down);

    std::unique_ptr<GUIButton> increase_;
    std::unique_ptr<GUIButton> decrease_;
    std::uint32_t stepPerRepeat_ = 1;
    float repeatTimer_ = 0.0f;
};

}  // namespace Vantor
