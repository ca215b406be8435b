#include "tests/content/lint/LintSupport.h"

#include <algorithm>

#include "engine/kernel/FileManager.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/StringHelpers.h"
#include "engine/render/ShaderDescriptor.h"

namespace contentlint {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::string Extension(const std::string& file) {
    const std::size_t dot = file.rfind('.');
    return dot == std::string::npos ? "" : Lower(file.substr(dot + 1));
}

std::string WithoutExtension(const std::string& file) {
    const std::size_t dot = file.rfind('.');
    return dot == std::string::npos ? file : file.substr(0, dot);
}

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

namespace {

// A logged text without the line breaks the log puts around it.
std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \n\r\t");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \n\r\t") - first + 1);
}

}  // namespace

std::vector<std::string> TakeLoggedProblems() {
    Vantor::MessageManager& log = *Vantor::MessageManager::Instance();
    std::vector<std::string> problems;
    for (const Vantor::LogMessage* message : log.GetMessages())
        if (message->kind == Vantor::MessageKind::Error || message->kind == Vantor::MessageKind::Warning ||
            message->kind == Vantor::MessageKind::FatalError)
            problems.push_back(Trimmed(message->text));
    log.ClearMessages();
    return problems;
}

std::vector<StageTexture> StageTextures(const Vantor::ShaderDescriptor& material) {
    const Vantor::FileManager& files = *Vantor::FileManager::Instance();
    std::vector<StageTexture> textures;
    for (unsigned stage = 0; stage < material.GetStageCount(); ++stage) {
        std::vector<std::wstring> paths;
        material.GetStageTextureFiles(stage, paths);
        for (const std::wstring& path : paths)
            if (!path.empty())
                textures.push_back({stage, Lower(Vantor::ToNarrow(files.StripDataFolder(path))), files.Exists(path)});
    }
    return textures;
}

}  // namespace contentlint
