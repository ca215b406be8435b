#include "gui_tools/GUITextControl.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/gui/TextAlignment.h"
#include "engine/kernel/MathHelpers.h"
#include "engine/kernel/StringHelpers.h"
#include "engine/kernel/TimerManager.h"
#include "gui_tools/GUIFontTool.h"
#include "gui_tools/StyleBlockReader.h"
#include "gui_tools/TextComposer.h"
#include "engine/render/ShaderUser.h"
#include "tools/DataKeeper.h"

namespace GUITools {

using Vantor::TextAlignment;
using Vantor::Vector2;

namespace {

// Auto font size stops at the first size not above this.
constexpr float kSmallestAutoSize = 8.0f;

bool Contains(const std::string& text, const char* word) { return text.find(word) != std::string::npos; }

// The alignment flags of the lines, and where the first line stands on the y axis.
struct LinePlacement {
    int flags = 0;
    float y = 0.0f;
};

LinePlacement PlaceLines(const GUITextControl& control, std::size_t count, float height) {
    LinePlacement placement;
    if (Contains(control.horizontalAlignment, "left"))
        placement.flags = TextAlignment::kLeft;
    else if (Contains(control.horizontalAlignment, "right"))
        placement.flags = TextAlignment::kRight;
    else
        placement.flags = TextAlignment::kCentreHorizontally;

    const std::string& vertical = control.verticalAlignment;
    if (count < 2) {
        if (Contains(vertical, "top"))
            placement.flags |= TextAlignment::kTop;
        else if (Contains(vertical, "bottom"))
            placement.flags |= TextAlignment::kBottom;
        else
            placement.flags |= TextAlignment::kCentreVertically;
        return placement;
    }
    // Several lines are placed one by one from the first, the highest.
    const float step = control.currentFontSize + control.lineSpace;
    const float below = step * static_cast<float>(count - 1);
    if (Contains(vertical, "top"))
        placement.y = height - control.currentFontSize;
    else if (Contains(vertical, "bottom"))
        placement.y = below;
    else
        placement.y = below + (height - step * static_cast<float>(count)) * 0.5f;
    return placement;
}

}  // namespace

GUITextControl::GUITextControl(GameTools::DataKeeper* keeper, GUIFontTool* fontTool, GUITextTool* textTool,
                               Vantor::GUIWindow* parent, const GUIControlDescription& description)
    : GUIControl(keeper, description),
      fontManager(Vantor::GUIManager::Instance()->GetFontManager()),
      fontTool(fontTool),
      textTool(textTool) {
    Vantor::GUIWindow* window = Vantor::GUIManager::Instance()->CreateWindow(
        0, GetPosition(), GetSize(), FindModel(description.model), FindShader(description.shader), parent);
    AttachElement(window, description, false);
}

GUITextControl::~GUITextControl() { Vantor::GUIManager::Instance()->DestroyWindow(GetWindow()); }

void GUITextControl::SetText(const std::string& newKeys) {
    if (printingMode) printingFinished = printingFinished && newKeys == keys;
    keys = newKeys;
    text = TextComposer::Compose(keys, *textTool);
    needsLayout = true;
}

void GUITextControl::SetLiteralText(const std::wstring& newText) {
    if (printingMode) printingFinished = printingFinished && newText == text;
    text = newText;
    keys = "'" + Vantor::ToNarrow(text) + "'";
    needsLayout = true;
}

void GUITextControl::SetParameter(const std::wstring& name, const std::wstring& value) {
    const auto known = std::find(parameterNames.begin(), parameterNames.end(), name);
    if (known == parameterNames.end()) {
        parameterNames.push_back(name);
        parameterValues.push_back(value);
    } else {
        parameterValues[static_cast<std::size_t>(known - parameterNames.begin())] = value;
    }
    needsLayout = true;
}

void GUITextControl::SetFont(const std::string& name) {
    if (name == fontName) return;
    fontName = name;
    fontId = fontTool->GetFontIndex(name);
    font = fontTool->GetFont(name);
    needsLayout = true;
}

void GUITextControl::Layout() {
    if (!font) return;
    needsLayout = false;
    if (printingMode) {
        oldLines = std::move(lines);
        oldRules = std::move(rules);
    }
    lines.Clear();
    rules.clear();
    if (keys.empty()) return;

    // Parameter values may themselves hold mark-up.
    std::wstring working = text;
    for (std::size_t i = 0; i < parameterNames.size(); ++i)
        Vantor::ReplaceAll(working, L"%" + parameterNames[i] + L"%", parameterValues[i]);
    std::vector<int> ruleNumbers;
    StyleBlockReader::Read(working, ruleNumbers, rules, *fontTool);

    currentFontSize = fontSize > 0.0f ? fontSize : font->GetSize();
    const Vector2& box = GetSize();
    for (;;) {
        TextLineBreaker::Break(working, ruleNumbers, {font, angle, currentFontSize}, box.x, multiline, lineSpace,
                               lines);
        const bool fits = lines.extent.x <= box.x && lines.extent.y <= box.y;
        if (!autoFontSize || lines.lines.empty() || currentFontSize <= kSmallestAutoSize || fits) break;
        const float lower = std::max(0.0f, currentFontSize - 1.0f);
        // A size so large that one less is the same number would never get smaller.
        if (lower == currentFontSize) break;
        currentFontSize = lower;
    }
}

void GUITextControl::Update() {
    GUIControl::Update();
    if (!GetWindow()->IsVisible()) {
        if (printingMode) {
            DropOldText();
            printedCharacters = 0.0f;
            printingFinished = false;
        }
        return;
    }
    if (needsLayout) Layout();
    if (fontName.empty() || keys.empty() || lines.lines.empty()) return;

    // An old text that has just been erased completely leaves nothing to draw.
    const bool showsOld = printingMode && !oldLines.lines.empty();
    if (printingMode) AdvancePrinting(Vantor::TimerManager::Instance()->GetFrameTime());
    if (showsOld)
        DrawLines(oldLines, oldRules);
    else
        DrawLines(lines, rules);
}

void GUITextControl::DrawLines(const TextLines& shown, const Rules& shownRules) {
    const LinePlacement placement = PlaceLines(*this, shown.lines.size(), GetSize().y);
    // The placement measures with the font's own size: for these lines it is the
    // current one.
    const float ownSize = font->GetSize();
    font->SetSize(currentFontSize);
    Vantor::GUIWindow& window = *GetWindow();
    float remaining = printedCharacters;
    Vector2 position(0.0f, placement.y);
    for (std::size_t i = 0; i < shown.lines.size(); ++i) {
        const std::wstring& line = shown.lines[i];
        if (!printingMode) {
            DrawLine(placement.flags, position, i, line, shownRules, shown.styles);
        } else {
            if (remaining < Vantor::kFloatTolerance) break;
            // A line being printed stands where the whole line will stand.
            const Vector2 shift = fontManager->PlaceText(placement.flags, fontId, window, position, angle, line) -
                                  fontManager->PlaceText(0, fontId, window, position, angle, line);
            const float count = std::floor(std::min(static_cast<float>(line.size()) + Vantor::kFloatTolerance, remaining));
            remaining -= count;
            DrawLine(0, position + shift, i, line.substr(0, static_cast<std::size_t>(count)), shownRules,
                     shown.styles);
        }
        position.y -= currentFontSize + lineSpace;
    }
    font->SetSize(ownSize);
}

float GUITextControl::PrintingStep(float frameTime) const {
    constexpr float kAtOnce = std::numeric_limits<float>::infinity();
    // A negative speed or time would never finish.
    if (printingSpeed < 0.0f || maxPrintingTime < 0.0f) return kAtOnce;
    const float total = static_cast<float>(lines.totalCharacters);
    float speed = printingSpeed;
    if (maxPrintingTime < total / printingSpeed) speed = total / maxPrintingTime;
    return std::isfinite(speed) ? speed * frameTime : kAtOnce;
}

void GUITextControl::AdvancePrinting(float frameTime) {
    const float step = PrintingStep(frameTime);
    const auto total = static_cast<float>(lines.totalCharacters);
    if (oldLines.lines.empty() && (IsTargetShown() || IsTransitionPending())) {
        printedCharacters += step;
        // Reaching the last character is the end: a text of n characters at n per
        // second is done after one second.
        printingFinished = printedCharacters >= total;
        if (printingFinished) printedCharacters = total + Vantor::kFloatTolerance;
        return;
    }
    printedCharacters -= step;
    printingFinished = printedCharacters < Vantor::kFloatTolerance;
    if (!printingFinished) return;
    printedCharacters = 0.0f;
    DropOldText();
}

void GUITextControl::DropOldText() {
    oldLines.Clear();
    oldRules.clear();
}

void GUITextControl::DrawLine(int alignment, const Vector2& position, std::size_t lineIndex, const std::wstring& line,
                              const Rules& lineRules, const std::vector<std::vector<int>>& lineStyles) {
    Vantor::GUIWindow& window = *GetWindow();
    Vector2 pen = fontManager->PlaceText(alignment, fontId, window, position, angle, line) -
                  fontManager->PlaceText(0, fontId, window, position, angle, line);
    const std::vector<int>& style = lineStyles[lineIndex];
    const std::size_t end = std::min(line.size(), style.size());
    for (std::size_t runStart = 0; runStart < end;) {
        const int ruleNumber = style[runStart];
        std::size_t runEnd = runStart + 1;
        while (runEnd < end && style[runEnd] == ruleNumber) ++runEnd;
        const std::wstring run = line.substr(runStart, runEnd - runStart);

        Vantor::Color runColour = colour;
        int runFont = fontId;
        float runSize = currentFontSize;
        Vector2 offset;
        GUITextRule* rule = ruleNumber > 0 && static_cast<std::size_t>(ruleNumber) <= lineRules.size()
                                ? lineRules[static_cast<std::size_t>(ruleNumber - 1)].get()
                                : nullptr;
        if (rule) {
            if (rule->hasColour) runColour = rule->colour;
            if (rule->hasFont) runFont = rule->fontId;
            if (rule->hasSize) runSize *= rule->sizeFactor;
            if (rule->hasOffset) offset = rule->offset;
        }
        if (HasFader()) runColour.w *= GetFadeValue();
        const Vector2 at = position + pen + offset;
        if (rule) rule->runStart = rule->runEnd = at;
        window.PrintText(0, runFont, at, runColour, run, angle, runSize);
        // The next run starts where this run's font puts the next character.
        if (runEnd < line.size()) {
            const std::wstring next(1, line[runEnd]);
            pen += Measure(runFont, run + next, runSize) - Measure(runFont, next, runSize);
        }
        if (rule) rule->runEnd += Measure(runFont, run, runSize);
        runStart = runEnd;
    }
}

Vector2 GUITextControl::Measure(int id, const std::wstring& part, float size) const {
    Vector2 extent;
    if (const Vantor::GUIFont* measured = fontManager->GetFont(id)) measured->MeasureText(extent, part, angle, size);
    return extent;
}

}  // namespace GUITools
