#pragma once
// What the sprite-group and particle-system tests share (header only, so that the sdl
// tests use it too): the Direct3D 7 render system's fixture with every manager a
// particle system works with, registered as the engine registers them, frames run as
// the engine's frame end runs them, particle files written below the data folder, and
// read access to a sprite group's quads.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <string>

#include "content/ParticleFileWriter.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/Model.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/SpriteGroup.h"
#include "engine/render/SpriteGroupManager.h"
#include "engine/render/Vertex.h"
#include "engine/render/VertexBuffer.h"
#include "platform/Clock.h"
#include "tests/engine/render/d3d7/D3D7TestSupport.h"

namespace spritetest {

class SpriteSceneTest : public d3d7test::ModelManagersTest {
protected:
    void SetUp() override {
        ModelManagersTest::SetUp();
        Values().vsync = false;
        Make();
        MakeModelManagers();
        sprites_ = std::make_unique<Vantor::SpriteGroupManager>();
        Vantor::SpriteGroupManager::Instance(sprites_.get());
        particles_ = std::make_unique<Vantor::ParticleSystemManager>();
        Vantor::ParticleSystemManager::Instance(particles_.get());
    }

    void TearDown() override {
        // The reverse of the engine's order of creation.
        particles_.reset();
        sprites_.reset();
        ModelManagersTest::TearDown();
    }

    // The frame clock moves on by the time (on the headless backend's virtual clock),
    // then the frame-end passes run up to the drawing: cameras, particle systems, sprite
    // groups.
    void NextFrame(double seconds) {
        const auto before = static_cast<std::uint64_t>(std::llround(clock_ * 1e6));
        clock_ += seconds;
        platform::seam::AdvanceVirtualTime(static_cast<std::uint64_t>(std::llround(clock_ * 1e6)) - before);
        timers_->Update();
        cameras_->ResizeCameras();
        particles_->Update();
        sprites_->Update();
    }

    // The model manager's draw pass and the presentation.
    void DrawFrame() {
        models_->Render();
        models_->SwapBuffers();
    }

    // Writes the particle file below the data folder; returns the name to load it by.
    static std::wstring WriteParticles(const std::wstring& name,
                                       const Content::ParticleFileWriter::ParticleSystem& system) {
        Content::ParticleFileWriter::WriteFile(L"data\\" + name, system);
        return name;
    }

    // Seconds of frame time the frame clock has been given.
    double clock_ = 0.0;
    std::unique_ptr<Vantor::SpriteGroupManager> sprites_;
    std::unique_ptr<Vantor::ParticleSystemManager> particles_;
};

// Vertex i of a sprite group's model.
inline const Vantor::ColouredVertex& VertexOf(const Vantor::SpriteGroup& group, std::uint32_t i) {
    return reinterpret_cast<const Vantor::ColouredVertex*>(group.GetModel()->GetVertexBuffer()->GetData())[i];
}

// The centre of the quad in draw slot j.
inline Vantor::Vector3 QuadCentre(const Vantor::SpriteGroup& group, std::uint32_t j) {
    Vantor::Vector3 sum;
    for (std::uint32_t i = 0; i < 4; ++i) {
        const Vantor::ColouredVertex& v = VertexOf(group, 4 * j + i);
        sum += Vantor::Vector3{v.position[0], v.position[1], v.position[2]};
    }
    return sum / 4.0f;
}

// How many indices the group's model draws.
inline std::uint32_t DrawnIndices(const Vantor::SpriteGroup& group) {
    return group.GetModel()->GetIndexBuffer()->GetCount();
}

}  // namespace spritetest
