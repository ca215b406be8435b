#pragma once
// A button that turns its checked flag over on every click and shows one of eight
// image frames: the button's four, checked or not, with a disabled frame of each.

#include "engine/gui/GUIButton.h"

namespace Vantor {

class GUICheckBox : public GUIButton {
public:
    GUICheckBox(GUIFontManager* fontManager, GUISoundManager* soundManager, Camera* camera, std::uint32_t flags,
                const Vector2& position, const Vector2& size, const Model* modelResource,
                const ShaderDescriptor* shader, GUIWindow* parent);

    bool HandleInput(const Vector2& cursor, bool held, bool pressed) override;
    // Normal, hovered, pressed: 0 to 2 unchecked, 3 to 5 checked; disabled: 6 or 7.
    std::uint32_t GetFrameIndex() const override;

    bool checked = false;
};

}  // namespace Vantor
