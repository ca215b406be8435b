#include "engine/gui/GUIFontManager.h"

#include <algorithm>
#include <cmath>

#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIWindow.h"
#include "engine/gui/TextAlignment.h"
#include "engine/kernel/MathHelpers.h"

namespace Vantor {

namespace {

// An instance lies half a child step in front of its windows.
constexpr float kTextDepthOffset = 0.01f * 0.5f;

}  // namespace

GUIFontManager::GUIFontManager(Camera* camera) : camera_(camera) {}

GUIFontManager::~GUIFontManager() {
    for (auto& [id, font] : fonts_) delete font;
    for (GUIFont* instance : instances_) delete instance;
}

GUIFont* GUIFontManager::LoadFont(int id, const ShaderDescriptor* material, const std::wstring& path) {
    UnloadFont(id);
    auto* font = new GUIFont(camera_, material, path);
    fonts_[id] = font;
    return font;
}

void GUIFontManager::UnloadFont(int id) {
    const auto entry = fonts_.find(id);
    if (entry == fonts_.end()) return;
    // No instance may keep the glyphs of a deleted font, nor pass for an instance of a
    // later font at the same address.
    const GUIFont* font = entry->second;
    DeleteInstancesIf([font](const GUIFont* instance) { return instance->GetSource() == font; });
    delete font;
    fonts_.erase(entry);
}

GUIFont* GUIFontManager::GetFont(int id) const {
    const auto entry = fonts_.find(id);
    return entry == fonts_.end() ? nullptr : entry->second;
}

GUIFont* GUIFontManager::GetFontInstance(int id, const GUIWindow& window) {
    GUIFont* font = GetFont(id);
    if (!font) return nullptr;
    const float depth = window.GetDepth();
    for (GUIFont* instance : instances_)
        if (instance->GetSource() == font && IsNearlyEqual(instance->GetDepth() + kTextDepthOffset, depth))
            return instance;
    auto* instance = new GUIFont(*font);
    instance->SetDepth(depth - kTextDepthOffset);
    instances_.push_back(instance);
    return instance;
}

Vector2 GUIFontManager::PlaceText(int alignment, int id, const GUIWindow& window, const Vector2& position, float angle,
                                  const std::wstring& text) const {
    const GUIFont* font = GetFont(id);
    if (!font) return {};
    Vector2 origin = window.GetAbsolutePosition() + window.GetPosition();
    Vector2 box = window.GetSize();
    if (window.IsTextAreaOn()) {
        origin += window.GetTextAreaPosition();
        box = window.GetTextAreaSize();
    }
    if (std::fabs(angle) < kFloatTolerance && alignment == 0) return origin + position;

    Vector2 extent;
    font->MeasureText(extent, text, angle, -1.0f);
    const float c = std::cos(angle);
    const float s = std::sin(angle);

    float x = origin.x + position.x;
    if (alignment & (TextAlignment::kCentreHorizontally | TextAlignment::kLeft | TextAlignment::kRight)) {
        if (alignment & TextAlignment::kCentreHorizontally)
            x = origin.x + (box.x - extent.x) * 0.5f;
        else if (alignment & TextAlignment::kLeft)
            x = origin.x;
        else
            x = origin.x + box.x - extent.x;
        // A text running leftwards starts at the right end of its extent.
        if (c < 0.0f) x += extent.x;
    }
    float y = origin.y + position.y;
    if (alignment & (TextAlignment::kCentreVertically | TextAlignment::kTop | TextAlignment::kBottom)) {
        if (alignment & TextAlignment::kCentreVertically)
            y = origin.y + (box.y - extent.y) * 0.5f;
        else if (alignment & TextAlignment::kTop)
            y = origin.y + box.y - extent.y;
        else
            y = origin.y;
        if (s < 0.0f) y += extent.y;
    }
    return {x, y};
}

void GUIFontManager::DrawText(int alignment, int id, float angle, const GUIWindow& window, const Vector2& position,
                              const Color& colour, const std::wstring& text) {
    if (!window.IsVisible()) return;
    GUIFont* instance = GetFontInstance(id, window);
    if (!instance) return;
    instance->AddText(PlaceText(alignment, id, window, position, angle, text), angle, colour, text);
}

void GUIFontManager::ReleaseUnusedInstances() {
    DeleteInstancesIf([](const GUIFont* instance) { return instance->GetBatchCount() == 0; });
    for (auto& [id, font] : fonts_) font->EndBatch();
    for (GUIFont* instance : instances_) instance->EndBatch();
}

template <typename Predicate>
void GUIFontManager::DeleteInstancesIf(Predicate predicate) {
    std::erase_if(instances_, [&predicate](GUIFont* instance) {
        if (!predicate(instance)) return false;
        delete instance;
        return true;
    });
}

}  // namespace Vantor
