#pragma once
// The "text_label" control: localised, styled text inside the control's rectangle.
//
// Its source is a string of keys (see TextComposer); the game fills in named
// parameters ("%NAME%" in the text), and inline style blocks (see StyleBlockReader)
// change colour, font, size and place of stretches of the text. "|" or a line feed
// breaks a line; a multi-line control wraps at blanks, and auto font size shrinks the
// font until the text fits. Each frame the lines are aligned in the rectangle and
// printed run by run in their block's style, fading with the control; in printing mode
// the text appears one character after another, a previous text first vanishing the
// same way.
//
// The fields are public: the game sets alignments, colour, sizes and flags directly
// and then calls Layout, changes a rule's colour after Layout, and reads the current
// font size and whether printing has finished.

#include <memory>
#include <string>
#include <vector>

#include "engine/kernel/Vector2.h"
#include "engine/kernel/Vector4.h"
#include "gui_tools/GUIControl.h"
#include "gui_tools/GUITextRule.h"
#include "gui_tools/TextLines.h"

namespace Vantor {
class GUIFont;
class GUIFontManager;
}  // namespace Vantor

namespace GUITools {

class GUIFontTool;
class GUITextTool;

class GUITextControl : public GUIControl {
public:
    using Rules = std::vector<std::unique_ptr<GUITextRule>>;

    // Makes the control's GUI element below the parent, with the description's model and
    // material from the data keeper.
    GUITextControl(GameTools::DataKeeper* keeper, GUIFontTool* fontTool, GUITextTool* textTool,
                   Vantor::GUIWindow* parent, const GUIControlDescription& description);
    // Destroys the GUI element.
    ~GUITextControl() override;

    // Lays the text out when needed and prints the frame's lines.
    void Update() override;

    // Composes the text from the keys. In printing mode a different text starts over.
    void SetText(const std::string& newKeys);
    // Shows exactly the text (no keys, tags or conversion).
    void SetLiteralText(const std::wstring& newText);
    // The value replaces "%" + name + "%" at the next layout; a known name gets the new value.
    void SetParameter(const std::wstring& name, const std::wstring& value);
    // Nothing for the current name; the font is loaded on first use.
    void SetFont(const std::string& name);
    // Builds the lines: parameters, style blocks, breaks, wrapping, auto font size.
    // Nothing while the control has no font.
    void Layout();
    // Queues the prints of the line's text (all of the line, or its printed beginning):
    // its runs in their rules' styles, placed by the alignment flags from the position.
    void DrawLine(int alignment, const Vantor::Vector2& position, std::size_t lineIndex, const std::wstring& line,
                  const Rules& lineRules, const std::vector<std::vector<int>>& lineStyles);
    bool IsPrintingFinished() const { return printingFinished; }

    Vantor::GUIFontManager* fontManager;  // the GUI manager's
    GUIFontTool* fontTool;                // not owned
    GUITextTool* textTool;                // not owned
    std::string horizontalAlignment = "left";
    std::string verticalAlignment = "bottom";
    std::string fontName;
    int fontId = 0;
    Vantor::GUIFont* font = nullptr;  // the font manager's
    // What SetText was given, or the quoted literal of SetLiteralText.
    std::string keys;
    // The composed text before parameters and style blocks.
    std::wstring text;
    Vantor::Color colour{1.0f, 1.0f, 1.0f, 1.0f};
    // Radians, for every measure and print.
    float angle = 0.0f;
    // Not above 0: the font's own size.
    float fontSize = -1.0f;
    bool multiline = false;
    float lineSpace = 0.0f;
    bool printingMode = false;
    // Characters per second.
    float printingSpeed = 1.0f;
    // Seconds no text prints longer than.
    float maxPrintingTime = 100000.0f;
    bool autoFontSize = false;
    // The result of Layout, and its style blocks numbered from 1.
    TextLines lines;
    Rules rules;
    float printedCharacters = 0.0f;
    bool printingFinished = true;
    // In printing mode, the previous layout while it vanishes.
    TextLines oldLines;
    Rules oldRules;
    std::vector<std::wstring> parameterNames;
    std::vector<std::wstring> parameterValues;
    // The size after Layout (auto font size may have lowered it).
    float currentFontSize = -1.0f;
    bool needsLayout = false;

private:
    // The typewriter's step for this frame, or infinity for a text that prints at once.
    float PrintingStep(float frameTime) const;
    void AdvancePrinting(float frameTime);
    void DropOldText();
    // The lines, printed up to the printed characters in printing mode.
    void DrawLines(const TextLines& shown, const Rules& shownRules);
    // The extent of the text in the font at the size, at the control's angle.
    Vantor::Vector2 Measure(int id, const std::wstring& part, float size) const;
};

}  // namespace GUITools
