#include "gui_tools/GUIEditBoxControl.h"

#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIManager.h"
#include "gui_tools/GUIFontTool.h"

namespace GUITools {

GUIEditBoxControl::GUIEditBoxControl(GameTools::DataKeeper* keeper, GUIFontTool* fontTool, Vantor::GUIWindow* parent,
                                     const GUIControlDescription& description)
    : GUIControl(keeper, description),
      fontTool_(fontTool),
      editBox_(Vantor::GUIManager::Instance()->CreateEditBox(
          0, GetPosition(), GetSize(), FindModel(description.model), FindShader(description.shader), fontId_,
          fontColour, textOffset, maxCharacterCount, maxTextLength, visibleTextWidth, cursorCharacter, parent)) {
    AttachElement(editBox_, description, true);
}

GUIEditBoxControl::~GUIEditBoxControl() { Vantor::GUIManager::Instance()->DestroyEditBox(editBox_); }

void GUIEditBoxControl::SetFont(const std::string& name) {
    fontName_ = name;
    fontId_ = name.empty() ? -1 : fontTool_->GetFontIndex(name);
}

void GUIEditBoxControl::SetCursorCharacter(const std::wstring& text) {
    cursorCharacter = text.empty() ? u' ' : static_cast<std::uint16_t>(text.front());
}

void GUIEditBoxControl::Update() {
    GUIControl::Update();
    if (!editBox_->IsVisible()) return;
    editBox_->SetFont(fontId_);
    editBox_->SetTextColour(fontColour);
    editBox_->SetTextOffset(textOffset);
    editBox_->SetCursorCharacter(cursorCharacter);
    editBox_->SetMaximumCharacterCount(maxCharacterCount);
    editBox_->SetMaximumTextWidth(maxTextLength);
    editBox_->SetVisibleWidth(visibleTextWidth);
}

}  // namespace GUITools
