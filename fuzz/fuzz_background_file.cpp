// Fuzzes the reading of background files: the input is a background's file below the
// data folder, over an engine on the headless backend and a data keeper holding a model,
// a moving animator model, a particle system and a material under keys with and without
// a prefix. The background is made, gets its basic and additional layers, is shown,
// faded and hidden over a few frames and destroyed; every window and particle system it
// made must be gone afterwards.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "content/ModelFileWriter.h"
#include "content/ModelShapes.h"
#include "content/ParticleFileWriter.h"
#include "engine/gui/GUIManager.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/TimerManager.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "fuzz/engine_fuzz_support.h"
#include "gui_tools/GUIBackgroundBase.h"
#include "platform/Clock.h"
#include "tools/DataKeeper.h"

namespace {

// The engine and the keeper with its resources.
struct BackgroundWorkspace : fuzzing::EngineWorkspace {
    BackgroundWorkspace() : EngineWorkspace("data/background") {
        Vantor::GUIManager::Instance()->SetScreenSize(800.0f, 600.0f);
        keeper = std::make_unique<GameTools::DataKeeper>();
        for (const std::string prefix : {"", "bg/"}) {
            AddModel(prefix + "quad", Content::ModelShapes::Quad({100, 100, 200, 150}));
            AddModel(prefix + "path", Content::ModelShapes::Path(40, 40, {{0, 100, 100}, {4, 500, 300}}, 2.0f));
            AddParticles(prefix + "sparks");
            keeper->RequestShader(prefix + "glow", Vantor::ShaderDescriptor(true, false, "", true), false, true,
                                  false);
        }
        ClearLog();
    }
    void AddModel(const std::string& key, const Content::ModelFileWriter::Model& model) {
        const Content::ModelFileWriter::Bytes bytes = Content::ModelFileWriter::Build(model);
        const std::string file = "m" + std::to_string(files++) + ".mdl";
        WriteFile("data/background/" + file, bytes.data(), bytes.size());
        keeper->RequestModel(key, L"background\\" + std::wstring(file.begin(), file.end()), true, false, 0.0f,
                             false, true, false);
    }
    void AddParticles(const std::string& key) {
        Content::ParticleFileWriter::ParticleSystem system;
        system.emitterShape = files % 2;  // a point and a box
        const Content::ParticleFileWriter::Bytes bytes = Content::ParticleFileWriter::Build(system);
        const std::string file = "p" + std::to_string(files++) + ".psf";
        WriteFile("data/background/" + file, bytes.data(), bytes.size());
        keeper->RequestParticleSystem(key, L"background\\" + std::wstring(file.begin(), file.end()), false, true,
                                      false);
    }

    // Frames of 0.1 s with the per-frame passes the layers take part in; nothing is
    // drawn, which would cost most of the time.
    static void Frames(GUITools::GUIBackgroundBase& background, int count) {
        for (int frame = 0; frame < count; ++frame) {
            platform::seam::AdvanceVirtualTime(100000);
            Vantor::TimerManager::Instance()->Update();
            background.Update();
            Vantor::ParticleSystemManager::Instance()->Update();
            Vantor::GUIManager::Instance()->Update();
        }
    }

    int files = 0;
    // Goes before the engine.
    std::unique_ptr<GameTools::DataKeeper> keeper;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static BackgroundWorkspace workspace;
    workspace.WriteFile("data/background/background.xml", data, size);
    const std::uint32_t windows = Vantor::GUIManager::Instance()->GetWindows().GetCount();
    const std::uint32_t systems = Vantor::ParticleSystemManager::Instance()->GetRegisteredCount();
    {
        GUITools::GUIBackgroundBase background(workspace.keeper.get(), nullptr, L"data\\background\\background.xml");
        background.CreateBasicLayers();
        background.Show(true, true, 1.0f);
        workspace.Frames(background, 2);
        background.CreateAdditionalLayers();
        workspace.Frames(background, 1);
        background.Show(false, true, 2.0f);
        workspace.Frames(background, 6);
        if (background.IsVisible()) std::abort();
        background.Show(true, false, 1.0f);
        workspace.Frames(background, 1);
        background.Show(false, false, 1.0f);
    }
    if (Vantor::GUIManager::Instance()->GetWindows().GetCount() != windows) std::abort();
    if (Vantor::ParticleSystemManager::Instance()->GetRegisteredCount() != systems) std::abort();
    workspace.ClearLog();
    return 0;
}
