#pragma once
// A short text, such as money just earned, that grows out of a spot of the day's
// screen, rises and fades out: it grows to its font's size in 0.2 s, then rises 35
// units a second, stays opaque for a second, fades over 0.75 s and is over. Each line
// is centred on the spot and the block of lines is centred on it too.

#include <string>
#include <vector>

#include "engine/kernel/Vector2.h"

namespace Vantor {
class GUIFontManager;
class GUIWindow;
}  // namespace Vantor

namespace Morvane {

class GUIGameLogicText {
public:
    static constexpr float kGrowTime = 0.2f;
    static constexpr float kRiseSpeed = 35.0f;
    static constexpr float kFadeStart = 1.2f;
    static constexpr float kFadeTime = 0.75f;
    static constexpr float kLifeTime = kFadeStart + kFadeTime;

    // The text is cut into lines at its line feeds.
    GUIGameLogicText(const Vantor::Vector2& position, const std::wstring& text, int fontId,
                     Vantor::GUIWindow* window);
    virtual ~GUIGameLogicText() = default;
    GUIGameLogicText(const GUIGameLogicText&) = delete;
    GUIGameLogicText& operator=(const GUIGameLogicText&) = delete;

    // Ages the text by the frame time and prints its lines for this frame.
    void Update();

    bool IsAlive() const { return alive_; }
    float GetAge() const { return age_; }
    const std::vector<std::wstring>& GetLines() const { return lines_; }

private:
    Vantor::GUIFontManager* fontManager_;
    float baseSize_ = 0.0f;
    int fontId_;
    Vantor::Vector2 position_;
    std::vector<std::wstring> lines_;
    Vantor::GUIWindow* window_;
    float age_ = 0.0f;
    bool alive_ = true;
};

}  // namespace Morvane
