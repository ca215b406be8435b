#pragma once
// What the data keeper's tests share: the whole engine on the headless backend in a
// private home (the keeper works with nearly every scene manager), the resource files a
// list names written below its data folder, and a keeper whose own loading work is one
// extra step, as the game's per-day keeper has.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "content/ModelFileWriter.h"
#include "content/ParticleFileWriter.h"
#include "content/ShaderFileWriter.h"
#include "engine/kernel/Engine.h"
#include "engine/kernel/MessageManager.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/ShaderStage.h"
#include "platform/Clock.h"
#include "tests/engine/kernel/EngineSceneTestSupport.h"
#include "tests/tools/ResourceFileSupport.h"
#include "tools/DataKeeper.h"

namespace keepertest {

// Answers true for its one extra step (101) and for everything at once, and records
// every step it was asked for.
class OneExtraStepKeeper : public GameTools::DataKeeper {
public:
    bool LoadExtraStep(int step) override {
        askedSteps.push_back(step);
        return step == kResourceSteps + 1 || step == kAllExtraSteps;
    }
    bool IsComplete() const { return GetStep() == GetExtraStepCount() + kResourceSteps + 1; }

    std::vector<int> askedSteps;
};

class DataKeeperTest : public enginetest::EngineSceneTest {
protected:
    void SetUp() override {
        EngineSceneTest::SetUp();
        Vantor::EngineSettings settings = home_.Settings();
        settings.displayMode = "640x480x32";  // the smallest window: loading runs many frames
        engine_ = std::make_unique<Vantor::Engine>(settings);
        Vantor::MessageManager::Instance()->ClearMessages();
    }
    void TearDown() override {
        platform::seam::SetVirtualTimeStepPerReading(0);
        engine_.reset();
        EngineSceneTest::TearDown();
    }

    static std::vector<std::string> TakeErrors() { return enginetest::TakeErrors(*Vantor::MessageManager::Instance()); }
    static std::vector<std::string> Fatals() { return enginetest::Fatals(*Vantor::MessageManager::Instance()); }
    static std::uint32_t ShaderUserCount() { return Vantor::ShaderManager::Instance()->GetShaderUserCount(); }

    // A file below the base folder; the path as the program writes it ("data\ui\x.xml").
    void WriteFile(const std::wstring& path, const std::string& bytes) const {
        std::string relative;
        for (wchar_t c : path) relative.push_back(c == L'\\' ? '/' : static_cast<char>(c));
        home_.folder.WriteFile(relative, bytes);
    }
    template <class Bytes>
    void WriteBytes(const std::wstring& path, const Bytes& bytes) const {
        WriteFile(path, std::string(bytes.begin(), bytes.end()));
    }

    // A resource list with the elements inside its document element "resources".
    void WriteList(const std::wstring& path, const std::string& elements) const {
        WriteFile(path, "<?xml version=\"1.0\"?>\n<resources>\n" + elements + "\n</resources>\n");
    }

    // A static one-triangle model file below the data folder ("ui\m.mdl").
    void WriteModel(const std::wstring& path) const {
        WriteBytes(L"data\\" + path, Content::ModelFileWriter::Build(TriangleModel()));
    }

    void WriteParticles(const std::wstring& path) const {
        WriteBytes(L"data\\" + path, Content::ParticleFileWriter::Build({}));
    }

    // A shader file below the data folder with one single-texture stage per texture
    // name (relative to the data folder), mip-mapped when asked.
    void WriteShader(const std::wstring& path, const std::vector<std::string>& textures, bool mipMaps) const {
        Content::ShaderFileWriter::Shader shader;
        for (const std::string& texture : textures) {
            Content::ShaderFileWriter::Stage stage;
            stage.flags = mipMaps ? Vantor::ShaderStage::kMipMaps : 0;
            stage.textureName = texture;
            shader.stages.push_back(stage);
        }
        WriteBytes(L"data\\" + path, Content::ShaderFileWriter::Build(shader));
    }

    // A 2 x 2 opaque picture below the data folder.
    void WriteTexture(const std::wstring& path) const { WriteFile(L"data\\" + path, SolidPicture(2)); }

    std::unique_ptr<Vantor::Engine> engine_;
};

}  // namespace keepertest
