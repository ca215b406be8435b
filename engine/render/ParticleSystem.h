#pragma once
// A particle effect drawn as the camera-facing sprites of one registered sprite group.
// An emission cycle of one period drives the emission rate and the particles' life span;
// each particle's own life drives its direction, speed, colour and size. Particles can
// fall under gravity, bounce on a floor plane with damping and die when they come to
// rest. Made through the particle-system manager: templates (from a particle file or
// the procedural "self_made" effect) sit still, registered copies are updated every
// frame.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/kernel/Vector3.h"
#include "engine/kernel/Vector4.h"
#include "engine/render/BoundingBox.h"
#include "engine/render/Particle.h"
#include "engine/render/ParticleParameters.h"

namespace Vantor {

class Camera;
class Model;
class ShaderDescriptor;
class ShaderUser;
class SpriteGroup;

class ParticleSystem {
public:
    // Emitter shapes: at the emitter position, anywhere in the emitter box around it, or
    // at the world origin.
    static constexpr std::int32_t kPointEmitter = 0;
    static constexpr std::int32_t kBoxEmitter = 1;
    static constexpr std::int32_t kPathEmitter = 2;

    // The procedural effect ("self_made"), 100 particles, the default material.
    explicit ParticleSystem(Camera* camera);
    // Reads the particle file (relative to the data folder) and the shader file of the
    // same name with the extension "srf" beside it, or the default material when that
    // cannot be read. A broken particle file is logged and thrown as Error.
    ParticleSystem(const std::wstring& fileName, Camera* camera, bool lazyTextures);
    // The source's name, pool size, parameters and emitter shape and box, with a
    // registered copy of its sprite group; no particles, not emitting.
    ParticleSystem(const ParticleSystem& source);
    virtual ~ParticleSystem();
    ParticleSystem& operator=(const ParticleSystem&) = delete;

    // Once per frame for registered systems: the emission cycle, new particles, and
    // every live particle's step. A hidden system freezes.
    void Update();

    // A new emission cycle from its start.
    void Start(bool loop) {
        time_ = 0.0f;
        loop_ = loop;
        emitting_ = true;
    }
    // Stops and rewinds the cycle; particles in flight live on.
    void Reset() {
        loop_ = false;
        emitting_ = false;
        time_ = 0.0f;
        accumulator_ = 0.0f;
        lastKey_ = -1;
    }
    // Time, loop and particles are left as they are.
    void SetEmitting(bool emitting) { emitting_ = emitting; }
    bool IsEmitting() const { return emitting_; }
    void SetPosition(const Vector3& position) { emitterPosition_ = position; }
    const Vector3& GetPosition() const { return emitterPosition_; }
    void SetEmitterShape(std::int32_t shape) { emitterShape_ = shape; }
    std::int32_t GetEmitterShape() const { return emitterShape_; }
    // Writable: box-shaped emitters may be given a box of their own.
    BoundingBox& GetEmitterBox() { return emitterBox_; }

    Model* GetModel() const;
    ShaderUser* GetShaderUser() const;
    bool IsVisible() const;
    void SetVisible(bool visible);
    // The sprite group's tint.
    void SetColour(const Color& colour);
    void SetShader(const ShaderDescriptor* descriptor);

    const std::wstring& GetName() const { return name_; }
    std::uint32_t GetMaxParticles() const { return maxParticles_; }
    const ParticleParameters& GetParameters() const { return parameters_; }
    SpriteGroup* GetSpriteGroup() const { return spriteGroup_; }
    const std::vector<Particle>& GetParticles() const { return pool_; }
    // Position in the emission cycle, seconds.
    float GetTime() const { return time_; }
    bool IsLooping() const { return loop_; }
    // The emission key of the last spawn, -1 when none.
    std::int32_t GetLastKey() const { return lastKey_; }

private:
    // Every particle dead and free, the cycle rewound, the emitter at the origin.
    void ResetPool();
    void AdvanceCycle(float dt);
    void Emit(float dt);
    void Spawn(float life, float lifeSpread);
    Vector3 StartPosition() const;
    // Ages and moves one live particle, or frees it at the end of its life.
    void Step(std::uint32_t index, float dt);

    std::wstring name_;
    ParticleParameters parameters_;
    std::uint32_t maxParticles_;
    SpriteGroup* spriteGroup_ = nullptr;  // registered with the sprite-group manager
    float time_ = 0.0f;
    bool loop_ = false;
    bool emitting_ = false;
    // Particles owed; only its fraction is kept over a full pool.
    float accumulator_ = 0.0f;
    // Free pool indices, the next one to hand out at the back.
    std::vector<std::uint32_t> freeIndices_;
    std::vector<Particle> pool_;
    std::int32_t lastKey_ = -1;
    Vector3 emitterPosition_;
    std::int32_t emitterShape_ = kPointEmitter;
    BoundingBox emitterBox_;
};

}  // namespace Vantor
