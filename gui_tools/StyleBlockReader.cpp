#include "gui_tools/StyleBlockReader.h"

#include "engine/kernel/StringHelpers.h"
#include "gui_tools/GUIFontTool.h"
#include "tools/XMLValue.h"

namespace GUITools {

namespace {

const std::wstring kBlockStart = L"{rule";

}  // namespace

void StyleBlockReader::Read(std::wstring& text, std::vector<int>& ruleNumbers,
                            std::vector<std::unique_ptr<GUITextRule>>& rules, GUIFontTool& fonts) {
    ruleNumbers.assign(text.size(), 0);
    for (std::size_t start = text.find(kBlockStart); start != std::wstring::npos; start = text.find(kBlockStart)) {
        const std::size_t headerEnd = text.find(L'}', start);
        const std::size_t blockEnd = headerEnd == std::wstring::npos ? headerEnd : text.find(L'}', headerEnd + 1);
        if (blockEnd == std::wstring::npos) break;

        rules.push_back(std::make_unique<GUITextRule>(ReadHeader(text.substr(start, headerEnd - start), fonts)));
        // The header and the character after its "}" go, unless that character is the
        // block's own end; the styled text then begins where the header began.
        const std::size_t styledLength = blockEnd > headerEnd + 1 ? blockEnd - headerEnd - 2 : 0;
        const std::size_t removed = headerEnd - start + (blockEnd > headerEnd + 1 ? 2 : 1);
        text.erase(blockEnd, 1);
        ruleNumbers.erase(ruleNumbers.begin() + static_cast<std::ptrdiff_t>(blockEnd));
        text.erase(start, removed);
        ruleNumbers.erase(ruleNumbers.begin() + static_cast<std::ptrdiff_t>(start),
                          ruleNumbers.begin() + static_cast<std::ptrdiff_t>(start + removed));
        const int number = static_cast<int>(rules.size());
        for (std::size_t i = start; i < start + styledLength; ++i) ruleNumbers[i] = number;
    }
}

GUITextRule StyleBlockReader::ReadHeader(const std::wstring& header, GUIFontTool& fonts) {
    GUITextRule rule;
    std::wstring value;
    if ((rule.hasColour = FindValue(header, L"color(", value))) rule.colour = GameTools::XMLValue(value).GetFloat4();
    if ((rule.hasFont = FindValue(header, L"font(", value))) rule.fontId = fonts.GetFontIndex(Vantor::ToNarrow(value));
    if ((rule.hasSize = FindValue(header, L"size(", value))) rule.sizeFactor = GameTools::XMLValue(value).GetFloat();
    if ((rule.hasOffset = FindValue(header, L"offset(", value))) rule.offset = GameTools::XMLValue(value).GetFloat2();
    return rule;
}

bool StyleBlockReader::FindValue(const std::wstring& header, const std::wstring& keyword, std::wstring& value) {
    const std::size_t at = header.find(keyword);
    if (at == std::wstring::npos) return false;
    const std::size_t begin = at + keyword.size();
    const std::size_t end = header.find(L')', begin);
    value = header.substr(begin, end == std::wstring::npos ? std::wstring::npos : end - begin);
    return true;
}

}  // namespace GUITools
