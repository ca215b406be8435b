#include "game/GUIGameLogicText.h"

#include <algorithm>

#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/kernel/TimerManager.h"

namespace Morvane {

GUIGameLogicText::GUIGameLogicText(const Vantor::Vector2& position, const std::wstring& text, int fontId,
                                   Vantor::GUIWindow* window)
    : fontManager_(Vantor::GUIManager::Instance()->GetFontManager()),
      fontId_(fontId),
      position_(position),
      window_(window) {
    if (const Vantor::GUIFont* font = fontManager_->GetFont(fontId_)) baseSize_ = font->GetSize();
    std::size_t start = 0;
    for (std::size_t feed = text.find(L'\n'); feed != std::wstring::npos; feed = text.find(L'\n', start)) {
        lines_.push_back(text.substr(start, feed - start));
        start = feed + 1;
    }
    if (start < text.size()) lines_.push_back(text.substr(start));
}

void GUIGameLogicText::Update() {
    age_ += Vantor::TimerManager::Instance()->GetFrameTime();
    const float t = age_;
    if (t > kLifeTime) {
        alive_ = false;
        return;
    }
    const float scale = std::min(t, kGrowTime) / kGrowTime;
    const float size = scale * baseSize_;
    float alpha = scale;
    const float rise = t > kGrowTime ? (t - kGrowTime) * kRiseSpeed : 0.0f;
    if (t > kFadeStart) alpha = 1.0f - std::min(t - kFadeStart, kFadeTime) / kFadeTime;

    const Vantor::GUIFont* font = fontManager_->GetFont(fontId_);
    const float count = static_cast<float>(lines_.size());
    for (std::size_t j = 0; j < lines_.size(); ++j) {
        Vantor::Vector2 extent;
        if (font) font->MeasureText(extent, lines_[j], 0.0f, size);
        const float below = count - 1.0f - static_cast<float>(j);
        const Vantor::Vector2 offset{-extent.x * 0.5f, below * size - count * size * 0.5f + rise};
        window_->PrintText(0, fontId_, position_ + offset, {1.0f, 1.0f, 1.0f, alpha}, lines_[j], 0.0f, size);
    }
}

}  // namespace Morvane
