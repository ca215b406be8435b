// Particle systems: emission at a steady frame rate and in bursts at the keys, the
// emission cycle with and without looping, the life curves, gravity and the floor
// bounce, emitter shapes, hidden systems, copies, and the manager's templates,
// instances and fallback to the procedural effect.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "content/ShaderFileWriter.h"
#include "engine/kernel/MessageManager.h"
#include "engine/render/ShaderUser.h"
#include "tests/engine/render/SpriteSceneTestSupport.h"

namespace {

using Content::ParticleFileWriter;
using spritetest::DrawnIndices;
using Vantor::Particle;
using Vantor::ParticleSystem;
using Vantor::Vector3;

constexpr double kSixtieth = 1.0 / 60.0;

// Particles that live long and stand still unless a test says otherwise: no gravity,
// no floor, no speed.
ParticleFileWriter::ParticleSystem StillParticles() {
    ParticleFileWriter::ParticleSystem file;
    file.gravityOn = 0;
    file.floorOn = 0;
    for (int k = 0; k < ParticleFileWriter::kKeyCount; ++k) {
        file.life[k] = 100.0f;
        file.speedBase[k] = 0.0f;
    }
    return file;
}

std::uint32_t Alive(const ParticleSystem& system) {
    const std::vector<Particle>& pool = system.GetParticles();
    return static_cast<std::uint32_t>(
        std::count_if(pool.begin(), pool.end(), [](const Particle& p) { return !p.dead; }));
}

class ParticleSystemTest : public spritetest::SpriteSceneTest {
protected:
    void TearDown() override {
        templates_.clear();
        SpriteSceneTest::TearDown();
    }

    // A registered instance of a template read from the file.
    ParticleSystem& Instance(const ParticleFileWriter::ParticleSystem& file) {
        return *particles_->CreateParticleSystemInstance(Template(file));
    }

    // A template read from the file; the test owns it.
    ParticleSystem& Template(const ParticleFileWriter::ParticleSystem& file) {
        const std::wstring name = WriteParticles(L"fx\\test" + std::to_wstring(templates_.size()) + L".psf", file);
        templates_.emplace_back(particles_->LoadParticleSystem(name, nullptr, false));
        return *templates_.back();
    }

    // The number of particles each of `frames` frames of that length adds.
    std::vector<std::uint32_t> Births(ParticleSystem& system, int frames, double seconds = kSixtieth) {
        std::vector<std::uint32_t> births;
        for (int i = 0; i < frames; ++i) {
            const std::uint32_t before = Alive(system);
            NextFrame(seconds);
            births.push_back(Alive(system) - before);
        }
        return births;
    }

    std::vector<std::unique_ptr<ParticleSystem>> templates_;
};

std::uint32_t Sum(const std::vector<std::uint32_t>& values) {
    std::uint32_t sum = 0;
    for (std::uint32_t v : values) sum += v;
    return sum;
}

TEST_F(ParticleSystemTest, SteadyRateGivesAParticleAboutEverySixthFrameAtSixtyFrames) {
    ParticleSystem& system = Instance(StillParticles());  // period 1, rate 10, interpolated
    system.Start(true);
    const std::vector<std::uint32_t> births = Births(system, 180);

    EXPECT_NEAR(Sum(births), 30.0, 1.0) << "10 a second over three looped cycles";
    std::vector<int> birthFrames;
    for (int i = 0; i < static_cast<int>(births.size()); ++i) {
        EXPECT_LE(births[i], 1u) << "frame " << i;
        if (births[i] > 0) birthFrames.push_back(i);
    }
    for (std::size_t i = 1; i < birthFrames.size(); ++i) {
        EXPECT_GE(birthFrames[i] - birthFrames[i - 1], 5);
        EXPECT_LE(birthFrames[i] - birthFrames[i - 1], 7);
    }
    EXPECT_TRUE(system.IsEmitting());
    EXPECT_LT(system.GetTime(), 1.0f);
}

TEST_F(ParticleSystemTest, WithoutInterpolationEachKeyEmitsItsBurstOnce) {
    ParticleFileWriter::ParticleSystem file = StillParticles();
    file.interpolate = 0;
    for (float& rate : file.rate) rate = 3.0f;
    ParticleSystem& system = Instance(file);
    system.Start(true);

    // 1.5 s: keys at 0, 0.2, 0.4, 0.6, 0.8, then 1.0 (key 0 again), 1.2 and 1.4.
    const std::vector<std::uint32_t> births = Births(system, 90);
    std::vector<std::uint32_t> bursts;
    for (std::uint32_t b : births)
        if (b > 0) bursts.push_back(b);
    EXPECT_THAT(bursts, testing::ElementsAre(3, 3, 3, 3, 3, 3, 3, 3));
    EXPECT_EQ(births[0], 3u);
    EXPECT_EQ(system.GetLastKey(), 2);
}

TEST_F(ParticleSystemTest, StoppedEmissionRestartsWithoutTheBurstOfTheSameKeyUntilReset) {
    ParticleFileWriter::ParticleSystem file = StillParticles();
    file.interpolate = 0;
    for (float& rate : file.rate) rate = 3.0f;
    ParticleSystem& system = Instance(file);
    system.Start(true);
    NextFrame(kSixtieth);
    EXPECT_EQ(Alive(system), 3u);

    system.SetEmitting(false);
    system.Start(false);
    NextFrame(kSixtieth);
    EXPECT_EQ(Alive(system), 3u) << "the last key is still 0";

    system.Reset();
    EXPECT_FALSE(system.IsEmitting());
    EXPECT_EQ(system.GetLastKey(), -1);
    system.Start(false);
    NextFrame(kSixtieth);
    EXPECT_EQ(Alive(system), 6u);
}

TEST_F(ParticleSystemTest, NonLoopingCycleStopsAtItsPeriodAndItsParticlesLiveOn) {
    ParticleFileWriter::ParticleSystem file = StillParticles();
    file.period = 0.5f;
    for (int k = 0; k < ParticleFileWriter::kKeyCount; ++k) file.speedBase[k] = 1.0f;
    ParticleSystem& system = Instance(file);
    system.Start(false);

    int frames = 0;
    while (system.IsEmitting() && frames < 100) {
        NextFrame(kSixtieth);
        ++frames;
    }
    EXPECT_NEAR(frames, 30, 1) << "half a second";
    EXPECT_FALSE(system.IsLooping());
    EXPECT_EQ(system.GetTime(), 0.0f);
    EXPECT_EQ(system.GetLastKey(), -1);
    const std::uint32_t alive = Alive(system);
    EXPECT_NEAR(alive, 5.0, 1.0);

    const Vector3 before = system.GetSpriteGroup()->GetSprite(system.GetParticles()[0].sprite)->position;
    Births(system, 30);
    EXPECT_EQ(Alive(system), alive);
    EXPECT_FALSE(system.IsEmitting());
    const Vector3 after = system.GetSpriteGroup()->GetSprite(system.GetParticles()[0].sprite)->position;
    EXPECT_TRUE(after != before) << "particles in flight go on moving";
}

TEST_F(ParticleSystemTest, CycleFarShorterThanAFrameWrapsInOneStep) {
    ParticleFileWriter::ParticleSystem file = StillParticles();
    file.period = 1e-20f;  // subtracting it from a frame's time would change nothing
    ParticleSystem& system = Instance(file);
    system.Start(true);
    Births(system, 3);
    EXPECT_TRUE(system.IsEmitting());
    EXPECT_LT(system.GetTime(), 1e-20f);
}

TEST_F(ParticleSystemTest, ParticlesDieAtTheEndOfTheirLifeAndTheirSlotsAreReused) {
    ParticleFileWriter::ParticleSystem file = StillParticles();
    file.interpolate = 0;
    file.rate[0] = 2.0f;
    for (int k = 1; k < ParticleFileWriter::kKeyCount; ++k) file.rate[k] = 0.0f;
    for (float& life : file.life) life = 0.1f;
    ParticleSystem& system = Instance(file);
    system.Start(true);

    NextFrame(kSixtieth);
    EXPECT_EQ(Alive(system), 2u);
    EXPECT_FALSE(system.GetParticles()[0].dead) << "index 0 is taken first";
    EXPECT_FALSE(system.GetParticles()[1].dead);
    Births(system, 6);  // 0.1 s later both are gone
    EXPECT_EQ(Alive(system), 0u);
    NextFrame(kSixtieth);
    EXPECT_EQ(DrawnIndices(*system.GetSpriteGroup()), 0u);
}

TEST_F(ParticleSystemTest, ParticleWithoutLifeDiesInTheUpdateThatMakesItAndIsNeverDrawn) {
    ParticleFileWriter::ParticleSystem file = StillParticles();
    for (float& life : file.life) life = 0.0f;
    for (float& rate : file.rate) rate = 600.0f;
    ParticleSystem& system = Instance(file);
    system.Start(true);
    for (int i = 0; i < 5; ++i) {
        NextFrame(kSixtieth);
        EXPECT_EQ(Alive(system), 0u);
        EXPECT_EQ(DrawnIndices(*system.GetSpriteGroup()), 0u);
    }
}

TEST_F(ParticleSystemTest, SizeAndColourFollowTheLifeCurve) {
    ParticleFileWriter::ParticleSystem file = StillParticles();
    file.interpolate = 0;
    file.rate[0] = 1.0f;
    for (int k = 1; k < ParticleFileWriter::kKeyCount; ++k) file.rate[k] = 0.0f;
    for (int k = 0; k < ParticleFileWriter::kKeyCount; ++k) {
        file.life[k] = 1.0f;
        file.size[k] = 10.0f * static_cast<float>(k);
        file.colour[k][0] = 0.2f * static_cast<float>(k);
    }
    ParticleSystem& system = Instance(file);
    system.Start(false);

    for (int i = 0; i < 20; ++i) NextFrame(0.025);
    const Particle& particle = system.GetParticles()[0];
    ASSERT_FALSE(particle.dead);
    const Vantor::Sprite& sprite = *system.GetSpriteGroup()->GetSprite(particle.sprite);
    // The keys rise evenly: the curve is a straight line over the life.
    EXPECT_NEAR(particle.age, 0.5f, 1e-4f);
    EXPECT_NEAR(sprite.size, 50.0f * particle.age, 1e-3f);
    EXPECT_NEAR(sprite.colour.x, particle.age, 1e-4f);
}

TEST_F(ParticleSystemTest, BouncingParticleLosesSpeedAtEachBounceAndDiesAfterTheNinth) {
    ParticleFileWriter::ParticleSystem file;
    file.period = 1000.0f;
    file.interpolate = 0;
    file.rate[0] = 1.0f;
    for (int k = 0; k < ParticleFileWriter::kKeyCount; ++k) {
        if (k > 0) file.rate[k] = 0.0f;
        file.life[k] = 1000.0f;
        file.directionBase[k][2] = -1.0f;
        for (float& spread : file.directionSpread[k]) spread = 0.0f;
    }
    file.gravity = 30.0f;
    ParticleSystem& system = Instance(file);  // floor at -1, damping 0.9, threshold 0.4
    system.Start(false);

    const Particle& particle = system.GetParticles()[0];
    std::vector<float> factors;
    int frame = 0;
    int lastBounceFrame = -1;
    for (; frame < 2000; ++frame) {
        const float before = particle.speedFactor;
        NextFrame(kSixtieth);
        if (particle.dead) break;
        if (particle.speedFactor != before) {
            factors.push_back(particle.speedFactor);
            lastBounceFrame = frame;
            const Vantor::Sprite& sprite = *system.GetSpriteGroup()->GetSprite(particle.sprite);
            EXPECT_FLOAT_EQ(sprite.position.z, -0.999f);
            EXPECT_EQ(particle.fallSpeed, 0.0f);
            EXPECT_GE(particle.direction.z, 0.0f) << "it flies on upwards";
            EXPECT_FLOAT_EQ(particle.keyDirections[5].z, particle.direction.z);
        }
    }
    ASSERT_EQ(factors.size(), 9u);
    float expected = 1.0f;
    for (std::size_t i = 0; i + 1 < factors.size(); ++i) {
        expected *= 0.9f;
        EXPECT_NEAR(factors[i], expected, 1e-5f);
    }
    EXPECT_EQ(factors.back(), 0.0f) << "0.9^9 is under the threshold";
    EXPECT_TRUE(particle.dead);
    EXPECT_EQ(frame, lastBounceFrame + 1) << "it dies in the update after its last bounce";
}

TEST_F(ParticleSystemTest, StoppedParticleLivesOnWhenStoppedParticlesAreKept) {
    ParticleFileWriter::ParticleSystem file;
    file.killWhenStopped = 0;
    file.stopThreshold = 0.95f;  // the first bounce stops it
    file.interpolate = 0;
    for (int k = 0; k < ParticleFileWriter::kKeyCount; ++k) {
        file.rate[k] = k == 0 ? 1.0f : 0.0f;
        file.life[k] = 1000.0f;
        file.directionBase[k][2] = -1.0f;
        for (float& spread : file.directionSpread[k]) spread = 0.0f;
    }
    ParticleSystem& system = Instance(file);
    system.Start(false);
    Births(system, 60);
    const Particle& particle = system.GetParticles()[0];
    EXPECT_FALSE(particle.dead);
    EXPECT_EQ(particle.speedFactor, 0.0f);
    EXPECT_NEAR(system.GetSpriteGroup()->GetSprite(particle.sprite)->position.z, -0.999f, 1e-5f);
}

TEST_F(ParticleSystemTest, EmitterShapePlacesNewParticles) {
    struct Case {
        std::uint32_t shape;
        Vector3 low, high;
    };
    // The emitter sits at (10, 20, 30) with the box -1..1, -2..2, 0..0.5 around it.
    const Case cases[] = {
        {ParticleSystem::kPointEmitter, {10, 20, 30}, {10, 20, 30}},
        {ParticleSystem::kBoxEmitter, {9, 18, 30}, {11, 22, 30.5f}},
        {ParticleSystem::kPathEmitter, {0, 0, 0}, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shape);
        ParticleFileWriter::ParticleSystem file = StillParticles();
        file.emitterShape = c.shape;
        file.boxMinimum[0] = -1;
        file.boxMinimum[1] = -2;
        file.boxMinimum[2] = 0;
        file.boxMaximum[0] = 1;
        file.boxMaximum[1] = 2;
        file.boxMaximum[2] = 0.5f;
        file.rate[0] = file.rate[1] = 600.0f;
        ParticleSystem& system = Instance(file);
        EXPECT_EQ(system.GetEmitterShape(), static_cast<std::int32_t>(c.shape));
        system.SetPosition({10, 20, 30});
        system.Start(true);
        NextFrame(kSixtieth);
        ASSERT_GE(Alive(system), 9u);
        for (const Particle& particle : system.GetParticles()) {
            if (particle.dead) continue;
            const Vector3& p = system.GetSpriteGroup()->GetSprite(particle.sprite)->position;
            EXPECT_TRUE(p.x >= c.low.x && p.x <= c.high.x && p.y >= c.low.y && p.y <= c.high.y &&
                        p.z >= c.low.z - 1e-4f && p.z <= c.high.z + 1e-4f)
                << p.x << ", " << p.y << ", " << p.z;
        }
        particles_->ReleaseParticleSystem(&system);
    }
}

TEST_F(ParticleSystemTest, HiddenSystemNeitherEmitsNorMovesUntilShownAgain) {
    ParticleFileWriter::ParticleSystem file = StillParticles();
    for (int k = 0; k < ParticleFileWriter::kKeyCount; ++k) file.speedBase[k] = 1.0f;
    ParticleSystem& system = Instance(file);
    system.Start(true);
    Births(system, 30);
    const std::uint32_t alive = Alive(system);
    ASSERT_GT(alive, 0u);

    system.SetVisible(false);
    EXPECT_FALSE(system.IsVisible());
    const float time = system.GetTime();
    const Vector3 position = system.GetSpriteGroup()->GetSprite(system.GetParticles()[0].sprite)->position;
    const float age = system.GetParticles()[0].age;
    Births(system, 30);
    EXPECT_EQ(Alive(system), alive);
    EXPECT_EQ(system.GetTime(), time);
    EXPECT_EQ(system.GetParticles()[0].age, age);
    EXPECT_FALSE(system.GetSpriteGroup()->GetSprite(system.GetParticles()[0].sprite)->position != position);

    system.SetVisible(true);
    Births(system, 30);
    EXPECT_GT(Alive(system), alive);
    EXPECT_GT(system.GetParticles()[0].age, age);
}

TEST_F(ParticleSystemTest, FullPoolStopsSpawningAndKeepsOnlyTheFraction) {
    ParticleFileWriter::ParticleSystem file = StillParticles();
    file.maxParticles = 4;
    for (float& rate : file.rate) rate = 630.0f;  // 10.5 a frame
    ParticleSystem& system = Instance(file);
    system.Start(true);
    NextFrame(kSixtieth);
    EXPECT_EQ(Alive(system), 4u);
    NextFrame(kSixtieth);
    EXPECT_EQ(Alive(system), 4u);
    EXPECT_EQ(DrawnIndices(*system.GetSpriteGroup()), 24u);
}

TEST_F(ParticleSystemTest, TemplatesSitStillAndInstancesStartFresh) {
    ParticleFileWriter::ParticleSystem file = StillParticles();
    file.maxParticles = 50;
    file.emitterShape = ParticleSystem::kBoxEmitter;
    ParticleSystem& source = Template(file);
    source.Start(true);
    Births(source, 30);
    EXPECT_EQ(Alive(source), 0u) << "a template is not updated";
    EXPECT_EQ(particles_->GetRegisteredCount(), 0u);

    ParticleSystem& first = *particles_->CreateParticleSystemInstance(source);
    first.Start(true);
    first.SetPosition({1, 2, 3});
    Births(first, 30);
    ASSERT_GT(Alive(first), 0u);

    // A copy of a running instance: the parameters, not the particles.
    ParticleSystem& second = *particles_->CreateParticleSystemInstance(first);
    EXPECT_EQ(second.GetName(), L"fx\\test0.psf");
    EXPECT_EQ(second.GetMaxParticles(), 50u);
    EXPECT_EQ(second.GetEmitterShape(), ParticleSystem::kBoxEmitter);
    EXPECT_EQ(Alive(second), 0u);
    EXPECT_FALSE(second.IsEmitting());
    EXPECT_EQ(second.GetTime(), 0.0f);
    EXPECT_EQ(second.GetLastKey(), -1);
    EXPECT_FALSE(second.GetPosition() != Vector3());
    NextFrame(kSixtieth);
    EXPECT_EQ(DrawnIndices(*second.GetSpriteGroup()), 0u) << "the source's particles are not drawn in the copy";
    EXPECT_EQ(particles_->GetRegisteredCount(), 2u);

    const std::uint32_t groups = sprites_->GetRegisteredCount();
    particles_->ReleaseParticleSystem(&source);  // a template: left alone
    particles_->ReleaseParticleSystem(nullptr);
    EXPECT_EQ(particles_->GetRegisteredCount(), 2u);
    particles_->ReleaseParticleSystem(&second);
    EXPECT_EQ(particles_->GetRegisteredCount(), 1u);
    EXPECT_EQ(sprites_->GetRegisteredCount(), groups - 1) << "its sprite group goes with it";
}

TEST_F(ParticleSystemTest, Version203FileLeavesTheSpeedSpreadAtZero) {
    ParticleFileWriter::ParticleSystem file = StillParticles();
    file.version = 203;
    file.maxParticles = 7;
    for (float& spread : file.speedSpread) spread = 5.0f;  // not written in 203
    const ParticleSystem& system = Template(file);
    EXPECT_EQ(system.GetName(), L"fx\\test0.psf");
    EXPECT_EQ(system.GetMaxParticles(), 7u);
    for (float spread : system.GetParameters().speedSpread) EXPECT_EQ(spread, 0.0f);
}

TEST_F(ParticleSystemTest, UnreadableFilesGiveTheProceduralEffect) {
    ParticleFileWriter::ParticleSystem zeroPeriod = StillParticles();
    zeroPeriod.period = 0.0f;
    ParticleFileWriter::ParticleSystem negativePeriod = StillParticles();
    negativePeriod.period = -2.0f;
    ParticleFileWriter::ParticleSystem hugePool = StillParticles();
    hugePool.maxParticles = 0x7FFFFFFF;
    for (const auto& file : {zeroPeriod, negativePeriod, hugePool}) {
        log_->ClearMessages();
        ParticleSystem& system = Template(file);
        EXPECT_EQ(system.GetName(), L"self_made");
        EXPECT_EQ(system.GetMaxParticles(), 100u);
        EXPECT_FLOAT_EQ(system.GetParameters().period, 1.0f);
        EXPECT_THAT(TakeErrors(), testing::ElementsAre(testing::StartsWith("Incorrect \"fx\\test")));

        // The procedural effect plays: particles are born and die.
        ParticleSystem& instance = *particles_->CreateParticleSystemInstance(system);
        instance.Start(true);
        Births(instance, 90);
        EXPECT_GT(Alive(instance), 0u);
        EXPECT_LT(Alive(instance), 20u);
        particles_->ReleaseParticleSystem(&instance);
    }
    templates_.emplace_back(particles_->LoadParticleSystem(L"fx\\missing.psf", nullptr, false));
    EXPECT_EQ(templates_.back()->GetName(), L"self_made");
}

TEST_F(ParticleSystemTest, MaterialComesFromTheShaderFileBesideIt) {
    ParticleFileWriter::ParticleSystem file = StillParticles();
    const ParticleSystem& plain = Template(file);
    EXPECT_EQ(plain.GetShaderUser()->GetStageCount(), 0u) << "no shader file: the default material";

    Content::ShaderFileWriter::Shader shader;
    shader.flags = 1;
    shader.blendFactors[0] = 4;
    shader.blendFactors[1] = 2;
    Content::ShaderFileWriter::Stage stage;
    stage.textureName = "spark";
    shader.stages.push_back(stage);
    Content::ShaderFileWriter::WriteFile(L"data\\fx\\test1.srf", shader);
    const ParticleSystem& textured = Template(file);
    ASSERT_EQ(textured.GetShaderUser()->GetStageCount(), 1u);
    EXPECT_EQ(textured.GetShaderUser()->GetStage(0).textureName, "fx\\spark");
    EXPECT_EQ(textured.GetModel(), textured.GetSpriteGroup()->GetModel());
}

}  // namespace
