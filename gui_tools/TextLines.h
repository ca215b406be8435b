#pragma once
// A text broken into lines, each with the rule number of every character.

#include <string>
#include <vector>

#include "engine/kernel/Vector2.h"

namespace Vantor {
class GUIFont;
}

namespace GUITools {

struct TextLines {
    std::vector<std::wstring> lines;
    // One per line, one rule number per character of the line (0: plain).
    std::vector<std::vector<int>> styles;
    unsigned int totalCharacters = 0;
    // The widest line, and the lines' height with the line space between them.
    Vantor::Vector2 extent;

    void Clear();
};

// Breaks a text into lines at "|" and line feeds (carriage returns are dropped), and
// when wrapping also at the last blank before the line grows wider than the width. A
// wrapped or last line loses its leading and trailing white space, and is left out
// when nothing remains; a line closed by a break is kept as it is.
class TextLineBreaker {
public:
    struct Measure {
        const Vantor::GUIFont* font;
        float angle;
        float size;
    };

    static void Break(const std::wstring& text, const std::vector<int>& ruleNumbers, const Measure& measure,
                      float width, bool wrap, float lineSpace, TextLines& out);

private:
    static float Width(const Measure& measure, const std::wstring& line);
    // Appends the line's first characters up to the end, without their white space,
    // unless nothing remains.
    static void AddTrimmed(const std::wstring& line, const std::vector<int>& style, std::size_t end,
                           TextLines& out);
};

}  // namespace GUITools
