#include "engine/kernel/ConsoleFont.h"

#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/Vector2.h"

namespace Vantor {

ConsoleFont::ConsoleFont(const GUIFontManager& fonts, int id) : id_(id), font_(fonts.GetFont(id)) {
    if (!font_)
        MessageManager::Instance()->PrintError("The console has no font under the id " + std::to_string(id) +
                                               ", its texts are not drawn");
}

float ConsoleFont::Measure(const std::wstring& text) const {
    if (!font_) return 0.0f;
    Vector2 extent;
    return font_->MeasureText(extent, text, 0.0f, font_->GetSize()).x;
}

float ConsoleFont::GetSize() const { return font_ ? font_->GetSize() : kFallbackSize; }

}  // namespace Vantor
