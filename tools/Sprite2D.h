#pragma once
// One texture of a texture pack shown in a GUI window of its own and animated over the
// texture's frames. Each frame shows its rectangle of one atlas texture; the window
// takes the frame's size in pixels times the sprite's scale, and the frame's offset
// (against the first frame's) moves the window, so frames of different sizes stay
// aligned. A sprite lives in the sprite manager's registry from its construction until
// it is destroyed, by its owner or by the manager.

#include <memory>
#include <string>

#include "engine/kernel/Vector2.h"
#include "tools/TexturePack.h"

namespace Vantor {
class AnimationControl;
class GUIWindow;
}  // namespace Vantor

namespace GameTools {

class Sprite2D {
public:
    // Makes the window under the parent, hidden until the first update shows a frame,
    // with a quad of the pack's atlas shader (no picture without a pack), and an
    // animation over the texture's frames that its owner sets going (speed, loop, play);
    // then registers with the sprite manager. The pack belongs to the data keeper and
    // must outlive the sprite. Position is where the first frame's picture stands, in
    // the parent's coordinates; scale multiplies the frames' size in pixels.
    Sprite2D(TexturePack* pack, const std::string& textureName, const Vantor::Vector2& position,
             const Vantor::Vector2& scale, Vantor::GUIWindow* parent);
    // Destroys the animation and the window, then leaves the sprite manager.
    virtual ~Sprite2D();
    Sprite2D(const Sprite2D&) = delete;
    Sprite2D& operator=(const Sprite2D&) = delete;

    // Advances the animation by the frame time and shows its frame; nothing without a
    // pack that holds a texture.
    void Update();
    // Shows the animation's current frame: the window follows the frame's offset on
    // every call; its size, atlas texture and texture coordinates change only when the
    // frame does. A frame the texture lacks, or whose atlas texture the atlas shader
    // lacks, is logged once each time the animation comes to it and changes nothing.
    void UpdateFrame();

    Vantor::GUIWindow* GetWindow() const { return window_; }
    Vantor::AnimationControl& GetAnimation() const { return *animation_; }
    // The frame whose geometry was dealt with last; kNoFrame before the first.
    int GetShownFrame() const { return shownFrame_; }

    static constexpr int kNoFrame = -1;

private:
    bool HasTextures() const { return pack_ && pack_->HasTextures(); }
    // The frame exists and its atlas texture too (when the window's material has stages);
    // else, when logError is set, an error line says why.
    bool IsShowable(const TexturePack::Texture& texture, int frameIndex, bool logError) const;
    // The frame's size, atlas texture and texture coordinates; shows the window.
    void ApplyFrame(const TexturePack::Frame& frame);
    void WriteTextureCoordinates(const TexturePack::Frame& frame);
    std::string Describe() const;

    Vantor::GUIWindow* window_;  // made by and given back to the GUI manager
    TexturePack* pack_;          // the data keeper's
    std::string textureName_;
    int shownFrame_ = kNoFrame;
    Vantor::Vector2 position_;
    Vantor::Vector2 scale_;
    std::unique_ptr<Vantor::AnimationControl> animation_;
};

}  // namespace GameTools
