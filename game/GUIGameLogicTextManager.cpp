#include "game/GUIGameLogicTextManager.h"

#include <algorithm>

#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/kernel/StringHelpers.h"
#include "game/GUIGameLogicText.h"
#include "gui_tools/GUIFontTool.h"
#include "gui_tools/GUITextTool.h"

namespace Morvane {

GUIGameLogicTextManager::GUIGameLogicTextManager(GUITools::GUITextTool* textTool, GUITools::GUIFontTool* fontTool,
                                                 const std::string& fontName, Vantor::GUIWindow* parent)
    : textTool_(textTool), fontTool_(fontTool), fontName_(fontName), fontId_(fontTool_->GetFontIndex(fontName_)) {
    window_ = Vantor::GUIManager::Instance()->CreateEmptyWindow(Vantor::GUIWindow::kShown, parent);
    window_->SetOrder(kOrder);
}

GUIGameLogicTextManager::~GUIGameLogicTextManager() {
    texts_.clear();
    Vantor::GUIManager::Instance()->DestroyWindow(window_);
}

void GUIGameLogicTextManager::AddText(const std::wstring& text, const Vantor::Vector2& position) {
    texts_.push_back(std::make_unique<GUIGameLogicText>(position, text, fontId_, window_));
}

void GUIGameLogicTextManager::AddMoneyText(unsigned amount, const Vantor::Vector2& position) {
    AddText(Vantor::ReplacedNoCase(textTool_->GetText(kMoneyKey), L"%MONEY%", Vantor::ToWideString(amount, 0)),
            position);
}

void GUIGameLogicTextManager::Update() {
    for (const auto& text : texts_) text->Update();
    std::erase_if(texts_, [](const auto& text) { return !text->IsAlive(); });
}

}  // namespace Morvane
