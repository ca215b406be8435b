#include "tests/gui_tools/BackgroundTestSupport.h"

#include <algorithm>
#include <cmath>

#include "content/ShaderFileWriter.h"
#include "engine/gui/GUIManager.h"
#include "engine/kernel/MessageManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderStage.h"
#include "gui_tools/GUIBackgroundBase.h"
#include "gui_tools/GUIBackgroundLayer.h"
#include "platform/Clock.h"
#include "tests/tools/ResourceFileSupport.h"

namespace backgroundtest {

namespace {

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// The file name of a key: "bg/quad" lies in "background\bg_quad".
std::string FileStem(const std::string& key) {
    std::string stem = key;
    std::replace(stem.begin(), stem.end(), '/', '_');
    return "background/" + stem;
}

std::wstring DataPath(const std::string& relative) {
    std::wstring path = Wide(relative);
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

}  // namespace

void BackgroundTest::SetUp() {
    EngineSceneTest::SetUp();
    engine_ = std::make_unique<Vantor::Engine>(home_.Settings());
    Vantor::GUIManager::Instance()->SetScreenSize(800.0f, 600.0f);
    keeper_ = std::make_unique<GameTools::DataKeeper>();
    Vantor::MessageManager::Instance()->ClearMessages();
}

void BackgroundTest::TearDown() {
    keeper_.reset();
    engine_.reset();
    EngineSceneTest::TearDown();
}

void BackgroundTest::AddModel(const std::string& key, const Content::ModelFileWriter::Model& model) {
    const std::string file = FileStem(key) + ".mdl";
    const Content::ModelFileWriter::Bytes bytes = Content::ModelFileWriter::Build(model);
    WriteFile("data/" + file, std::string(bytes.begin(), bytes.end()));
    // An untextured material beside it.
    const Content::ShaderFileWriter::Bytes material = Content::ShaderFileWriter::Build({});
    WriteFile("data/" + FileStem(key) + ".srf", std::string(material.begin(), material.end()));
    keeper_->RequestModel(key, DataPath(file), true, false, 0.0f, false, true, false);
}

void BackgroundTest::AddParticles(const std::string& key, const Content::ParticleFileWriter::ParticleSystem& system) {
    const std::string file = FileStem(key) + ".psf";
    const Content::ParticleFileWriter::Bytes bytes = Content::ParticleFileWriter::Build(system);
    WriteFile("data/" + file, std::string(bytes.begin(), bytes.end()));
    keeper_->RequestParticleSystem(key, DataPath(file), false, true, false);
}

void BackgroundTest::AddShader(const std::string& key) {
    const std::string file = FileStem(key);
    WriteFile("data/" + file + ".tga", keepertest::SolidPicture(2));
    std::string texture = file;
    std::replace(texture.begin(), texture.end(), '/', '\\');
    const Vantor::ShaderDescriptor material(false, false, Vantor::ShaderStage::kGridSheet, 2, 1, 2, 1.0f,
                                            texture, true);
    keeper_->RequestShader(key, material, false, true, false);
}

void BackgroundTest::WriteBackground(const std::string& attributes, const std::string& layers) const {
    WriteFile("data/background/background.xml",
              "<?xml version=\"1.0\"?>\n<background " + attributes + ">\n" + layers + "\n</background>\n");
}

void BackgroundTest::WriteFile(const std::string& relative, const std::string& bytes) const {
    home_.folder.WriteFile(relative, bytes);
}

void BackgroundTest::Frame(GUITools::GUIBackgroundBase& background, float seconds) {
    platform::SleepMicroseconds(static_cast<std::uint64_t>(std::lround(seconds * 1e6f)));
    engine_->BeginFrame();
    background.Update();
    engine_->EndFrame();
}

void BackgroundTest::Run(GUITools::GUIBackgroundBase& background, float seconds) {
    for (long frame = std::lround(seconds * 10.0f); frame > 0; --frame) Frame(background, 0.1f);
}

GUITools::GUIBackgroundLayer& BackgroundTest::Layer(const GUITools::GUIBackgroundBase& background,
                                                    const std::string& name) {
    for (GUITools::GUIBackgroundLayer* layer : background.layers)
        if (layer->GetName() == name) return *layer;
    ADD_FAILURE() << "no layer " << name;
    return *background.layers.at(0);
}

std::vector<std::string> BackgroundTest::TakeErrors() {
    return enginetest::TakeErrors(*Vantor::MessageManager::Instance());
}

}  // namespace backgroundtest
