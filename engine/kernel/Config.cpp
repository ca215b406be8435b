#include "engine/kernel/Config.h"

#include <memory>

#include "engine/kernel/ContainerHelpers.h"
#include "engine/kernel/FileError.h"
#include "engine/kernel/FileManager.h"
#include "engine/kernel/FileTextual.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/StringHelpers.h"
#include "platform/Crt.h"

namespace Vantor {

namespace {

constexpr const char* kDefaultMode = "800x600x32";

bool IsBlank(char c) { return crt::isspace(static_cast<unsigned char>(c)) != 0; }

}  // namespace

Config::Config(const std::wstring& configFolder, const std::wstring& configName, bool forceDefaultMode,
               const std::string& modeText, bool forceDefaultFullscreen, bool fullscreenDefault)
    : forceDefaultMode_(forceDefaultMode), forceDefaultFullscreen_(forceDefaultFullscreen) {
    const std::wstring fileName = (configName.empty() ? std::wstring(L"Vantor") : configName) + L".ini";
    filePath_ = configFolder.empty() ? fileName : configFolder + L"\\" + fileName;

    std::string modeDefault = modeText;
    if (modeDefault.empty()) {
        modeDefault = kDefaultMode;
        forceDefaultMode_ = false;
    }

    using Type = ConfigVariableType;
    RegisterVariable("reset_config", Type::Command, false, false, nullptr, "", false);
    RegisterVariable("v_mode", Type::String, false, true, &values.mode, modeDefault, false);
    RegisterVariable("v_fullscreen", Type::Bool, false, true, &values.fullscreen, fullscreenDefault ? "1" : "0", false);
    RegisterVariable("v_vsync", Type::Bool, false, true, &values.vsync, "1", false);
    RegisterVariable("v_brightness", Type::Float, false, true, &values.brightness, "1.0", false);
    RegisterVariable("v_contrast", Type::Float, false, true, &values.contrast, "1.0", false);
    RegisterVariable("v_gamma", Type::Float, false, true, &values.gamma, "1.0", false);
    RegisterVariable("v_window_change_mode", Type::Command, false, false, nullptr, "", false);
    RegisterVariable("r_use_mip_mapping", Type::Bool, false, true, &values.useMipMapping, "1", false);
    RegisterVariable("r_show_octree_nodes", Type::Bool, false, true, &values.showOctreeNodes, "0", false);
    RegisterVariable("r_show_faces_edges", Type::Bool, false, true, &values.showFacesEdges, "0", false);
    RegisterVariable("r_show_faces_normals", Type::Bool, false, true, &values.showFacesNormals, "0", false);
    RegisterVariable("r_show_mip_maps", Type::Bool, false, true, &values.showMipMaps, "0", false);
    RegisterVariable("r_texture_anisotropy", Type::Int, false, true, &values.textureAnisotropy, "1", false);
    RegisterVariable("c_invert_mouse", Type::Bool, false, true, &values.invertMouse, "0", false);
    RegisterVariable("sc_take_screenshot", Type::Command, false, false, nullptr, "", false);
    RegisterVariable("sc_take_screenshot_tga", Type::Command, false, false, nullptr, "", false);
    RegisterVariable("sc_take_screenshot_jpg", Type::Command, false, false, nullptr, "", false);
    RegisterVariable("sc_take_screenshot_format", Type::Int, false, true, &values.screenshotFormat, "0", false);
    RegisterVariable("sc_start_movie_record", Type::Command, false, false, nullptr, "", false);
    RegisterVariable("sc_stop_movie_record", Type::Command, false, false, nullptr, "", false);
    RegisterVariable("exit", Type::Command, false, false, nullptr, "", false);
}

Config::~Config() {
    DeleteAllMapValues(variables_);
    pendingLines_.clear();
}

ConfigVariable* Config::Find(const std::string& name) const {
    const auto found = variables_.find(ToLower(name));
    return found == variables_.end() ? nullptr : found->second;
}

ConfigVariable* Config::FindAttached(const std::string& name) const {
    ConfigVariable* variable = Find(name);
    return variable != nullptr && !variable->unregistered ? variable : nullptr;
}

void Config::RegisterVariable(const std::string& name, ConfigVariableType type, bool readOnly, bool saved,
                              void* storage, const std::string& defaultText, bool trackChanges) {
    const std::string key = ToLower(name);
    if (ConfigVariable* existing = Find(key)) {
        if (!existing->unregistered) return;
        // The record keeps its first type: storage of another kind would be written
        // as the wrong type.
        if (existing->type != type) {
            MessageManager::Instance()->PrintError("Configuration variable \"" + key +
                                                   "\" registered again with another type");
            return;
        }
        existing->storage = type == ConfigVariableType::Command ? nullptr : storage;
        existing->unregistered = false;
        existing->modified = existing->trackChanges;
        existing->SetValueText(existing->keptText);
        return;
    }

    auto* variable = new ConfigVariable;
    variable->type = type;
    variable->readOnly = readOnly;
    variable->saved = saved;
    variable->storage = type == ConfigVariableType::Command ? nullptr : storage;
    variable->defaultText = defaultText;
    variable->trackChanges = trackChanges;
    variable->modified = trackChanges;
    variables_[key] = variable;
    ResetVariable(key);

    const auto pending = pendingLines_.find(key);
    if (pending != pendingLines_.end()) {
        const std::string line = pending->second;
        pendingLines_.erase(pending);
        ExecuteLine(line);
    }
}

void Config::UnregisterVariable(const std::string& name) {
    ConfigVariable* variable = FindAttached(name);
    if (variable == nullptr) return;
    variable->keptText = variable->GetValueText();
    variable->unregistered = true;
    variable->storage = nullptr;
}

ConfigResult Config::ExecuteLine(const std::string& line, std::string* outName) {
    if (outName != nullptr) outName->clear();

    std::string text = line;
    Trim(text);
    TrimLeft(text, '\\');
    RemoveAll(text, "  ");

    // The name runs from the first character that is neither blank nor backslash
    // to the next one that is.
    std::string name;
    size_t end = 0;
    for (; end < text.size(); ++end) {
        const char c = text[end];
        if (IsBlank(c) || c == '\\') {
            if (!name.empty()) break;
        } else {
            name += c;
        }
    }
    if (name.empty()) return ConfigResult::Empty;
    MakeLower(name);
    if (outName != nullptr) *outName = name;

    ConfigVariable* variable = FindAttached(name);
    if (variable == nullptr) return ConfigResult::Unknown;
    if (variable->type == ConfigVariableType::Command) {
        variable->commandIdle = false;
        return ConfigResult::Done;
    }

    // Two backslashes start a note that is not part of the value.
    std::string value = text.substr(end);
    const size_t note = value.find("\\\\");
    if (note != std::string::npos) value.erase(note);
    Trim(value);

    if (value.empty()) return ConfigResult::NoValue;
    if (variable->readOnly) return ConfigResult::ReadOnly;
    variable->SetValueText(value);
    return ConfigResult::Done;
}

std::string Config::GetValueText(const std::string& name) const {
    const ConfigVariable* variable = Find(name);
    return variable == nullptr ? std::string() : variable->GetValueText();
}

std::string Config::GetDefaultText(const std::string& name) const {
    const ConfigVariable* variable = Find(name);
    return variable == nullptr ? std::string() : variable->defaultText;
}

void Config::SetValueText(const std::string& name, const std::string& text) {
    if (ConfigVariable* variable = FindAttached(name)) variable->SetValueText(text);
}

void Config::ResetVariable(const std::string& name) {
    ConfigVariable* variable = FindAttached(name);
    if (variable == nullptr) return;
    variable->SetValueText(variable->defaultText);
    variable->commandIdle = variable->type == ConfigVariableType::Command;
}

void Config::ResetAll() {
    for (const auto& [name, variable] : variables_)
        if (!variable->readOnly) ResetVariable(name);
}

void Config::SetCommandState(const std::string& name, int state) {
    // Taken exactly as passed: every caller already writes the lower-case name.
    const auto found = variables_.find(name);
    if (found != variables_.end() && !found->second->unregistered) found->second->commandIdle = state != 0;
}

uint8_t Config::GetCommandState(const std::string& name) const {
    const ConfigVariable* variable = FindAttached(name);
    if (variable == nullptr || variable->type != ConfigVariableType::Command) return 0;
    return variable->commandIdle ? 1 : 0;
}

bool Config::IsModified(const std::string& name) const {
    const ConfigVariable* variable = Find(name);
    return variable != nullptr && variable->modified;
}

void Config::BeginFrame() {
    if (GetCommandState("reset_config") == 0) {
        SetCommandState("reset_config", 1);
        ResetAll();
    }
    for (const auto& [name, variable] : variables_)
        if (variable->trackChanges && variable->TakeChange()) variable->modified = true;
}

void Config::EndFrame() {
    for (const auto& [name, variable] : variables_) variable->modified = false;
}

void Config::GetVariableNames(std::vector<std::string>& names) const {
    names.clear();
    names.reserve(variables_.size());
    for (const auto& [name, variable] : variables_)
        if (!variable->unregistered) names.push_back(name);
}

void Config::Load() {
    ResetAll();
    pendingLines_.clear();

    try {
        const std::unique_ptr<FileTextual> file(
            FileManager::Instance()->OpenTextFile(filePath_, FileTextual::kRead, TextEncoding::EightBit, 0));
        std::string line;
        std::string name;
        while (file->ReadLine(line, true, false)) {
            // The first line for a name that is not registered yet waits for it.
            if (ExecuteLine(line, &name) == ConfigResult::Unknown) pendingLines_.emplace(name, line);
        }
    } catch (const FileError&) {
        // No readable file: the defaults stand.
    }

    if (forceDefaultMode_) ResetVariable("v_mode");
    if (forceDefaultFullscreen_) ResetVariable("v_fullscreen");
}

void Config::Save() {
    try {
        const std::unique_ptr<FileTextual> file(
            FileManager::Instance()->OpenTextFile(filePath_, FileTextual::kWrite, TextEncoding::EightBit, 1));
        for (const auto& [name, variable] : variables_) {
            if (!variable->saved || variable->readOnly || variable->type == ConfigVariableType::Command) continue;
            file->WriteText(name + " " + variable->GetValueText());
            file->WriteNewLine();
        }
        file->Close();
    } catch (const FileError& error) {
        MessageManager::Instance()->PrintError(error.GetText());
    }
}

void ParseDisplayMode(const std::string& text, uint32_t* width, uint32_t* height, uint32_t* bits) {
    uint32_t w = 640, h = 480, b = 16;
    const size_t first = text.find_first_of("xX");
    const size_t second = first == std::string::npos ? std::string::npos : text.find_first_of("xX", first + 1);
    if (second != std::string::npos) {
        w = ToUnsigned(text.substr(0, first), 10);
        h = ToUnsigned(text.substr(first + 1, second - first - 1), 10);
        b = ToUnsigned(text.substr(second + 1), 10);
    }
    if (width != nullptr) *width = w;
    if (height != nullptr) *height = h;
    if (bits != nullptr) *bits = b;
}

}  // namespace Vantor
