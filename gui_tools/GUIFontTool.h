#pragma once
// Fonts by name. The first request for a name loads the font from "data\fonts\" + name
// (its description font.xml, glyph file font.fnt and texture "fonts\<name>\font") into
// the GUI's font manager under the next free id; later requests answer the same id.
// Ids are dense in the order of first requests, so id 0, the first font that loaded, is
// the fallback for a name whose font.xml cannot be read.

#include <map>
#include <string>

namespace Vantor {
class GUIFont;
class GUIFontManager;
class ShaderUser;
}  // namespace Vantor

namespace GUITools {

class GUIFontTool {
public:
    // A font's description when font.xml leaves a setting out.
    static constexpr float kDefaultSize = 10.0f;

    // Works with the GUI manager's font manager, which must exist.
    GUIFontTool();
    // Unloads its fonts, then releases their materials.
    virtual ~GUIFontTool();
    GUIFontTool(const GUIFontTool&) = delete;
    GUIFontTool& operator=(const GUIFontTool&) = delete;

    // The name's id, loading the font on the first request; 0 when it cannot be loaded.
    int GetFontIndex(const std::string& name);
    // The font of GetFontIndex, null only while no font at all has loaded.
    Vantor::GUIFont* GetFont(const std::string& name);

private:
    // The new font's id, or the count unchanged (nothing registered) when its font.xml
    // cannot be read.
    int LoadFont(const std::string& name);

    Vantor::GUIFontManager* fontManager_;  // the GUI manager's
    unsigned int count_ = 0;
    std::map<std::string, int> ids_;
    std::map<std::string, Vantor::ShaderUser*> shaders_;  // owned
};

}  // namespace GUITools
