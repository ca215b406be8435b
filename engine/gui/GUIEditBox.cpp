#include "engine/gui/GUIEditBox.h"

#include <algorithm>
#include <cmath>

#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUISoundManager.h"
#include "engine/input/Controls.h"
#include "engine/kernel/Timer.h"
#include "engine/kernel/TimerManager.h"

namespace Vantor {

namespace {

// Codes of the keys the edit box acts on, as the window reports them.
enum KeyCode : std::uint16_t {
    kBackspace = 8,
    kTab = 9,
    kEnter = 13,
    kEscape = 27,
    kSpace = 32,
    kPageUp = 33,
    kPageDown = 34,
    kEnd = 35,
    kHome = 36,
    kLeft = 37,
    kUp = 38,
    kRight = 39,
    kDown = 40,
    kInsert = 45,
    kDelete = 46,
};

}  // namespace

GUIEditBox::GUIEditBox(GUIFontManager* fontManager, GUISoundManager* soundManager, Camera* camera,
                       std::uint32_t flags, const Vector2& position, const Vector2& size, const Model* modelResource,
                       const ShaderDescriptor* shader, int fontId, const Color& textColour, const Vector2& textOffset,
                       int maximumCharacterCount, float maximumTextWidth, float visibleWidth,
                       std::uint16_t cursorCharacter, GUIWindow* parent)
    : GUIWindow(fontManager, camera, flags, position, size, modelResource, shader, parent),
      soundManager_(soundManager),
      fontId_(fontId),
      textColour_(textColour),
      textOffset_(textOffset),
      caretText_(1, static_cast<wchar_t>(cursorCharacter)),
      maximumCharacterCount_(1),
      maximumTextWidth_(maximumTextWidth),
      visibleWidth_(visibleWidth) {
    SetMaximumCharacterCount(maximumCharacterCount);
}

// Looked up on use, so a font reloaded under the id is the one drawn.
GUIFont* GUIEditBox::Font() const { return fontId_ == -1 ? nullptr : GetFontManager()->GetFont(fontId_); }

void GUIEditBox::SetFont(int fontId) { fontId_ = fontId; }

void GUIEditBox::SetMaximumCharacterCount(int count) { maximumCharacterCount_ = std::max(count, 1); }

float GUIEditBox::Width(const std::wstring& text) const {
    const GUIFont* font = Font();
    if (!font) return 0.0f;
    Vector2 extent;
    return font->MeasureText(extent, text, 0.0f, font->GetSize()).x;
}

int GUIEditBox::LastCaret() const { return std::min(Length(), maximumCharacterCount_ - 1); }

void GUIEditBox::SetText(const std::wstring& text) {
    text_ = text;
    caret_ = LastCaret();
    firstVisible_ = 0;
    UpdateFirstVisible();
}

bool GUIEditBox::CanAppend(std::uint16_t c) const {
    const std::wstring longer = text_ + static_cast<wchar_t>(c);
    return static_cast<int>(longer.size()) <= maximumCharacterCount_ && Width(longer) <= maximumTextWidth_;
}

void GUIEditBox::UpdateFirstVisible() {
    if (!Font()) return;
    while (firstVisible_ < caret_ &&
           Width(text_.substr(firstVisible_, caret_ - firstVisible_) + caretText_) > visibleWidth_)
        ++firstVisible_;
}

bool GUIEditBox::HandleInput(const Vector2& cursor, bool held, bool pressed) {
    if (!GUIWindow::HandleInput(cursor, held, pressed) || !Font()) return false;
    Color colour = textColour_;
    colour.w *= GetAlpha();
    bool changed = false;
    std::uint16_t code = 0;
    const Controls* controls = Controls::Instance();
    if (inputOn && controls && controls->GetTypedChar(code)) changed = ActOn(code);

    const std::wstring visible = VisibleText();
    PrintText(0, fontId_, textOffset_, colour, visible, 0.0f, -1.0f);
    if (inputOn && CaretShown()) {
        const float x = Width(visible.substr(0, static_cast<std::size_t>(caret_ - firstVisible_)));
        PrintText(0, fontId_, textOffset_ + Vector2(x, 0.0f), colour, caretText_, 0.0f, -1.0f);
    }
    if (changed && soundManager_) soundManager_->PlaySound(printSound);
    return true;
}

std::wstring GUIEditBox::VisibleText() const {
    const std::wstring rest = text_.substr(static_cast<std::size_t>(firstVisible_));
    if (Width(rest) <= visibleWidth_) return rest;
    std::size_t fitting = 0;
    while (fitting < rest.size() && Width(rest.substr(0, fitting + 1)) <= visibleWidth_) ++fitting;
    return rest.substr(0, fitting);
}

bool GUIEditBox::CaretShown() const {
    const double periods = std::floor(TimerManager::Instance()->GetFrameTimer()->GetTime() / kBlinkPeriod);
    return std::fmod(periods, 2.0) == 0.0;
}

bool GUIEditBox::ActOn(std::uint16_t code) {
    switch (code) {
    case kInsert:
        overwrite_ = !overwrite_;
        return false;
    case kDelete:
        if (caret_ >= Length()) return false;
        text_.erase(static_cast<std::size_t>(caret_), 1);
        return true;
    case kBackspace:
        return Backspace();
    case kLeft:
        if (caret_ > 0) {
            --caret_;
            FollowCaretLeft();
        }
        return false;
    case kRight:
        if (caret_ < Length()) AdvanceCaret();
        return false;
    case kHome:
        caret_ = 0;
        firstVisible_ = 0;
        return false;
    case kEnd:
        caret_ = LastCaret();
        UpdateFirstVisible();
        return false;
    case kEnter:
    case kEscape:
    case kPageUp:
    case kPageDown:
    case kTab:
    case kUp:
    case kDown:
        return false;
    default:
        return Enter(static_cast<wchar_t>(code));
    }
}

bool GUIEditBox::Backspace() {
    if (caret_ == 0) return false;
    // A full text keeps the caret on its last character, so there Backspace takes
    // that character; anywhere else it takes the one before the caret.
    if (caret_ + 1 == Length() && Length() == maximumCharacterCount_) {
        text_.erase(static_cast<std::size_t>(caret_), 1);
        return true;
    }
    text_.erase(static_cast<std::size_t>(caret_ - 1), 1);
    --caret_;
    FollowCaretLeft();
    return true;
}

void GUIEditBox::FollowCaretLeft() {
    // Beyond equal only in a view too narrow for one character, where the view stands
    // on the caret.
    if (caret_ > firstVisible_) return;
    firstVisible_ -= std::min(firstVisible_, kViewJump);
    UpdateFirstVisible();
}

bool GUIEditBox::Enter(wchar_t c) {
    const GUIFont* font = Font();
    if (c != kSpace && !font->HasCharacter(static_cast<std::uint32_t>(c))) return false;
    const bool atEnd = caret_ == Length();
    if (overwrite_) {
        if (!atEnd)
            text_[static_cast<std::size_t>(caret_)] = c;  // a replacement keeps the length
        else if (CanAppend(c))
            text_ += c;
        else
            return false;
    } else {
        if (!CanAppend(c)) return false;
        text_.insert(static_cast<std::size_t>(caret_), 1, c);
    }
    if (caret_ < Length()) AdvanceCaret();
    return true;
}

void GUIEditBox::AdvanceCaret() {
    const int oldCaret = caret_;
    const int oldFirst = firstVisible_;
    // Where the view would stand with the caret at the end.
    caret_ = LastCaret();
    firstVisible_ = 0;
    UpdateFirstVisible();
    const int endFirst = firstVisible_;
    caret_ = std::min(oldCaret + 1, maximumCharacterCount_ - 1);
    const std::wstring upToCaret = text_.substr(static_cast<std::size_t>(oldFirst),
                                                static_cast<std::size_t>(caret_ - oldFirst + 1));
    if (Width(upToCaret + caretText_) > visibleWidth_)
        // Never past the caret, which would put it left of the view.
        firstVisible_ = std::min({endFirst, oldFirst + kViewJump, caret_});
    else
        firstVisible_ = oldFirst;
}

}  // namespace Vantor
