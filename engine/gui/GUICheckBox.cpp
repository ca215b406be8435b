#include "engine/gui/GUICheckBox.h"

namespace Vantor {

GUICheckBox::GUICheckBox(GUIFontManager* fontManager, GUISoundManager* soundManager, Camera* camera,
                         std::uint32_t flags, const Vector2& position, const Vector2& size,
                         const Model* modelResource, const ShaderDescriptor* shader, GUIWindow* parent)
    : GUIButton(fontManager, soundManager, camera, flags, position, size, modelResource, shader, parent) {
    selectSound = "gui_default_check_box_select";
    clickSound = "gui_default_check_box_click";
}

bool GUICheckBox::HandleInput(const Vector2& cursor, bool held, bool pressed) {
    if (!GUIButton::HandleInput(cursor, held, pressed)) return false;
    if (clicked) checked = !checked;
    return true;
}

std::uint32_t GUICheckBox::GetFrameIndex() const {
    switch (state) {
    case kNormal:
    case kHovered:
    case kPressed:
        return static_cast<std::uint32_t>(state) + (checked ? 3u : 0u);
    case kDisabled:
        return checked ? 7u : 6u;
    default:
        return 0u;
    }
}

}  // namespace Vantor
