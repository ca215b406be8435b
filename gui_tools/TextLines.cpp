#include "gui_tools/TextLines.h"

#include <algorithm>

#include "engine/gui/GUIFont.h"
#include "platform/Crt.h"

namespace GUITools {

namespace {

bool IsWhiteSpace(wchar_t c) { return crt::iswspace(static_cast<wint_t>(c)) != 0; }

}  // namespace

void TextLines::Clear() {
    lines.clear();
    styles.clear();
    totalCharacters = 0;
    extent = Vantor::Vector2();
}

void TextLineBreaker::Break(const std::wstring& text, const std::vector<int>& ruleNumbers, const Measure& measure,
                            float width, bool wrap, float lineSpace, TextLines& out) {
    out.Clear();
    std::wstring line;
    std::vector<int> style;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c == L'\r') continue;
        if (c == L'\n' || c == L'|') {
            out.lines.push_back(std::move(line));
            out.styles.push_back(std::move(style));
            line.clear();
            style.clear();
            continue;
        }
        line.push_back(c);
        style.push_back(i < ruleNumbers.size() ? ruleNumbers[i] : 0);
        if (!wrap || line.size() < 2) continue;
        const std::size_t blank = line.rfind(L' ');
        if (blank == std::wstring::npos || width >= Width(measure, line)) continue;
        // The rest goes on from the blank: a word wider than the width keeps a line of
        // its own.
        AddTrimmed(line, style, blank, out);
        line.erase(0, blank);
        style.erase(style.begin(), style.begin() + static_cast<std::ptrdiff_t>(blank));
    }
    AddTrimmed(line, style, line.size(), out);

    float widest = 0.0f;
    for (const std::wstring& each : out.lines) {
        out.totalCharacters += static_cast<unsigned int>(each.size());
        widest = std::max(widest, Width(measure, each));
    }
    const auto count = static_cast<float>(out.lines.size());
    out.extent = Vantor::Vector2(widest, count * measure.size + (count - 1.0f) * lineSpace);
}

float TextLineBreaker::Width(const Measure& measure, const std::wstring& line) {
    Vantor::Vector2 extent;
    return measure.font->MeasureText(extent, line, measure.angle, measure.size).x;
}

void TextLineBreaker::AddTrimmed(const std::wstring& line, const std::vector<int>& style, std::size_t end,
                                 TextLines& out) {
    std::size_t begin = 0;
    while (begin < end && IsWhiteSpace(line[begin])) ++begin;
    while (end > begin && IsWhiteSpace(line[end - 1])) --end;
    if (begin == end) return;
    out.lines.push_back(line.substr(begin, end - begin));
    out.styles.emplace_back(style.begin() + static_cast<std::ptrdiff_t>(begin),
                            style.begin() + static_cast<std::ptrdiff_t>(end));
}

}  // namespace GUITools
