#pragma once
// The GUI's bitmap fonts by integer id, and their instances: every window depth that
// prints text gets an instance of the font (sharing its glyphs) whose batch model draws
// that depth's texts in one go. An instance that gets no character in a frame is
// deleted at the frame's end. Texts are placed in their window's rectangle (or text
// area) by their alignment.

#include <map>
#include <string>
#include <vector>

#include "engine/kernel/Vector2.h"
#include "engine/kernel/Vector4.h"

namespace Vantor {

class Camera;
class GUIFont;
class GUIWindow;
class ShaderDescriptor;

class GUIFontManager {
public:
    // The camera the fonts' batch models are drawn with (not owned).
    explicit GUIFontManager(Camera* camera);
    // Deletes every loaded font, then every instance.
    virtual ~GUIFontManager();
    GUIFontManager(const GUIFontManager&) = delete;
    GUIFontManager& operator=(const GUIFontManager&) = delete;

    // A new font read from the font file, stored under the id (a font loaded before under
    // the same id is unloaded first).
    GUIFont* LoadFont(int id, const ShaderDescriptor* material, const std::wstring& path);
    // Deletes the font of the id and its instances; nothing for an id without a font.
    void UnloadFont(int id);
    GUIFont* GetFont(int id) const;
    // The instance of the id's font for the window's depth, made when there is none.
    GUIFont* GetFontInstance(int id, const GUIWindow& window);

    // Where the text's baseline starts in the window: aligned axes inside the window's
    // rectangle (its text area when on), the others at the position from its origin.
    // (0, 0) for an id without a font.
    Vector2 PlaceText(int alignment, int id, const GUIWindow& window, const Vector2& position, float angle,
                      const std::wstring& text) const;
    // Puts the text into the batch of the window's depth; nothing for a hidden window.
    void DrawText(int alignment, int id, float angle, const GUIWindow& window, const Vector2& position,
                  const Color& colour, const std::wstring& text);
    // Once per frame after every window printed: deletes the instances that got no
    // character and closes the batches of the frame.
    void ReleaseUnusedInstances();

    Camera* GetCamera() const { return camera_; }
    const std::vector<GUIFont*>& GetInstances() const { return instances_; }

private:
    // Deletes the instances the predicate picks, keeping the order of the others.
    template <typename Predicate>
    void DeleteInstancesIf(Predicate predicate);

    Camera* camera_;
    std::map<int, GUIFont*> fonts_;    // owned
    std::vector<GUIFont*> instances_;  // owned
};

}  // namespace Vantor
