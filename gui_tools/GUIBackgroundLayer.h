#pragma once
// One layer of a screen background: a GUI window showing a model (or an existing window
// the layer takes over), or an empty window carrying a particle effect drawn on the GUI
// camera at the window's depth. An optional animator (an undrawn copy of an animated
// model) moves the window along its path: the window follows the centre of the
// animator's box. The layer fades in and out on its own; the alpha drawn is the alpha
// it is given x its own fade value x its colour's alpha.

#include <string>

#include "engine/kernel/Vector4.h"
#include "gui_tools/BackgroundFade.h"

namespace GameTools {
class DataKeeper;
}

namespace Vantor {
class GUIWindow;
class Model;
class ParticleSystem;
}  // namespace Vantor

namespace GUITools {

class GUIBackgroundLayer {
public:
    // Names are full resource keys of the keeper, empty for none. A layer with a
    // particles name and no existing window carries that particle system; otherwise it
    // shows the existing window (moved under the parent) or a new window with the model.
    // A negative animation speed keeps the models' own speeds.
    GUIBackgroundLayer(GameTools::DataKeeper* keeper, const std::string& name, Vantor::GUIWindow* existingWindow,
                       const std::string& modelName, const std::string& particlesName, const std::string& shaderName,
                       const std::string& animatorName, bool randomStartFrame, float animationSpeed,
                       bool animationLoop, const Vantor::Color& colour, int order, Vantor::GUIWindow* parent);
    // Destroys the window, the animator and the particle system.
    virtual ~GUIBackgroundLayer();
    GUIBackgroundLayer(const GUIBackgroundLayer&) = delete;
    GUIBackgroundLayer& operator=(const GUIBackgroundLayer&) = delete;

    // Shows (at once, or fading in from 0) or hides (at once, or fading out from 1) the
    // window and the particle system together; showing restarts the animations.
    void StartFade(bool show, bool fade, float speed);
    // The colour with alpha = alpha x fade value x the colour's alpha, to the window and
    // the particle system.
    void SetAlpha(float alpha);
    // Every frame while the window is visible: follows the animator, brings the emitter
    // to the window, runs the fade.
    void Update();

    const std::string& GetName() const { return name_; }
    Vantor::GUIWindow* GetWindow() const { return window_; }
    Vantor::ParticleSystem* GetParticleSystem() const { return particleSystem_; }
    Vantor::Model* GetAnimator() const { return animator_; }
    float GetFadeValue() const { return fadeValue_; }
    bool IsFading() const { return fade_.IsFading(); }

    // A layer switched off ignores StartFade and SetAlpha, so it is never seen.
    bool enabled = true;

private:
    void CreateWindow(Vantor::GUIWindow* existingWindow, const std::string& modelName, float animationSpeed,
                      bool animationLoop, Vantor::GUIWindow* parent);
    void CreateParticleSystem(const std::string& particlesName, Vantor::GUIWindow* parent);
    void ChangeShader(const std::string& shaderName);
    // Alpha blending on the layer's material, its first stage's animation playing.
    void SetUpMaterial();
    void CreateAnimator(const std::string& animatorName, float animationSpeed, bool animationLoop);
    // Rewinds the window model's and the animator's animations and plays them.
    void RestartAnimations();
    void FollowAnimator();
    void MoveEmitter();
    void SetShown(bool shown);

    GameTools::DataKeeper* keeper_;  // not owned
    std::string name_;
    Vantor::GUIWindow* window_ = nullptr;                 // destroyed through the GUI manager
    Vantor::ParticleSystem* particleSystem_ = nullptr;  // a registered instance
    Vantor::Model* animator_ = nullptr;                  // owned, never drawn
    bool randomStartFrame_;
    Vantor::Color colour_;
    BackgroundFade fade_;
    float fadeValue_ = 0.0f;
};

}  // namespace GUITools
