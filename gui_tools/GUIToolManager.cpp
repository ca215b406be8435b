#include "gui_tools/GUIToolManager.h"

#include "engine/kernel/FileError.h"
#include "engine/kernel/FileManager.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/StringHelpers.h"
#include "gui_tools/GUIFontTool.h"
#include "gui_tools/GUITextTool.h"
#include "tools/XMLNode.h"
#include "tools/XMLParser.h"

namespace GUITools {

GUIToolManager::GUIToolManager()
    : fontTool_(new GUIFontTool()), textTool_(new GUITextTool()), templateRoot_(new GameTools::XMLNode("", "")) {
    std::vector<std::wstring> paths;
    Vantor::FileManager::Instance()->ListFiles(kTemplateFolder, L".xml", false, paths);
    for (const std::wstring& path : paths) ReadTemplate(path);
}

GUIToolManager::~GUIToolManager() {
    delete fontTool_;
    delete textTool_;
    delete templateRoot_;
}

void GUIToolManager::ReadTemplate(const std::wstring& path) {
    GameTools::XMLNode* document = nullptr;
    try {
        GameTools::XMLParser().ParseFile(document, path);
    } catch (const Vantor::FileError& error) {
        Vantor::MessageManager::Instance()->PrintError(error.GetText());
        return;
    }
    if (!document) return;
    fileNames_.push_back(Vantor::ToLower(Vantor::FileManager::GetFileName(path)));
    templateRoot_->AddChild(document);
}

}  // namespace GUITools
