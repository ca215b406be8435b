#pragma once
// The text table: every text the player reads, by key, read once from
// "data\texts\texts.xml". A key is the path of element names below the "texts" element
// joined with "/"; the text is the element's "text" attribute, kept exactly as read.
// Reading the table also selects the run time's character locale for its language, by
// which quoted literals are converted and texts change case.

#include <map>
#include <string>

namespace GameTools {
class XMLNode;
}

namespace GUITools {

class GUITextTool {
public:
    // Reads the table; a missing or broken file is logged and leaves it empty.
    GUITextTool();
    virtual ~GUITextTool() = default;
    GUITextTool(const GUITextTool&) = delete;
    GUITextTool& operator=(const GUITextTool&) = delete;

    bool HasText(const std::string& key) const;
    // The stored text, or "***" for a key that is absent (silently). The reference
    // stays valid for the tool's life.
    const std::wstring& GetText(const std::string& key) const;

private:
    // The "language" attribute's locale, or an error line without one.
    static void SelectLocale(const GameTools::XMLNode& texts);
    // The element's own text under the prefix, then its children's, depth first; the
    // first text of a key stays.
    void LoadTexts(const GameTools::XMLNode& element, const std::string& prefix);

    std::map<std::string, std::wstring> texts_;
    std::wstring missingText_;
};

}  // namespace GUITools
