#pragma once
// The font the console prints with, looked up once by its id. Without a font under the
// id the console keeps working blind: texts measure 0 wide, rows take a fallback
// height, and prints with the id draw nothing.

#include <string>

namespace Vantor {

class GUIFont;
class GUIFontManager;

class ConsoleFont {
public:
    // The size rows are spaced by when there is no font.
    static constexpr float kFallbackSize = 16.0f;

    // Logs one error when the id has no font.
    ConsoleFont(const GUIFontManager& fonts, int id);

    // The text's width at the font's own size, without turning.
    float Measure(const std::wstring& text) const;
    // The font's nominal text height.
    float GetSize() const;
    int GetId() const { return id_; }

private:
    int id_;
    const GUIFont* font_;  // not owned; null without a font
};

}  // namespace Vantor
