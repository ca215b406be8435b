#pragma once
// A one-line text entry over a GUI window. Every visible edit box with input on takes
// the code the window received this frame (virtual-key codes and typed characters come
// in one stream, so a typed '.' is taken as Delete and '-' as Insert), keeps a caret,
// limits typing by a character count and a drawn width, scrolls the visible part
// sideways in jumps of five characters to keep the caret in view, prints the visible
// text and a caret blinking every 0.4 s on the engine clock, and plays its print sound
// for each change.

#include <cstdint>
#include <string>

#include "engine/gui/GUIWindow.h"

namespace Vantor {

class GUIFont;
class GUISoundManager;

class GUIEditBox : public GUIWindow {
public:
    // Seconds the caret is shown, then hidden.
    static constexpr float kBlinkPeriod = 0.4f;
    // How far the view jumps when the caret reaches one of its ends.
    static constexpr int kViewJump = 5;

    // Font id -1: no font (the box stays blank and ignores typing). The text offset is
    // where the text starts, relative to the window's origin. A maximum count below 1
    // counts as 1.
    GUIEditBox(GUIFontManager* fontManager, GUISoundManager* soundManager, Camera* camera, std::uint32_t flags,
               const Vector2& position, const Vector2& size, const Model* modelResource,
               const ShaderDescriptor* shader, int fontId, const Color& textColour, const Vector2& textOffset,
               int maximumCharacterCount, float maximumTextWidth, float visibleWidth, std::uint16_t cursorCharacter,
               GUIWindow* parent);

    // Edits by the frame's typed code and prints the text and caret. False when not
    // visible or without a font.
    bool HandleInput(const Vector2& cursor, bool held, bool pressed) override;

    // Keeps the text whole even beyond the limits; the caret goes to its end (at most
    // on the last allowed character) and the view is fitted from the start.
    void SetText(const std::wstring& text);
    const std::wstring& GetText() const { return text_; }
    void SetFont(int fontId);
    void SetTextOffset(const Vector2& offset) { textOffset_ = offset; }
    void SetTextColour(const Color& colour) { textColour_ = colour; }
    void SetCursorCharacter(std::uint16_t cursorCharacter) { caretText_.assign(1, static_cast<wchar_t>(cursorCharacter)); }
    // Below one counts as one, else the caret's last place would lie before the text.
    void SetMaximumCharacterCount(int count);
    void SetMaximumTextWidth(float width) { maximumTextWidth_ = width; }
    void SetVisibleWidth(float width) { visibleWidth_ = width; }
    // Whether the text with c appended keeps within the count and the width.
    bool CanAppend(std::uint16_t c) const;
    // Moves the view right until the text from it to the caret, with the caret, fits
    // (or the view reaches the caret).
    void UpdateFirstVisible();

    int GetCaret() const { return caret_; }
    int GetFirstVisible() const { return firstVisible_; }
    bool IsOverwrite() const { return overwrite_; }

    // Off: typed codes are ignored and no caret is drawn.
    bool inputOn = true;
    std::string printSound = "gui_default_edit_box_print";

private:
    // Acts on one typed code; true when the text changed.
    bool ActOn(std::uint16_t code);
    bool Enter(wchar_t c);
    bool Backspace();
    // The caret one to the right, and the view after it.
    void AdvanceCaret();
    // The view jumps left when the caret has reached it.
    void FollowCaretLeft();
    int Length() const { return static_cast<int>(text_.size()); }
    // Where End and SetText put the caret.
    int LastCaret() const;
    GUIFont* Font() const;
    float Width(const std::wstring& text) const;
    std::wstring VisibleText() const;
    bool CaretShown() const;

    GUISoundManager* soundManager_;  // not owned
    int fontId_;
    Color textColour_;
    Vector2 textOffset_;
    std::wstring caretText_;
    int maximumCharacterCount_;
    float maximumTextWidth_;
    float visibleWidth_;
    bool overwrite_ = false;
    int caret_ = 0;
    int firstVisible_ = 0;
    std::wstring text_;
};

}  // namespace Vantor
