#pragma once
// Sparkles that run along a path, decorating a window's control: one or more animated
// path models of the game data, each with a particle emitter that follows where the
// path's animation currently is, shifted by an offset in GUI units. The paths loop
// until stopped, or play once more and switch their emitter off at their end.
//
// The paths of a model name X: X itself when the data has it, then X_0, X_1 ... X_9 up
// to the first one missing.

#include <string>
#include <vector>

#include "engine/kernel/Vector2.h"

namespace GameTools {
class DataKeeper;
}

namespace Vantor {
class GUIWindow;
class Model;
class ParticleSystem;
}  // namespace Vantor

namespace Morvane {

class GUIParticlesEffect {
public:
    static constexpr int kNumberedPaths = 10;

    // The effect is the particle system "ui/" + effect name; the emitters draw with the
    // GUI camera at the reference window's depth + the depth offset. Without a path
    // model the decoration is empty and every operation does nothing.
    GUIParticlesEffect(GameTools::DataKeeper* data, const std::string& modelName, const std::string& effectName,
                       const Vantor::Vector2& offset, float framesPerSecond, const Vantor::GUIWindow& reference,
                       float depthOffset);
    virtual ~GUIParticlesEffect();
    GUIParticlesEffect(const GUIParticlesEffect&) = delete;
    GUIParticlesEffect& operator=(const GUIParticlesEffect&) = delete;

    // Every path from its start, looping, and every emitter emitting from time 0.
    void Start();
    // Now: the emitters stop at once (live particles finish their lives). Otherwise each
    // path plays to its end, and Update then stops its emitter.
    void Stop(bool now);
    // Once per frame: the paths move on and the emitters follow them. Until the first
    // Start the emitters follow without emitting.
    void Update();
    // Whether the first emitter emits; false without one.
    bool IsActive() const;
    // Where the emitters stand from the paths, from the next Update on.
    void SetOffset(const Vantor::Vector2& offset) { offset_ = offset; }
    const Vantor::Vector2& GetOffset() const { return offset_; }

    const std::vector<Vantor::Model*>& GetPaths() const { return paths_; }
    const std::vector<Vantor::ParticleSystem*>& GetEmitters() const { return emitters_; }

private:
    static std::vector<std::string> PathNames(const GameTools::DataKeeper& data, const std::string& modelName);
    void AddPath(const Vantor::Model& source, float framesPerSecond);
    void AddEmitter(const Vantor::ParticleSystem& source, float depth);

    Vantor::Vector2 offset_;
    std::vector<Vantor::Model*> paths_;             // owned, not registered
    std::vector<Vantor::ParticleSystem*> emitters_; // registered with the particle-system manager
};

}  // namespace Morvane
