#pragma once
// What the background tests share: the whole engine (with its GUI manager) in a private
// home on the virtual clock, a data keeper filled with resources the content writers
// make (models, particle systems, shader users under keys of the test's choosing), the
// background file written below the data folder, and frames of a given length in which
// the background updates between the engine's frame start and end.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "content/ModelFileWriter.h"
#include "content/ParticleFileWriter.h"
#include "engine/kernel/Engine.h"
#include "engine/kernel/Vector4.h"
#include "tests/engine/kernel/EngineSceneTestSupport.h"
#include "tools/DataKeeper.h"

namespace GUITools {
class GUIBackgroundBase;
class GUIBackgroundLayer;
}  // namespace GUITools

namespace backgroundtest {

// Where the tests' background file lies.
inline const std::wstring kBackgroundPath = L"data\\background\\background.xml";

class BackgroundTest : public enginetest::EngineSceneTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the resource's file below "data\background\" (a model with an untextured
    // material beside it) and stores it in the keeper under the key at once.
    void AddModel(const std::string& key, const Content::ModelFileWriter::Model& model);
    void AddParticles(const std::string& key, const Content::ParticleFileWriter::ParticleSystem& system);
    // A material of one texture (a solid picture) whose stage shows its two frames in
    // turn, one a second.
    void AddShader(const std::string& key);

    // The background file: the document element "background" with the attributes and
    // the layer elements.
    void WriteBackground(const std::string& attributes, const std::string& layers) const;
    void WriteFile(const std::string& relative, const std::string& bytes) const;

    // The clock moves on by the seconds (the virtual clock, or the real one on the sdl
    // backend), then the engine's frame start, the background's update and the engine's
    // frame end.
    void Frame(GUITools::GUIBackgroundBase& background, float seconds);
    // Frames of 0.1 s for the seconds. That is the frame clock's longest frame, so on the
    // real clock too each of them lasts exactly 0.1 s, however loaded the machine.
    void Run(GUITools::GUIBackgroundBase& background, float seconds);

    // The layer of the name; the test fails without one.
    static GUITools::GUIBackgroundLayer& Layer(const GUITools::GUIBackgroundBase& background,
                                               const std::string& name);
    // The error lines logged since the last call.
    static std::vector<std::string> TakeErrors();

    std::unique_ptr<Vantor::Engine> engine_;
    std::unique_ptr<GameTools::DataKeeper> keeper_;
};

}  // namespace backgroundtest
