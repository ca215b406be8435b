// Reading a background file and making its layers: the orders of the layers by their
// elements' positions (additional ones later), the resource keys from the prefix and
// the names, the elements that make no layer, the animation settings of the attributes,
// and files that cannot be read leaving an empty background that still works.

#include "gui_tools/GUIBackgroundBase.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "content/ModelShapes.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ShaderUser.h"
#include "gui_tools/GUIBackgroundLayer.h"
#include "tests/gui_tools/BackgroundTestSupport.h"

namespace {

using Content::ModelShapes;
using GUITools::GUIBackgroundBase;
using GUITools::GUIBackgroundLayer;
using Strings = std::vector<std::string>;

class BackgroundFileTest : public backgroundtest::BackgroundTest {
protected:
    // The frames of the path model and its speed in frames per second.
    static constexpr int kPathFrames = 5;
    static constexpr float kPathSpeed = 2.0f;

    void AddQuad(const std::string& key) { AddModel(key, ModelShapes::Quad({100, 100, 200, 150})); }
    void AddPath(const std::string& key) {
        AddModel(key, ModelShapes::Path(40, 40, {{0, 100, 100}, {kPathFrames - 1, 500, 300}}, kPathSpeed));
    }

    static Strings Names(const GUIBackgroundBase& background) {
        Strings names;
        for (const GUIBackgroundLayer* layer : background.layers) names.push_back(layer->GetName());
        return names;
    }
    static Vantor::AnimationControl& Animation(const GUIBackgroundLayer& layer) {
        return *layer.GetWindow()->GetModel()->GetAnimationControl();
    }
};

// --- orders -----------------------------------------------------------------------------

TEST_F(BackgroundFileTest, LayersTakeTheOrdersOfTheirElementsAndAdditionalOnesComeLater) {
    for (const char* key : {"back", "middle", "front"}) AddQuad(key);
    WriteBackground("", R"(<model name="back"/><model name="middle" additional="1"/><model name="front"/>)");
    GUIBackgroundBase background(keeper_.get(), nullptr, backgroundtest::kBackgroundPath);
    EXPECT_TRUE(background.layers.empty()) << "the base makes no layer itself";
    EXPECT_EQ(background.GetFrontWindow()->GetOrder(), 3 + 3);

    background.CreateBasicLayers();
    ASSERT_EQ(Names(background), (Strings{"back", "front"}));
    EXPECT_EQ(Layer(background, "back").GetWindow()->GetOrder(), 1);
    EXPECT_EQ(Layer(background, "front").GetWindow()->GetOrder(), 3);

    background.CreateAdditionalLayers();
    ASSERT_EQ(Names(background), (Strings{"back", "front", "middle"}));
    EXPECT_EQ(Layer(background, "middle").GetWindow()->GetOrder(), 2);

    // Later elements lie in front (more negative depths), the front window before all.
    const float back = Layer(background, "back").GetWindow()->GetDepth();
    const float middle = Layer(background, "middle").GetWindow()->GetDepth();
    const float front = Layer(background, "front").GetWindow()->GetDepth();
    EXPECT_LT(middle, back);
    EXPECT_LT(front, middle);
    EXPECT_LT(background.GetFrontWindow()->GetDepth(), front);
    for (const GUIBackgroundLayer* layer : background.layers)
        EXPECT_EQ(layer->GetWindow()->GetParent(), background.GetLayersWindow());
    EXPECT_EQ(TakeErrors(), Strings{});
}

TEST_F(BackgroundFileTest, ElementsWithoutANameOrOfAnotherKindMakeNoLayerButKeepTheirPlaces) {
    AddQuad("quad");
    WriteBackground("", R"(<model shader="glow"/><sprite name="quad"/><particles/><model name="quad"/>)");
    GUIBackgroundBase background(keeper_.get(), nullptr, backgroundtest::kBackgroundPath);
    background.CreateBasicLayers();
    background.CreateAdditionalLayers();
    ASSERT_EQ(Names(background), Strings{"quad"});
    EXPECT_EQ(background.layers[0]->GetWindow()->GetOrder(), 4);
    EXPECT_EQ(background.GetFrontWindow()->GetOrder(), 4 + 3);
    EXPECT_EQ(TakeErrors(), Strings{});
}

// --- resource keys ----------------------------------------------------------------------

TEST_F(BackgroundFileTest, ResourcesAreLookedUpUnderThePrefixAndTheName) {
    // The keeper holds none of them: each lookup logs the key it asked for.
    const auto missing = [](const std::string& kind, const std::string& key) {
        return "(DataKeeper::Get" + kind + "): There is no \"" + key + "\" resource";
    };
    struct Case {
        std::string attributes;
        std::string layer;
        Strings lookups;
    };
    const std::vector<Case> cases = {
        {R"(resources_prefix="room")", R"(<model name="quad" shader="glow" animator_model="path"/>)",
         {missing("Model", "room/quad"), missing("ShaderUser", "room/glow"), missing("Model", "room/path")}},
        {"", R"(<model name="quad" shader="glow" animator_model="path"/>)",
         {missing("Model", "quad"), missing("ShaderUser", "glow"), missing("Model", "path")}},
        {R"(resources_prefix="room")", R"(<particles name="sparks" shader="glow"/>)",
         {missing("ParticleSystem", "room/sparks"), missing("ShaderUser", "room/glow")}},
        {R"(resources_prefix="room")", R"(<model name=""/>)", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attributes + " " + c.layer);
        WriteBackground(c.attributes, c.layer);
        GUIBackgroundBase background(keeper_.get(), nullptr, backgroundtest::kBackgroundPath);
        background.CreateBasicLayers();
        EXPECT_EQ(background.layers.size(), 1u);
        EXPECT_EQ(TakeErrors(), c.lookups);
    }
}

TEST_F(BackgroundFileTest, AModelLayerShowsACopyOfTheNamedModelInItsMaterialWithBlending) {
    AddQuad("room/quad");
    AddShader("room/glow");
    WriteBackground(R"(resources_prefix="room")", R"(<model name="quad" shader="glow"/><model name=""/>)");
    GUIBackgroundBase background(keeper_.get(), nullptr, backgroundtest::kBackgroundPath);
    background.CreateBasicLayers();
    EXPECT_EQ(TakeErrors(), Strings{});

    const Vantor::Model& model = *Layer(background, "quad").GetWindow()->GetModel();
    EXPECT_NE(&model, keeper_->GetModel("room/quad")) << "a copy";
    EXPECT_EQ(model.GetName(), keeper_->GetModel("room/quad")->GetName());
    const Vantor::ShaderUser& material = *model.GetShaderUser();
    EXPECT_EQ(material.GetShader(), keeper_->GetShaderUser("room/glow")->GetShader());
    EXPECT_TRUE(material.GetFlags() & Vantor::ShaderDescriptor::kBlending);
    EXPECT_EQ(material.GetBlendFactor(0), static_cast<int>(Vantor::BlendFactor::SrcAlpha));
    EXPECT_EQ(material.GetBlendFactor(1), static_cast<int>(Vantor::BlendFactor::InvSrcAlpha));
    EXPECT_TRUE(material.GetAnimationControl(0)->IsPlaying()) << "the stage's frames run";

    EXPECT_EQ(Layer(background, "").GetWindow()->GetModel(), nullptr);
}

// --- animation settings -----------------------------------------------------------------

TEST_F(BackgroundFileTest, TheAnimationSpeedIsTheModelsOwnUnlessGivenAndZeroStopsIt) {
    AddPath("path");
    WriteBackground("", R"(<model name="path"/><model name="path" animation_speed="0"/>)"
                        R"(<model name="path" animation_speed="3.5"/>)");
    GUIBackgroundBase background(keeper_.get(), nullptr, backgroundtest::kBackgroundPath);
    background.CreateBasicLayers();
    ASSERT_EQ(background.layers.size(), 3u);
    EXPECT_FLOAT_EQ(Animation(*background.layers[0]).GetSpeed(), kPathSpeed);
    EXPECT_FLOAT_EQ(Animation(*background.layers[1]).GetSpeed(), 0.0f);
    EXPECT_FLOAT_EQ(Animation(*background.layers[2]).GetSpeed(), 3.5f);

    background.Show(true, false, 1.0f);
    const float stopped = Animation(*background.layers[1]).GetPosition();
    const float running = Animation(*background.layers[0]).GetPosition();
    Run(background, 0.3f);
    EXPECT_FLOAT_EQ(Animation(*background.layers[1]).GetPosition(), stopped);
    EXPECT_NE(Animation(*background.layers[0]).GetPosition(), running);
}

TEST_F(BackgroundFileTest, AnimationsLoopAndStartAtRandomUnlessTheFileSaysNo) {
    AddPath("path");
    WriteBackground("", R"(<model name="path"/><model name="path" animation_loop="0" random_start_frame="0"/>)");
    GUIBackgroundBase background(keeper_.get(), nullptr, backgroundtest::kBackgroundPath);
    background.CreateBasicLayers();
    background.Show(true, false, 1.0f);
    Vantor::AnimationControl& looping = Animation(*background.layers[0]);
    Vantor::AnimationControl& once = Animation(*background.layers[1]);
    EXPECT_GT(looping.GetPosition(), 0.0f);
    EXPECT_EQ(once.GetPosition(), 0.0f);

    // Both have played their frames through several times over.
    Run(background, 3.0f * kPathFrames / kPathSpeed);
    EXPECT_TRUE(looping.IsPlaying());
    EXPECT_FALSE(once.IsPlaying());

    // Showing again restarts them.
    background.Show(true, false, 1.0f);
    EXPECT_TRUE(once.IsPlaying());
    EXPECT_EQ(once.GetPosition(), 0.0f);
}

TEST_F(BackgroundFileTest, AttributesThatAreNotNumbersReadAsZero) {
    AddPath("path");
    WriteBackground("", R"(<model name="path" animation_speed="fast" color="red" random_start_frame="yes"/>)");
    GUIBackgroundBase background(keeper_.get(), nullptr, backgroundtest::kBackgroundPath);
    background.CreateBasicLayers();
    background.Show(true, false, 1.0f);
    Run(background, 0.2f);
    const GUIBackgroundLayer& layer = *background.layers.at(0);
    EXPECT_FLOAT_EQ(Animation(layer).GetSpeed(), 0.0f);
    EXPECT_EQ(Animation(layer).GetPosition(), 0.0f);
    EXPECT_FLOAT_EQ(layer.GetWindow()->GetAlpha(), 0.0f) << "the colour reads (0, 0, 0, 0)";
    EXPECT_EQ(TakeErrors(), Strings{});
}

// --- files that cannot be read ------------------------------------------------------------

TEST_F(BackgroundFileTest, AFileThatCannotBeReadIsLoggedAndLeavesAnEmptyBackgroundThatWorks) {
    AddQuad("quad");
    const std::string formatError = "XML format error at line 1";
    struct Case {
        const char* what;
        const char* bytes;  // null: no file
        std::string line;   // the start of the error line
    };
    const std::vector<Case> cases = {
        {"missing", nullptr, R"(Failed to open "data\background\background.xml" file)"},
        {"empty", "", formatError},
        {"not XML", "model name=quad", formatError},
        {"two document elements", R"(<background/><background><model name="quad"/></background>)", formatError},
        {"cut short", R"(<background><model name="quad"/><model na)", formatError},
        {"a picture's first bytes", "\x89PNG\r\n\x1a\n", formatError},
    };
    const std::uint32_t windows = Vantor::GUIManager::Instance()->GetWindows().GetCount();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(home_.folder.Path() / "data/background/background.xml");
        if (c.bytes) WriteFile("data/background/background.xml", c.bytes);
        {
            GUIBackgroundBase background(keeper_.get(), nullptr, backgroundtest::kBackgroundPath);
            const Strings lines = TakeErrors();
            ASSERT_EQ(lines.size(), 1u) << "one line";
            EXPECT_EQ(lines[0].substr(0, c.line.size()), c.line);
            EXPECT_FALSE(background.HasDocument());
            background.CreateBasicLayers();
            background.CreateAdditionalLayers();
            EXPECT_TRUE(background.layers.empty());

            background.Show(true, true, 1.0f);
            Run(background, 0.5f);
            EXPECT_TRUE(background.IsVisible());
            background.Show(false, true, 2.0f);
            Run(background, 0.5f);
            EXPECT_FALSE(background.IsVisible());
            background.Show(true, false, 1.0f);
            background.Show(false, false, 1.0f);
            EXPECT_FALSE(background.IsVisible());
        }
        EXPECT_EQ(Vantor::GUIManager::Instance()->GetWindows().GetCount(), windows) << "its windows are gone";
        EXPECT_EQ(TakeErrors(), Strings{});
    }
}

}  // namespace
