#pragma once
// The floating texts of one day, oldest first, printed on one grouping window in front
// of the room. Money texts read "game_logic/plus_money" with the amount for "%MONEY%".
// A text is deleted in the update that finds it over.

#include <memory>
#include <string>
#include <vector>

#include "engine/kernel/Vector2.h"

namespace Vantor {
class GUIWindow;
}

namespace GUITools {
class GUIFontTool;
class GUITextTool;
}  // namespace GUITools

namespace Morvane {

class GUIGameLogicText;

class GUIGameLogicTextManager {
public:
    static constexpr int kOrder = 490;
    static constexpr const char* kMoneyKey = "game_logic/plus_money";

    GUIGameLogicTextManager(GUITools::GUITextTool* textTool, GUITools::GUIFontTool* fontTool,
                            const std::string& fontName, Vantor::GUIWindow* parent);
    virtual ~GUIGameLogicTextManager();
    GUIGameLogicTextManager(const GUIGameLogicTextManager&) = delete;
    GUIGameLogicTextManager& operator=(const GUIGameLogicTextManager&) = delete;

    void AddText(const std::wstring& text, const Vantor::Vector2& position);
    void AddMoneyText(unsigned amount, const Vantor::Vector2& position);
    // Every frame, also while the day is paused.
    void Update();

    const std::vector<std::unique_ptr<GUIGameLogicText>>& GetTexts() const { return texts_; }
    Vantor::GUIWindow* GetWindow() const { return window_; }
    int GetFontId() const { return fontId_; }

private:
    GUITools::GUITextTool* textTool_;
    GUITools::GUIFontTool* fontTool_;
    std::string fontName_;
    int fontId_;
    Vantor::GUIWindow* window_;
    std::vector<std::unique_ptr<GUIGameLogicText>> texts_;
};

}  // namespace Morvane
