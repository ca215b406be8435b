#pragma once
// Composes the text of a text control from its keys: pieces joined with "+" (a "+"
// always separates, also between quotes), each a key of the text table or a literal
// between quotes (single or double, the two need not match), optionally wrapped in a
// case tag: "[u]" upper case, "[l]" lower case, "[fu]" a capital first character,
// "[wu]" a capital at the start of every word. Any bracketed text is removed from its
// piece. Literals are converted and cases mapped under the text table's locale.

#include <string>

namespace GUITools {

class GUITextTool;

class TextComposer {
public:
    static std::wstring Compose(const std::string& keys, const GUITextTool& texts);

private:
    // The piece's text after its case tag.
    static std::wstring ComposePiece(std::string piece, const GUITextTool& texts);
    // Removes the piece's case tag (its last bracketed text) and returns it lower-cased.
    static std::string TakeCaseTag(std::string& piece);
    static void ApplyCaseTag(const std::string& tag, std::wstring& text);
};

}  // namespace GUITools
