#include "engine/render/ParticleSystem.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "engine/kernel/Error.h"
#include "engine/kernel/FileManager.h"
#include "engine/kernel/Random.h"
#include "engine/kernel/TimerManager.h"
#include "engine/render/ParticleFileReader.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/SpriteGroup.h"
#include "engine/render/SpriteGroupManager.h"

namespace Vantor {

namespace {

constexpr std::uint32_t kSelfMadeParticles = 100;
constexpr std::uint32_t kKeyCount = ParticleParameters::kKeyCount;
// One unit of speed (and of fall speed) moves this many world units per second.
constexpr float kSpeedScale = 100.0f;
// Key directions this short copy the key before them.
constexpr float kShortestDirection = 0.05f;
// A bounced particle is put this far above the floor.
constexpr float kFloorLift = 0.001f;
// Past its lifetime by this much, a stopped particle dies in the next update.
constexpr float kPastLifetime = 0.0001f;

// Where a ratio of 0..1 falls on a six-key curve: the key before, the key after (key 5
// is followed by key 0) and the weights of both.
struct CurvePoint {
    std::uint32_t key;
    std::uint32_t next;
    float after;   // weight of the key after
    float before;  // weight of the key before

    template <typename Value>
    Value Blend(const Value (&keys)[kKeyCount]) const {
        return keys[key] * before + keys[next] * after;
    }
};

CurvePoint PointOnCurve(float ratio) {
    // Kept on the curve whatever the ratio: the key is an array index.
    float position = ratio * static_cast<float>(kKeyCount - 1);
    if (!(position > 0.0f)) position = 0.0f;
    position = std::min(position, static_cast<float>(kKeyCount - 1));
    const auto key = static_cast<std::uint32_t>(position);
    const float after = position - static_cast<float>(key);
    return {key, key + 1 == kKeyCount ? 0 : key + 1, after, 1.0f - after};
}

bool IsShort(const Vector3& v) { return std::sqrt(v.LengthSquared()) < kShortestDirection; }

}  // namespace

ParticleSystem::ParticleSystem(Camera* camera) : name_(L"self_made"), maxParticles_(kSelfMadeParticles) {
    ShaderDescriptor descriptor;
    spriteGroup_ =
        SpriteGroupManager::Instance()->CreateRegisteredSpriteGroup(maxParticles_, &descriptor, camera, false);
    emitterBox_.SetMinMax({-0.5f, -0.5f, -0.5f}, {0.5f, 0.5f, 0.5f});
    ResetPool();
}

ParticleSystem::ParticleSystem(const std::wstring& fileName, Camera* camera, bool lazyTextures) : name_(fileName) {
    ParticleFileReader::Contents contents;
    ParticleFileReader::Read(fileName, contents);
    parameters_ = contents.parameters;
    maxParticles_ = contents.maxParticles;
    emitterShape_ = contents.emitterShape;
    emitterBox_.SetMinMax(contents.boxMinimum, contents.boxMaximum);

    // Without its material the effect still plays, untextured.
    std::wstring shaderFile = fileName;
    FileManager::ChangeExtension(shaderFile, L"srf");
    std::unique_ptr<ShaderDescriptor> descriptor;
    try {
        descriptor = std::make_unique<ShaderDescriptor>(shaderFile);
    } catch (const Error&) {
        descriptor = std::make_unique<ShaderDescriptor>();
    }
    spriteGroup_ = SpriteGroupManager::Instance()->CreateRegisteredSpriteGroup(maxParticles_, descriptor.get(),
                                                                               camera, lazyTextures);
    ResetPool();
}

ParticleSystem::ParticleSystem(const ParticleSystem& source)
    : name_(source.name_),
      parameters_(source.parameters_),
      maxParticles_(source.maxParticles_),
      spriteGroup_(SpriteGroupManager::Instance()->CreateSpriteGroupInstance(*source.spriteGroup_)),
      emitterShape_(source.emitterShape_),
      emitterBox_(source.emitterBox_) {
    // The source's particles in flight stay with the source: the copy starts without
    // them, so their sprites must not stay on show in it, nor keep its sprites in use.
    for (const Particle& particle : source.pool_)
        if (!particle.dead) spriteGroup_->RemoveSprite(particle.sprite);
    ResetPool();
}

ParticleSystem::~ParticleSystem() { SpriteGroupManager::Instance()->ReleaseSpriteGroup(spriteGroup_); }

void ParticleSystem::ResetPool() {
    pool_.assign(maxParticles_, Particle{});
    // Index 0 on top: the first particle takes it.
    freeIndices_.clear();
    freeIndices_.reserve(maxParticles_);
    for (std::uint32_t index = maxParticles_; index-- > 0;) freeIndices_.push_back(index);
    time_ = 0.0f;
    loop_ = false;
    emitting_ = false;
    accumulator_ = 0.0f;
    lastKey_ = -1;
    emitterPosition_ = Vector3();
}

Model* ParticleSystem::GetModel() const { return spriteGroup_->GetModel(); }

ShaderUser* ParticleSystem::GetShaderUser() const { return spriteGroup_->GetShaderUser(); }

bool ParticleSystem::IsVisible() const { return spriteGroup_->IsVisible(); }

void ParticleSystem::SetVisible(bool visible) { spriteGroup_->SetVisible(visible); }

void ParticleSystem::SetColour(const Color& colour) { spriteGroup_->SetColour(colour); }

void ParticleSystem::SetShader(const ShaderDescriptor* descriptor) { spriteGroup_->SetShader(descriptor); }

void ParticleSystem::Update() {
    if (!spriteGroup_->IsVisible()) return;
    const float dt = TimerManager::Instance()->GetFrameTime();
    if (emitting_) AdvanceCycle(dt);
    if (emitting_) Emit(dt);
    for (std::uint32_t index = 0; index < pool_.size(); ++index)
        if (!pool_[index].dead) Step(index, dt);
}

void ParticleSystem::AdvanceCycle(float dt) {
    time_ += dt;
    if (time_ < parameters_.period) return;
    if (loop_) {
        // The remainder of whole cycles, also when a period is far shorter than a frame.
        time_ = std::fmod(time_, parameters_.period);
    } else {
        time_ = 0.0f;
        lastKey_ = -1;
        emitting_ = false;
    }
}

void ParticleSystem::Emit(float dt) {
    const CurvePoint point = PointOnCurve(time_ / parameters_.period);
    const ParticleParameters& p = parameters_;
    float life;
    float lifeSpread;
    if (p.interpolate) {
        accumulator_ += point.Blend(p.rate) * dt;
        life = point.Blend(p.life);
        lifeSpread = point.Blend(p.lifeSpread);
    } else {
        // Each key's rate is a burst, owed once when the cycle reaches the key.
        if (static_cast<std::int32_t>(point.key) != lastKey_) accumulator_ += p.rate[point.key];
        life = p.life[point.key];
        lifeSpread = p.lifeSpread[point.key];
    }

    const float owed = std::floor(accumulator_);
    if (owed > 0.0f) {
        accumulator_ -= owed;
        // A full pool drops what it cannot take.
        const float free = static_cast<float>(freeIndices_.size());
        const auto count = static_cast<std::uint32_t>(std::min(owed, free));
        for (std::uint32_t i = 0; i < count; ++i) Spawn(life, lifeSpread);
    }
    lastKey_ = static_cast<std::int32_t>(point.key);
}

void ParticleSystem::Spawn(float life, float lifeSpread) {
    const ParticleParameters& p = parameters_;
    const std::int32_t sprite = spriteGroup_->AddSprite(StartPosition(), p.size[0], p.colour[0]);
    if (sprite < 0) return;  // the group's sprites are all taken
    const std::uint32_t index = freeIndices_.back();
    freeIndices_.pop_back();

    Particle& particle = pool_[index];
    particle.dead = false;
    particle.sprite = sprite;
    particle.lifetime = RandomAround(life, lifeSpread);
    particle.age = 0.0f;
    particle.direction = Vector3();
    for (std::uint32_t w = 0; w < kKeyCount; ++w) {
        Vector3& direction = particle.keyDirections[w];
        if (w > 0 && IsShort(p.directionBase[w]) && IsShort(p.directionSpread[w])) {
            direction = particle.keyDirections[w - 1];
        } else {
            // Braced: drawn in the order x, y, z.
            direction = Vector3{RandomAround(p.directionBase[w].x, p.directionSpread[w].x),
                                RandomAround(p.directionBase[w].y, p.directionSpread[w].y),
                                RandomAround(p.directionBase[w].z, p.directionSpread[w].z)};
        }
        direction.Normalize(1.0f);
    }
    for (std::uint32_t s = 0; s < kKeyCount; ++s)
        particle.keySpeeds[s] = RandomAround(p.speedBase[s], p.speedSpread[s]);
    particle.speedFactor = 1.0f;
    particle.fallSpeed = 0.0f;
}

Vector3 ParticleSystem::StartPosition() const {
    switch (emitterShape_) {
    case kBoxEmitter: {
        const Vector3& low = emitterBox_.worldMin;
        const Vector3& high = emitterBox_.worldMax;
        return emitterPosition_ + Vector3{RandomRange(low.x, high.x), RandomRange(low.y, high.y),
                                          RandomRange(low.z, high.z)};
    }
    case kPathEmitter:
        return Vector3();
    default:
        return emitterPosition_;
    }
}

void ParticleSystem::Step(std::uint32_t index, float dt) {
    Particle& particle = pool_[index];
    particle.age += dt;
    // Also a lifetime that is not a number ends here.
    if (!(particle.age < particle.lifetime)) {
        spriteGroup_->RemoveSprite(particle.sprite);
        particle.dead = true;
        freeIndices_.push_back(index);
        return;
    }

    const ParticleParameters& p = parameters_;
    const CurvePoint point = PointOnCurve(particle.age / particle.lifetime);
    const float speed = point.Blend(particle.keySpeeds) * particle.speedFactor;
    particle.direction = point.Blend(particle.keyDirections);
    particle.direction.Normalize(1.0f);
    Vector3 delta = particle.direction * speed * kSpeedScale * dt;
    if (p.gravityOn) {
        particle.fallSpeed += p.gravity * dt;
        delta.z -= particle.fallSpeed * kSpeedScale * dt;
    }

    Sprite& sprite = *spriteGroup_->GetSprite(particle.sprite);
    sprite.position += delta;
    if (p.floorOn && p.floorZ > sprite.position.z) {
        sprite.position.z = p.floorZ + kFloorLift;
        particle.fallSpeed = 0.0f;
        particle.speedFactor *= p.bounceDamping;
        if (p.stopThreshold > particle.speedFactor) {
            particle.speedFactor = 0.0f;
            if (p.killWhenStopped) particle.age = particle.lifetime + kPastLifetime;
        }
        // It flies on upwards along its reflected path.
        Vector3 reflected{delta.x, delta.y, std::fabs(delta.z)};
        reflected.Normalize(1.0f);
        particle.direction = reflected;
        for (Vector3& key : particle.keyDirections) key = reflected;
    }
    sprite.colour = point.Blend(p.colour);
    sprite.size = point.Blend(p.size);
}

}  // namespace Vantor
