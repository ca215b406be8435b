#pragma once
// The "edit_box" control over a GUI edit box. Its settings are carried into the edit box
// in every frame in which the box is visible, so they may be changed at any time.

#include <cstdint>
#include <string>

#include "engine/kernel/Vector2.h"
#include "engine/kernel/Vector4.h"
#include "gui_tools/GUIControl.h"

namespace Vantor {
class GUIEditBox;
}

namespace GUITools {

class GUIFontTool;

class GUIEditBoxControl : public GUIControl {
public:
    GUIEditBoxControl(GameTools::DataKeeper* keeper, GUIFontTool* fontTool, Vantor::GUIWindow* parent,
                      const GUIControlDescription& description);
    ~GUIEditBoxControl() override;

    void Update() override;

    // The font tool's id of the name; an empty name means no font.
    void SetFont(const std::string& name);
    const std::string& GetFontName() const { return fontName_; }
    int GetFontId() const { return fontId_; }
    // The text's first character, a blank for an empty text.
    void SetCursorCharacter(const std::wstring& text);
    Vantor::GUIEditBox* GetEditBox() const { return editBox_; }

    Vantor::Color fontColour{1.0f, 1.0f, 1.0f, 1.0f};
    Vantor::Vector2 textOffset{0.0f, 0.0f};
    std::uint16_t cursorCharacter = u'_';
    int maxCharacterCount = 255;
    float maxTextLength = 800.0f;
    float visibleTextWidth = 800.0f;

private:
    GUIFontTool* fontTool_;  // not owned
    std::string fontName_;
    int fontId_ = -1;
    Vantor::GUIEditBox* editBox_;  // the GUI manager's, destroyed here
};

}  // namespace GUITools
