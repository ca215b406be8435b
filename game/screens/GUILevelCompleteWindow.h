#pragma once
// The end of a working day over the room: the pieces of the day-completed message (the
// style blocks of "/day_completed") fly into place one after another, each fading in
// along the path of the model "ui/day_completed" and ending in a burst of
// "ui/day_complete_effect". A while after the last piece the window closes itself and a
// cover fades in; at full cover the window reports that the game goes on to the start of
// the next day, once, and the cover fades out again. The cover goes on fading after the
// window has closed: the game keeps updating it.

#include <vector>

#include "framework/windows/GUILevelCompleteWindowBase.h"
#include "game/screens/FadingCover.h"
#include "game/screens/GUIMenuWindow.h"

namespace Vantor {
class Model;
class ParticleSystem;
}  // namespace Vantor

namespace Morvane {

class GUILevelCompleteWindow : public GameFramework::GUILevelCompleteWindowBase, public GUIMenuWindow {
public:
    static constexpr const char* kLayout = "window_level_complete";
    static constexpr const char* kPieceModel = "ui/day_completed";
    static constexpr const char* kBurst = "ui/day_complete_effect";
    // Where the message waits until the pieces start.
    static constexpr float kOffScreen = 1000.0f;

    GUILevelCompleteWindow(GameFramework::AudioManager* audio, GameFramework::LevelManagerBase* levels,
                           GameData* data, GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager,
                           Vantor::GUIWindow* parent);
    ~GUILevelCompleteWindow() override;

    void OpenWith(GameFramework::WindowId source, const GameFramework::LevelKey& level, float time) override;
    // Nothing unless open.
    void Close() override;
    void Update() override;

    GUITools::GUITextControl& GetMessage() const { return message_; }
    // One path model and one burst per style block of the message.
    const std::vector<Vantor::Model*>& GetPieces() const { return pieces_; }
    const std::vector<Vantor::ParticleSystem*>& GetBursts() const { return bursts_; }
    const GUICoverWindow& GetCover() const { return cover_.GetCover(); }

private:
    // Moves each piece along its path, its start later by a step per piece; answers the
    // time since the opening pause less those steps for every piece.
    float MovePieces(float sinceStart);
    // Each style block follows its piece and bursts once when the piece has arrived.
    void PlacePieces();

    GUITools::GUITextControl& message_;        // the window's
    std::vector<Vantor::Model*> pieces_;        // owned, not registered
    std::vector<Vantor::ParticleSystem*> bursts_; // registered with the particle-system manager
    FadingCover cover_;
    float time_ = 0.0f;
};

}  // namespace Morvane
