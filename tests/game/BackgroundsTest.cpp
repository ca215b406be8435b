// The game's four backgrounds on the headless backend's virtual clock: the room hiding
// decorations where machines stand, the menu's raised front window, the final one, and
// the house placing its pack pictures from the placement file, showing only what the
// current profile has built and fading a new part in under a burst; broken placement
// files end the run.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "content/HousePlacementWriter.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/Model.h"
#include "engine/render/ModelFlags.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "game/Background.h"
#include "game/FinalBackground.h"
#include "game/GUIBackground.h"
#include "game/HouseBackground.h"
#include "game/Profile.h"
#include "game/ProfileManager.h"
#include "gui_tools/GUIBackgroundLayer.h"
#include "platform/DirectDrawSeams.h"
#include "tests/game/GameDataTestSupport.h"

namespace {

using Content::HousePlacementWriter;
using gametest::GameDataFolder;
using GUITools::GUIBackgroundBase;
using GUITools::GUIBackgroundLayer;

void ExpectVector(float x, float y, const Vantor::Vector2& actual) {
    EXPECT_FLOAT_EQ(x, actual.x);
    EXPECT_FLOAT_EQ(y, actual.y);
}

void ExpectVector(float x, float y, const Vantor::Vector3& actual) {
    ExpectVector(x, y, Vantor::Vector2(actual.x, actual.y));
    EXPECT_FLOAT_EQ(0.0f, actual.z);
}

// The house pack of the small game holds "roof" (64 x 16) and "chimney" (16 x 16).
HousePlacementWriter::File Placements() {
    HousePlacementWriter::File file;
    file.entries = {{"house_base", "roof", 10.0f, 20.0f, {7, 8}},
                    {"upgrade_roof", "roof", 100.0f, 200.0f, {0, 0}},
                    {"upgrade_chimney", "chimney", 300.0f, 250.0f, {0, 0}},
                    {"upgrade_roof_chimney", "chimney", 400.0f, 300.0f, {0, 0}},
                    {"upgrade_roof", "chimney", 1.0f, 1.0f, {0, 0}}};
    return file;
}

class BackgroundsTest : public gametest::GameDataTest {
protected:
    void SetUp() override {
        GameDataTest::SetUp();
        Vantor::GUIManager::Instance()->SetScreenSize(800.0f, 600.0f);
        GameDataFolder::WriteParticles(L"ui\\particles\\build.prt");
        std::string elements = R"(<game_logic><house><particles name="build" file_name="particles\build.prt"/>)"
                               "</house></game_logic>\n";
        for (const char* key : {"room/wall", "room/frame_soda", "room/frame_coffee", "room/palm_ice_cream_chocolate",
                                "menu/sky", "menu/clouds", "house/ground"})
            elements += GameDataFolder::ModelElement(key);
        GameDataFolder::WriteResourceList(L"data\\ui\\resources.xml", elements);
        Load(gametest::SmallGame(), {L"data\\ui\\resources.xml"});
        profiles_ = std::make_unique<Morvane::ProfileManager>(nullptr, home_.root + L"\\user");
        profiles_->SelectProfile(profiles_->CreateProfileIfMissing(L"Anna"), false);
    }
    void TearDown() override {
        profiles_.reset();
        GameDataTest::TearDown();
    }

    static void WriteDescription(const std::wstring& path, const std::string& prefix, const std::string& layers) {
        GameDataFolder::WriteText(path, "<?xml version=\"1.0\"?>\n<background resources_prefix=\"" + prefix +
                                            "\">\n" + layers + "\n</background>\n");
    }
    static void WriteHouse(const HousePlacementWriter::File& placements = Placements()) {
        WriteDescription(Morvane::HouseBackground::kDescriptionFile, "house",
                         R"(<model name="ground"/>
                            <texture_pack name="house_base"/>
                            <texture_pack name="upgrade_roof"/>
                            <texture_pack name="upgrade_chimney"/>
                            <texture_pack name="upgrade_roof_chimney" additional="1"/>
                            <texture_pack name="upgrade_tower"/>
                            <texture_pack/>
                            <picture name="house_base"/>)");
        HousePlacementWriter::WriteFile(Morvane::HouseBackground::kPlacementFile, placements);
    }

    // One frame of 0.1 s on the virtual clock, the background updating inside it.
    void Run(GUIBackgroundBase& background, float seconds) {
        for (int frame = static_cast<int>(seconds * 10.0f + 0.5f); frame > 0; --frame) {
            platform::seam::AdvanceVirtualTime(100000);
            engine_->BeginFrame();
            background.Update();
            engine_->EndFrame();
        }
    }

    static std::vector<std::string> Names(const std::vector<GUIBackgroundLayer*>& layers) {
        std::vector<std::string> names;
        for (const GUIBackgroundLayer* layer : layers) names.push_back(layer->GetName());
        return names;
    }
    static std::vector<std::string> VisibleNames(const GUIBackgroundBase& background) {
        std::vector<std::string> names;
        for (const GUIBackgroundLayer* layer : background.layers)
            if (layer->GetWindow()->IsVisible()) names.push_back(layer->GetName());
        return names;
    }
    static const GUIBackgroundLayer& Layer(const GUIBackgroundBase& background, const std::string& name) {
        for (const GUIBackgroundLayer* layer : background.layers)
            if (layer->GetName() == name) return *layer;
        throw std::runtime_error("no layer " + name);
    }

    Morvane::Profile& Current() { return *profiles_->GetCurrent(); }

    std::unique_ptr<Morvane::HouseBackground> House() {
        return std::make_unique<Morvane::HouseBackground>(profiles_.get(), data_.get(), nullptr);
    }

    // The text of the fatal line the house background ends in; "" when it is made.
    std::string HouseFatal() {
        try {
            House();
        } catch (const Vantor::FatalError& error) {
            EXPECT_EQ(Fatals(), std::vector<std::string>{error.GetText()});
            return error.GetText();
        }
        return "";
    }

    std::unique_ptr<Morvane::ProfileManager> profiles_;
};

TEST_F(BackgroundsTest, RoomHidesTheDecorationWhereAMachineStands) {
    WriteDescription(Morvane::Background::kDescriptionFile, "room",
                     R"(<model name="wall"/><model name="frame_soda"/><model name="frame_coffee"/>
                        <model name="palm_ice_cream_chocolate" additional="1"/>)");
    const struct {
        std::vector<std::string> machines;
        std::vector<std::string> shown;
    } cases[] = {
        {{}, {"wall", "frame_soda", "frame_coffee", "palm_ice_cream_chocolate"}},
        {{"soda_machine_2"}, {"wall", "frame_coffee", "palm_ice_cream_chocolate"}},
        {{"popcorn", "big_coffee_maker", "ice_cream_chocolate_1"}, {"wall", "frame_soda"}},
        // Only the part of a machine's name counts, and only for those three layers.
        {{"ice_cream", "wall"}, {"wall", "frame_soda", "frame_coffee", "palm_ice_cream_chocolate"}},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(testing::PrintToString(entry.machines));
        Morvane::Background room(data_.get(), nullptr, entry.machines);
        EXPECT_TRUE(room.IsVisible());
        EXPECT_EQ(entry.shown, VisibleNames(room));
        room.Show(false, false, 1.0f);
        room.Show(true, true, 1.0f);
        Run(room, 1.5f);
        EXPECT_EQ(entry.shown, VisibleNames(room));
    }
}

TEST_F(BackgroundsTest, MenuMakesItsBasicLayersAndRaisesItsFrontWindow) {
    WriteDescription(Morvane::GUIBackground::kDescriptionFile, "menu",
                     R"(<model name="sky"/><model name="clouds" additional="1"/>)");
    Morvane::GUIBackground menu(data_.get());
    EXPECT_EQ(std::vector<std::string>{"sky"}, Names(menu.layers));
    // Two layer elements, three beyond them, twenty more.
    EXPECT_EQ(2 + 3 + 20, menu.GetFrontWindow()->GetOrder());
    EXPECT_EQ(nullptr, menu.GetRootWindow()->GetParent());
    EXPECT_FALSE(menu.IsVisible());
    menu.CreateAdditionalLayers();
    EXPECT_EQ((std::vector<std::string>{"sky", "clouds"}), Names(menu.layers));
}

TEST_F(BackgroundsTest, FinalMakesEveryLayerAndWaitsToBeShown) {
    WriteDescription(Morvane::FinalBackground::kDescriptionFile, "menu",
                     R"(<model name="sky"/><model name="clouds" additional="1"/>)");
    Morvane::FinalBackground final(profiles_.get(), data_.get(), nullptr);
    EXPECT_EQ((std::vector<std::string>{"sky", "clouds"}), Names(final.layers));
    EXPECT_TRUE(VisibleNames(final).empty());
    final.Show(true, false, 1.0f);
    EXPECT_EQ((std::vector<std::string>{"sky", "clouds"}), VisibleNames(final));
}

TEST_F(BackgroundsTest, HousePlacesPackPicturesByLayerName) {
    WriteHouse();
    const auto house = House();
    EXPECT_EQ((std::vector<std::string>{"ground", "house_base", "upgrade_roof", "upgrade_chimney",
                                        "upgrade_roof_chimney"}),
              Names(house->layers));
    EXPECT_EQ((std::vector<std::string>{"upgrade_roof", "upgrade_chimney", "upgrade_roof_chimney"}),
              Names(house->GetUpgradeLayers()));
    ASSERT_EQ(4u, house->GetPlacements().size());
    const Morvane::HouseTextureEntry& base = house->GetPlacements().at("house_base");
    EXPECT_EQ("roof", base.textureName);
    EXPECT_EQ(7u, base.extra[0]);
    EXPECT_EQ(8u, base.extra[1]);
    // The first entry of a name wins.
    const Vantor::GUIWindow& roof = *Layer(*house, "upgrade_roof").GetWindow();
    ExpectVector(100.0f, 200.0f, roof.GetPosition());
    ExpectVector(64.0f, 16.0f, roof.GetSize());
    EXPECT_EQ(house->GetLayersWindow(), roof.GetParent());
    ExpectVector(16.0f, 16.0f, Layer(*house, "upgrade_chimney").GetWindow()->GetSize());
}

TEST_F(BackgroundsTest, HouseShowsOnlyTheUpgradesBuilt) {
    WriteHouse();
    const auto nothingBuilt = House();
    nothingBuilt->Show(true, false, 1.0f);
    EXPECT_EQ((std::vector<std::string>{"ground", "house_base"}), VisibleNames(*nothingBuilt));

    Current().AddHouseUpgrade("roof");
    const auto roofBuilt = House();
    roofBuilt->Show(true, true, 1.0f);
    Run(*roofBuilt, 1.0f);
    // A layer naming two upgrades shows when either is built.
    EXPECT_EQ((std::vector<std::string>{"ground", "house_base", "upgrade_roof", "upgrade_roof_chimney"}),
              VisibleNames(*roofBuilt));
    EXPECT_FLOAT_EQ(1.0f, Layer(*roofBuilt, "upgrade_roof").GetFadeValue());

    // Without a current profile nothing is built.
    profiles_->SelectProfile(nullptr, false);
    const auto noProfile = House();
    noProfile->Show(true, false, 1.0f);
    EXPECT_EQ((std::vector<std::string>{"ground", "house_base"}), VisibleNames(*noProfile));
}

TEST_F(BackgroundsTest, BuildAnimationFadesInTheUpgradesLayersUnderOneBurstEach) {
    WriteHouse();
    Vantor::ParticleSystemManager& particles = *Vantor::ParticleSystemManager::Instance();
    const std::uint32_t registered = particles.GetRegisteredCount();
    {
        const auto house = House();
        house->Show(true, false, 1.0f);
        house->PlayBuildAnimation("chimney");
        EXPECT_EQ((std::vector<std::string>{"ground", "house_base", "upgrade_chimney", "upgrade_roof_chimney"}),
                  VisibleNames(*house));
        ASSERT_EQ(2u, house->GetBuildEffects().size());
        EXPECT_EQ(registered + 2, particles.GetRegisteredCount());
        const char* burstLayers[] = {"upgrade_chimney", "upgrade_roof_chimney"};
        for (std::size_t i = 0; i < 2; ++i) {
            SCOPED_TRACE(burstLayers[i]);
            Vantor::ParticleSystem& burst = *house->GetBuildEffects()[i];
            const Vantor::GUIWindow& window = *Layer(*house, burstLayers[i]).GetWindow();
            const Vantor::Vector2 start = window.GetPosition();
            const Vantor::Vector2 end = start + window.GetSize();
            ExpectVector(start.x, start.y, burst.GetEmitterBox().localMin);
            ExpectVector(end.x, end.y, burst.GetEmitterBox().localMax);
            EXPECT_TRUE(burst.IsVisible());
            EXPECT_TRUE(burst.IsEmitting());
            EXPECT_FALSE(burst.IsLooping());
            const Vantor::Model& batch = *burst.GetModel();
            EXPECT_EQ(Vantor::GUIManager::Instance()->GetCamera(), batch.GetCamera());
            EXPECT_NE(0u, batch.GetFlags() & Vantor::ModelFlags::kFixedDepth);
            EXPECT_FLOAT_EQ(house->GetFrontWindow()->GetDepth() - 0.0001f, batch.GetDepth());
        }
        // Half speed: half way in after a second, whole after two.
        Run(*house, 1.0f);
        EXPECT_NEAR(0.5f, Layer(*house, "upgrade_chimney").GetFadeValue(), 0.051f);
        Run(*house, 1.0f);
        EXPECT_FLOAT_EQ(1.0f, Layer(*house, "upgrade_chimney").GetFadeValue());
        EXPECT_FALSE(Layer(*house, "upgrade_roof").GetWindow()->IsVisible());
    }
    EXPECT_EQ(registered, particles.GetRegisteredCount());
}

TEST_F(BackgroundsTest, BrokenPlacementFilesAreFatal) {
    HousePlacementWriter::File wrongMagic = Placements();
    wrongMagic.magic = "HSUMW";
    HousePlacementWriter::File nextVersion = Placements();
    nextVersion.version = 101;
    HousePlacementWriter::File overstated = Placements();
    overstated.entryCount = 6;
    HousePlacementWriter::File hugeCount = Placements();
    hugeCount.entryCount = -1;
    HousePlacementWriter::File missingPicture = Placements();
    missingPicture.entries[2].textureName = "steeple";
    const struct {
        const char* what;
        std::optional<HousePlacementWriter::File> file;
        const char* errorPart;
    } cases[] = {
        {"missing", std::nullopt, "house_upgrades.hsu"},
        {"wrong magic", wrongMagic, "house_upgrades.hsu"},
        {"version 101", nextVersion, "101"},
        {"short", overstated, "house_upgrades.hsu"},
        {"huge count", hugeCount, "4294967295"},
        {"picture not in the pack", missingPicture, "steeple"},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.what);
        WriteHouse();
        if (entry.file)
            HousePlacementWriter::WriteFile(Morvane::HouseBackground::kPlacementFile, *entry.file);
        else
            std::filesystem::remove(home_.folder.Path() / "data" / "house" / "house_upgrades.hsu");
        Vantor::MessageManager::Instance()->ClearMessages();
        const std::string fatal = HouseFatal();
        EXPECT_NE(std::string::npos, fatal.find(entry.errorPart)) << fatal;
    }
}

}  // namespace
