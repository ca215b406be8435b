#include "gui_tools/GUIFontTool.h"

#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/kernel/FileError.h"
#include "engine/kernel/MathHelpers.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/StringHelpers.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/ShaderUser.h"
#include "tools/XMLNode.h"
#include "tools/XMLParser.h"

namespace GUITools {

using GameTools::XMLNode;

namespace {

// What font.xml says of a font; every attribute is optional.
struct FontDescription {
    bool mipMaps = true;
    bool temporaryTextures = false;
    bool monospace = false;
    float size = GUIFontTool::kDefaultSize;
    float virtualSize = 0.0f;
    float spaceSize = 1.0f;
    float shiftRatio = 1.0f;

    void Read(const XMLNode& font, const std::string& name) {
        ReadBool(font, "mip_maps", mipMaps);
        ReadBool(font, "temporary_textures", temporaryTextures);
        ReadBool(font, "monospace", monospace);
        ReadSize(font, name);
        ReadFloat(font, "virtual_size", virtualSize);
        ReadFloat(font, "space_size", spaceSize);
        ReadFloat(font, "shift_ratio", shiftRatio);
    }

    static void ReadBool(const XMLNode& font, const char* attribute, bool& out) {
        if (const GameTools::XMLValue* value = font.GetAttribute(attribute, XMLNode::kReportSilent))
            out = value->GetBool();
    }
    static void ReadFloat(const XMLNode& font, const char* attribute, float& out) {
        if (const GameTools::XMLValue* value = font.GetAttribute(attribute, XMLNode::kReportSilent))
            out = value->GetFloat();
    }
    // The size divides the virtual size: one that is not above 0 keeps the default.
    void ReadSize(const XMLNode& font, const std::string& name) {
        float read = size;
        ReadFloat(font, "size", read);
        if (read > 0.0f) {
            size = read;
            return;
        }
        Vantor::MessageManager::Instance()->PrintError("(GUIFontTool::LoadFont): Font \"" + name + "\" has the size " +
                                                       Vantor::ToString(read, 2) + ", " +
                                                       Vantor::ToString(size, 0) + " is used");
    }
};

}  // namespace

GUIFontTool::GUIFontTool() : fontManager_(Vantor::GUIManager::Instance()->GetFontManager()) {}

GUIFontTool::~GUIFontTool() {
    for (const auto& [name, id] : ids_) fontManager_->UnloadFont(id);
    for (const auto& [name, shader] : shaders_) Vantor::ShaderManager::Instance()->ReleaseShader(shader);
}

int GUIFontTool::GetFontIndex(const std::string& name) {
    if (const auto entry = ids_.find(name); entry != ids_.end()) return entry->second;
    const int id = LoadFont(name);
    return static_cast<unsigned int>(id) < count_ ? id : 0;
}

Vantor::GUIFont* GUIFontTool::GetFont(const std::string& name) { return fontManager_->GetFont(GetFontIndex(name)); }

int GUIFontTool::LoadFont(const std::string& name) {
    const std::wstring folder = L"data\\fonts\\" + Vantor::ToWide(name);
    XMLNode holder;
    try {
        GameTools::XMLParser().Load(&holder, folder + L"\\font.xml");
    } catch (const Vantor::FileError&) {
        // Silent: the first font stands in, and a later request tries again.
        return static_cast<int>(count_);
    }
    FontDescription description;
    if (const XMLNode* font = holder.GetChild("font", XMLNode::kReportSilent)) description.Read(*font, name);

    const Vantor::ShaderDescriptor material(true, description.mipMaps, "fonts\\" + name + "\\font", true);
    Vantor::ShaderUser* shader = Vantor::ShaderManager::Instance()->GetShader(material, description.temporaryTextures);
    const int id = static_cast<int>(count_++);
    Vantor::GUIFont* font = fontManager_->LoadFont(id, shader, folder + L"\\font.fnt");
    ids_[name] = id;
    shaders_[name] = shader;

    font->SetSize(description.size);
    font->SetMonospace(description.monospace);
    font->SetSpaceSize(description.spaceSize);
    font->SetShiftRatio(description.shiftRatio);
    // The font's height ratio.
    if (description.virtualSize > Vantor::kFloatTolerance) font->SetHeightRatio(description.virtualSize / description.size);
    return id;
}

}  // namespace GUITools
