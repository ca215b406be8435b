#include "gui_tools/GUITextTool.h"

#include <vector>

#include "engine/kernel/FileError.h"
#include "engine/kernel/MessageManager.h"
#include "platform/Crt.h"
#include "tools/XMLNode.h"
#include "tools/XMLParser.h"

namespace GUITools {

using GameTools::XMLNode;

namespace {

const wchar_t* const kTextTablePath = L"data\\texts\\texts.xml";

}  // namespace

GUITextTool::GUITextTool() {
    XMLNode holder;
    XMLNode* document = holder.AddNewChild();
    try {
        GameTools::XMLParser().Load(document, kTextTablePath);
    } catch (const Vantor::FileError& error) {
        Vantor::MessageManager::Instance()->PrintError(error.GetText());
    }
    for (const XMLNode* child : holder.children) {
        const XMLNode* texts = child->GetChild("texts", XMLNode::kReportSilent);
        if (!texts) {
            Vantor::MessageManager::Instance()->PrintError("Incorrect \"text file\" format");
            continue;
        }
        SelectLocale(*texts);
        LoadTexts(*texts, "");
    }
    missingText_ = L"***";
}

bool GUITextTool::HasText(const std::string& key) const { return texts_.contains(key); }

const std::wstring& GUITextTool::GetText(const std::string& key) const {
    const auto entry = texts_.find(key);
    return entry == texts_.end() ? missingText_ : entry->second;
}

void GUITextTool::SelectLocale(const XMLNode& texts) {
    const GameTools::XMLValue* language = texts.GetAttribute("language", XMLNode::kReportSilent);
    if (!language) {
        Vantor::MessageManager::Instance()->PrintError("(GUITextTool::GUITextTool): Unknown language");
        return;
    }
    // The platform's run time, never the host's: the language's name picks the
    // character rules, and numbers keep their decimal point.
    crt::setlocale(LC_ALL, "english");
    crt::setlocale(LC_CTYPE, language->GetString().c_str());
    crt::setlocale(LC_COLLATE, language->GetString().c_str());
}

void GUITextTool::LoadTexts(const XMLNode& element, const std::string& prefix) {
    // An explicit stack: a deeply nested file must not exhaust the call stack.
    std::vector<std::pair<const XMLNode*, std::string>> pending{{&element, prefix}};
    while (!pending.empty()) {
        auto [node, path] = std::move(pending.back());
        pending.pop_back();
        if (const GameTools::XMLValue* text = node->GetAttribute("text", XMLNode::kReportSilent))
            texts_.emplace(path, text->GetWideString());
        // Pushed last to first, so that the children come off in document order.
        for (auto child = node->children.rbegin(); child != node->children.rend(); ++child)
            pending.emplace_back(*child, path.empty() ? (*child)->name : path + "/" + (*child)->name);
    }
}

}  // namespace GUITools
