#pragma once
// The house window's bench: the screen bench with the building texts (each "#key#",
// but for the money, cost and upgrade lines), the effects the window plays, the builder
// and the girl with their balloons, rising toy balloons, and a small house of three
// coloured pack pictures (the base, and the porch and roof upgrades) over a green
// ground. The window updates in every frame; the prompt's alpha of the frame is kept.

#include <memory>
#include <string>
#include <vector>

#include "content/GameTexturePackWriter.h"
#include "content/HousePlacementWriter.h"
#include "content/TgaWriter.h"
#include "engine/gui/GUIWindow.h"
#include "engine/gui/TextPrint.h"
#include "framework/AudioManager.h"
#include "game/GUIGameCursor.h"
#include "game/HouseBackground.h"
#include "game/Profile.h"
#include "game/screens/GUIHouseWindow.h"
#include "game/screens/GUITextBalloonWindow.h"
#include "tests/game/GameDataFolder.h"
#include "tests/game/screens/DialogueArt.h"
#include "tests/game/screens/ScreenTestBench.h"

namespace screenstest {

class HouseWindowBench : public ScreenTestBench {
protected:
    // Porch (100), roof (50, on the porch), garden (200), pond (300), tower (400), bell
    // (10, on the tower) and castle (5, on a moat nobody builds).
    static constexpr const char* kUpgrades =
        R"(<upgrades><porch cost="100"/><roof cost="50"><porch/></roof><garden cost="200"/><pond cost="300"/>
           <tower cost="400"/><bell cost="10"><tower/></bell><castle cost="5"><moat/></castle></upgrades>)";
    static constexpr dialogueart::Rgb kBase{150, 90, 40};
    static constexpr dialogueart::Rgb kPorch{40, 90, 220};
    static constexpr dialogueart::Rgb kRoof{220, 40, 40};

    void SetUp() override {
        ScreenTestBench::SetUp();
        std::string texts = R"(<common><hit_mouse_button text="Click to go on" /></common><build>
            <girl_my_money text="Money: %MONEY%" /><worker_build_cost text=" for %COST%" />)";
        for (const char* upgrade : {"porch", "roof", "garden", "pond", "tower", "bell", "castle"})
            texts += "<worker_build_" + std::string(upgrade) + " text=\"" + upgrade + "\" />";
        for (const char* key :
             {"worker_hello_0", "worker_hello_1", "girl_hello", "meeting_worker_build_0", "meeting_worker_build_1",
              "meeting_girl_build", "girl_build", "girl_do_nothing", "worker_upgrade_list", "girl_build_nothing",
              "worker_build_no_money", "worker_build_done", "girl_build_done", "worker_something_else",
              "girl_build_all_done", "worker_build_all_done"})
            texts += "<" + std::string(key) + " text=\"#" + key + "#\" />";
        WriteTexts(texts + "</build>");
        MakeGame();
        MakeProfiles({L"Anna"});
        // The window's effects, each the bench's short noise.
        for (const char* key : {"10", "11", "12"})
            audio_->AddEffect(key, GameFramework::AudioManager::ResolveAudioPath(L"09.wav"), false, 2, true);
        AddArt();
        WriteHouse();
    }
    void TearDown() override {
        frameStep = nullptr;
        house_.reset();
        cursor_.reset();
        ScreenTestBench::TearDown();
    }

    // The game data with the upgrades and the mood change of a build, then the window.
    Morvane::GUIHouseWindow& MakeHouse(const char* buildChange = "0.3", const char* upgrades = kUpgrades) {
        gametest::Definitions definitions = gametest::SmallGame();
        definitions.character = std::string(R"(<character><mood day_change="-0.1" build_change=")") + buildChange +
                                R"("/><qualification><novice tips="0"/></qualification><automatic_machines/>
            <cafe_classes><plain cost_multiplier="1" day_multiplier="1"/></cafe_classes></character>)";
        definitions.upgrades = upgrades;
        gametest::GameDataFolder::WriteDefinitions(definitions);
        WriteHousePack();
        data_->LoadAll();
        cursor_ = std::make_unique<Morvane::GUIGameCursor>();
        return NewHouse();
    }
    // The window made again over the loaded data.
    Morvane::GUIHouseWindow& NewHouse() {
        house_.reset();
        house_ = std::make_unique<Morvane::GUIHouseWindow>(audio_.get(), profiles_.get(), data_.get(), tools_.get(),
                                                            nullptr, cursor_.get());
        frameStep = [this] {
            house_->Update();
            const Vantor::GUIWindow& layer = *house_->GetLayerWindow();
            promptAlpha_ = layer.GetPrintCount() > 0 ? layer.GetTextPrint(0).colour.w : 0.0f;
        };
        return *house_;
    }

    Morvane::Profile& Player() const { return *profiles_->GetCurrent(); }
    void Open() { house_->Open(GameFramework::WindowId{26}); }

    // Waits until the balloon is past half alpha and clicks it away.
    void ClickAway(const Morvane::GUITextBalloonWindow& balloon) {
        ASSERT_TRUE(RunUntil([&] { return balloon.GetBalloonWindow()->GetAlpha() > 0.55f; }, 10.0f));
        ClickOn(*balloon.GetHintWindow());
        ASSERT_FALSE(balloon.shown);
    }
    // Waits until the balloon is past half alpha and clicks its line.
    void Answer(const Morvane::GUITextBalloonWindow& balloon, std::size_t line) {
        ASSERT_TRUE(RunUntil([&] { return balloon.GetBalloonWindow()->GetAlpha() > 0.55f; }, 10.0f));
        ASSERT_LT(line, balloon.GetChoiceButtons().size());
        ClickOn(*balloon.GetChoiceButtons()[line]);
        Frame();
        ASSERT_FALSE(balloon.shown);
    }
    // Runs until the conversation reaches the state.
    void WaitFor(int state) {
        ASSERT_TRUE(RunUntil([&] { return house_->GetState() == state; }, 10.0f)) << "state " << house_->GetState();
    }
    // A later visit, from the opening to the offer list.
    void OpenTheList() {
        Player().SetFlag(Morvane::Profile::kFlagBuilderIntroduced);
        Open();
        ClickAway(*house_->GetWorkerBalloon());
        WaitFor(Morvane::GUIHouseWindow::kWorkerAsks);
        ClickAway(*house_->GetWorkerBalloon());
        WaitFor(Morvane::GUIHouseWindow::kGirlAnswers);
        Answer(*house_->GetGirlBalloon(), 0);
        WaitFor(Morvane::GUIHouseWindow::kChoosing);
    }
    // The text of the balloon's line.
    static std::wstring Line(const Morvane::GUITextBalloonWindow* balloon, std::size_t line = 0) {
        return balloon && line < balloon->GetLines().size() ? balloon->GetLines()[line]->text : L"";
    }

    std::unique_ptr<Morvane::GUIGameCursor> cursor_;
    std::unique_ptr<Morvane::GUIHouseWindow> house_;
    float promptAlpha_ = 0.0f;

private:
    void AddArt() {
        dialogueart::AddQuad(*data_, "characters/build_worker", {20.0f, 60.0f}, {200.0f, 300.0f}, {230, 160, 60});
        dialogueart::AddQuad(*data_, "characters/build_girl", {580.0f, 60.0f}, {200.0f, 300.0f}, {230, 120, 180});
        for (const char* pose : {"worker_hello", "worker_stand", "worker_miss", "worker_look", "girl_hello",
                                 "girl_stand", "girl_miss", "girl_look"})
            dialogueart::AddPicture(*data_, std::string("characters/") + pose, {200, 170, 120});
        const struct {
            const char* suffix;
            Vantor::Vector2 corner, size;
        } balloons[] = {{"left_small", {60.0f, 350.0f}, {270.0f, 140.0f}},
                        {"left_big", {60.0f, 350.0f}, {310.0f, 160.0f}},
                        {"right_small", {480.0f, 330.0f}, {270.0f, 140.0f}},
                        {"right_big", {440.0f, 330.0f}, {310.0f, 160.0f}},
                        {"right_very_big", {390.0f, 330.0f}, {360.0f, 160.0f}}};
        for (const auto& balloon : balloons)
            dialogueart::AddQuad(*data_, std::string("characters/build_balloon_") + balloon.suffix, balloon.corner,
                                 balloon.size, {50, 60, 120});
        // Each variant rises from the bottom edge to above the top in three seconds.
        for (int variant = 0; variant < Morvane::GUIHouseWindow::kToyBalloonVariants; ++variant)
            dialogueart::AddKeyedMovingQuad(*data_, "game_logic/house/balloon_" + std::to_string(variant),
                                            {0.0f, -40.0f}, {0.0f, 640.0f}, {24.0f, 32.0f}, 31);
        dialogueart::AddKeyedPicture(*data_, "game_logic/house/balloon", {240, 60, 200});
        dialogueart::AddKeyedSparkles(*data_, Morvane::HouseBackground::kBuildEffect, "game_logic/house/build",
                                      true);
        dialogueart::AddKeyedMovingQuad(*data_, "house/ground", {0.0f, 0.0f}, {0.0f, 0.0f}, {800.0f, 110.0f}, 1,
                                        {60, 150, 60});
    }
    static void WriteHouse() {
        gametest::GameDataFolder::WriteText(Morvane::HouseBackground::kDescriptionFile,
                                            R"(<?xml version="1.0"?>
<background resources_prefix="house"><model name="ground"/><texture_pack name="house_base"/>
<texture_pack name="upgrade_porch"/><texture_pack name="upgrade_roof"/></background>)");
        Content::HousePlacementWriter::File placements;
        placements.entries = {{"house_base", "base", 300.0f, 110.0f, {0, 0}},
                              {"upgrade_porch", "porch", 430.0f, 110.0f, {0, 0}},
                              {"upgrade_roof", "roof", 300.0f, 240.0f, {0, 0}}};
        Content::HousePlacementWriter::WriteFile(Morvane::HouseBackground::kPlacementFile, placements);
    }
    // A 256 x 128 atlas: the base on its left half, the porch and the roof on the two
    // quarters of its right half.
    static void WriteHousePack() {
        Content::GameTexturePackWriter::Pack pack;
        pack.pictures = {{"base", 0, {0.0f, 0.0f}, {0.5f, 1.0f}},
                         {"porch", 0, {0.5f, 0.5f}, {1.0f, 1.0f}},
                         {"roof", 0, {0.5f, 0.0f}, {1.0f, 0.5f}}};
        gametest::GameDataFolder::WriteTexturePack("house\\textures", pack, {{256, 128}});
        std::vector<std::uint8_t> pixels;
        for (int row = 0; row < 128; ++row)
            for (int column = 0; column < 256; ++column) {
                const dialogueart::Rgb colour = column < 128 ? kBase : row < 64 ? kRoof : kPorch;
                pixels.insert(pixels.end(), {colour.red, colour.green, colour.blue, 255});
            }
        Content::TgaWriter::WriteFile(L"data\\house\\textures\\texture_pack_0.tga", 256, 128, pixels);
    }
};

}  // namespace screenstest
