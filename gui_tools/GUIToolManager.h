#pragma once
// What every window built from a template needs, made once at start-up and kept for the
// whole run: the font tool, the text table and the template root, a holder whose
// children are the top elements of every ".xml" file of "data\ui\windows" (not of its
// sub-folders) in sorted file order. A file that cannot be read is logged and skipped;
// building a window later only walks the tree.

#include <string>
#include <vector>

namespace GameTools {
class XMLNode;
}

namespace GUITools {

class GUIFontTool;
class GUITextTool;

class GUIToolManager {
public:
    // Where the window templates are read from.
    static constexpr const wchar_t* kTemplateFolder = L"data\\ui\\windows";

    // Needs the engine's file manager, log and GUI manager.
    GUIToolManager();
    // The font tool, then the text tool, then the template root with every document.
    virtual ~GUIToolManager();
    GUIToolManager(const GUIToolManager&) = delete;
    GUIToolManager& operator=(const GUIToolManager&) = delete;

    GUIFontTool* GetFontTool() const { return fontTool_; }
    GUITextTool* GetTextTool() const { return textTool_; }
    GameTools::XMLNode* GetTemplateRoot() const { return templateRoot_; }
    // Each read file's name, lower-cased, in the order of the root's children.
    const std::vector<std::wstring>& GetFileNames() const { return fileNames_; }

private:
    void ReadTemplate(const std::wstring& path);

    GUIFontTool* fontTool_ = nullptr;  // owned
    GUITextTool* textTool_ = nullptr;  // owned
    std::vector<std::wstring> fileNames_;
    // Owns the documents, its children.
    GameTools::XMLNode* templateRoot_ = nullptr;
};

}  // namespace GUITools
