#pragma once
// Takes the style blocks out of a text. A block "{rule color(r g b a) font(name)
// size(factor) offset(x y)} styled text}" styles the text between the character after
// its header's "}" (normally a blank, removed with the header) and the next "}"; each
// keyword is optional. Blocks cannot nest. A block is read within its own bounds: its
// header ends at the first "}" after its "{rule", and only keywords inside the header
// count. A block without both "}" ends the reading: it and the rest stay plain text.

#include <memory>
#include <string>
#include <vector>

#include "gui_tools/GUITextRule.h"

namespace GUITools {

class GUIFontTool;

class StyleBlockReader {
public:
    // Removes the blocks' mark-up from the text and appends one rule per block; the rule
    // numbers become one per character of the text: the number (from 1, counting the
    // rules already there) of the rule that styles it, or 0.
    static void Read(std::wstring& text, std::vector<int>& ruleNumbers,
                     std::vector<std::unique_ptr<GUITextRule>>& rules, GUIFontTool& fonts);

private:
    // The keywords of a block's header.
    static GUITextRule ReadHeader(const std::wstring& header, GUIFontTool& fonts);
    // The text after the keyword up to its ")" (or the end), or false without the keyword.
    static bool FindValue(const std::wstring& header, const std::wstring& keyword, std::wstring& value);
};

}  // namespace GUITools
