#include "gui_tools/TextComposer.h"

#include "engine/kernel/StringHelpers.h"
#include "gui_tools/GUITextTool.h"
#include "platform/Crt.h"

namespace GUITools {

namespace {

bool IsQuote(char c) { return c == '"' || c == '\''; }

wchar_t Upper(wchar_t c) { return static_cast<wchar_t>(crt::towupper(static_cast<wint_t>(c))); }

}  // namespace

std::wstring TextComposer::Compose(const std::string& keys, const GUITextTool& texts) {
    std::wstring text;
    std::string piece;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (keys[i] != '+') piece.push_back(keys[i]);
        if (keys[i] != '+' && i + 1 < keys.size()) continue;
        if (!piece.empty()) text += ComposePiece(piece, texts);
        piece.clear();
    }
    return text;
}

std::wstring TextComposer::ComposePiece(std::string piece, const GUITextTool& texts) {
    const std::string tag = TakeCaseTag(piece);
    // A lone quote is both the first and the last character: an empty literal.
    std::wstring text;
    if (!piece.empty() && IsQuote(piece.front()) && IsQuote(piece.back()))
        text = Vantor::ToWide(piece.size() > 1 ? piece.substr(1, piece.size() - 2) : std::string());
    else
        text = texts.GetText(piece);
    ApplyCaseTag(tag, text);
    return text;
}

std::string TextComposer::TakeCaseTag(std::string& piece) {
    const std::size_t open = piece.rfind('[');
    const std::size_t close = piece.rfind(']');
    if (open == std::string::npos || close == std::string::npos || open > close) return {};
    const std::string tag = piece.substr(open, close - open + 1);
    Vantor::RemoveAll(piece, tag);
    return Vantor::ToLower(tag);
}

void TextComposer::ApplyCaseTag(const std::string& tag, std::wstring& text) {
    if (text.empty()) return;
    if (tag == "[u]") {
        Vantor::MakeUpper(text);
    } else if (tag == "[l]") {
        Vantor::MakeLower(text);
    } else if (tag == "[fu]") {
        text.front() = Upper(text.front());
    } else if (tag == "[wu]") {
        Vantor::MakeLower(text);
        for (std::size_t i = 0; i < text.size(); ++i)
            if (i == 0 || text[i - 1] == L' ') text[i] = Upper(text[i]);
    }
}

}  // namespace GUITools
