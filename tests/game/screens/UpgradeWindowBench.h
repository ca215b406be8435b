#pragma once
// The upgrade window's bench: the screen bench with a small "window_upgrade" layout
// (the level text in a narrow box), its texts (the mechanic's comments "#...#"), the
// mechanic with his balloons, the buy button's sparkles, a picture per machine, and the
// machines for sale written into the character definitions.

#include <string>

#include "engine/gui/GUIButton.h"
#include "framework/WindowId.h"
#include "framework/WindowResult.h"
#include "game/Profile.h"
#include "game/screens/GUITextBalloonWindow.h"
#include "game/screens/GUIUpgradeWindow.h"
#include "gui_tools/GUITextControl.h"
#include "tests/game/GameDataFolder.h"
#include "tests/game/screens/DialogueArt.h"
#include "tests/game/screens/ScreenTestBench.h"

namespace screenstest {

class UpgradeWindowBench : public ScreenTestBench {
protected:
    // Mixer (qualification 2, 500), a free tap (0, 0), grinder (1, 400) and press (2,
    // 300). The qualification levels start at 0, 100 and 200 points (their tips add up).
    static constexpr const char* kFourMachines = R"(<mixer qualification="2" cost="500"/>
        <tap qualification="0" cost="0"/><grinder qualification="1" cost="400"/>
        <press qualification="2" cost="300"/>)";
    static constexpr dialogueart::Rgb kPreviewColour{60, 200, 230};

    static std::string Layout() {
        return R"(<window name="window_upgrade"><window name="window" position="50 50" size="700 500">
            <window name="name" position="100 420" size="500 40">
              <text_label name="text" font="common" size="500 40" text="'?'" fader="item" /></window>
            <window name="preview" shader="machines/preview_grinder" position="100 230" size="160 160"
              fader="item" />
            <text_label name="description" font="common" position="300 230" size="350 160" multiline="1"
              fader="item" />
            <text_label name="level" font="common" position="100 170" size="220 30" text="upgrade/level"
              fader="item" />
            <text_label name="cost" font="common" position="100 130" size="600 30" text="upgrade/cost"
              fader="item" />
            <text_label name="purchased" font="common" position="100 130" size="600 70" text="upgrade/purchased"
              />)" +
               ButtonXml("button_previous", {20.0f, 290.0f}, {40.0f, 40.0f}, "-") +
               ButtonXml("button_next", {640.0f, 290.0f}, {40.0f, 40.0f}, "+") +
               ButtonXml("button_0", {100.0f, 30.0f}, {160.0f, 50.0f}, "Back") +
               ButtonXml("button_1", {440.0f, 30.0f}, {160.0f, 50.0f}, "Buy") + "</window></window>";
    }

    void SetUp() override {
        ScreenTestBench::SetUp();
        WriteLayout("upgrade.xml", Layout());
        WriteLayout("faders.xml",
                    R"(<faders><fader name="item" show_speed="4" hide_speed="4" show_offset="0.3" /></faders>)");
        std::string machineTexts;
        for (const char* machine : {"grinder", "mixer", "press", "tap"})
            machineTexts += "<machine_" + std::string(machine) + "_name text=\"The " + machine + "\" />";
        WriteTexts(R"(<common><hit_mouse_button text="Click" /></common><upgrade>
            <level text="Qualification needed: %PROFESSIONALISM%, yours: {rule} %LEVEL%}" />
            <cost text="Price: {rule} %COST%} Money: {rule} %MONEY%}" />
            <purchased text="Bought" />
            <mechanic_buy text="#buy#" /><mechanic_can_buy text="#can buy#" />
            <mechanic_low_qualification text="#low#" /><mechanic_no_money text="#no money#" />)" +
                   machineTexts + "</upgrade>");
        MakeGame();
        MakeProfiles({L"Anna"});
        dialogueart::AddQuad(*data_, "characters/main_menu_npc", {540.0f, 60.0f}, {220.0f, 300.0f}, {230, 160, 60});
        dialogueart::AddPicture(*data_, "characters/mechanic_stand", {200, 100, 50});
        dialogueart::AddQuad(*data_, "characters/main_menu_balloon_right_small", {480.0f, 330.0f}, {260.0f, 160.0f});
        dialogueart::AddQuad(*data_, "characters/main_menu_balloon_right_big", {440.0f, 330.0f}, {300.0f, 170.0f});
        dialogueart::AddMovingQuad(*data_, "button_hint_buy", {0.0f, 0.0f}, {160.0f, 0.0f}, {4.0f, 4.0f}, 8);
        dialogueart::AddSparkles(*data_, "button_hint");
        for (const char* machine : {"grinder", "mixer", "press"})
            dialogueart::AddPicture(*data_, std::string("machines/preview_") + machine, kPreviewColour);
    }

    // The game data with the machines for sale, then the window.
    Morvane::GUIUpgradeWindow& MakeShop(const std::string& machines = kFourMachines) {
        gametest::Definitions definitions = gametest::SmallGame();
        definitions.character = R"(<character><mood day_change="-0.1" build_change="0.3"/>
            <qualification><novice tips="0"/><cook tips="100"/><chef tips="100"/></qualification>
            <automatic_machines>)" + machines +
                                R"(</automatic_machines>
            <cafe_classes><plain cost_multiplier="1" day_multiplier="1"/></cafe_classes></character>)";
        LoadDefinitions(definitions);
        return MakeWindow<Morvane::GUIUpgradeWindow>(audio_.get(), profiles_.get(), data_.get(), tools_.get(),
                                                     menus_.get(), nullptr);
    }
    Morvane::Profile& Player() const { return *profiles_->GetCurrent(); }
    // Opened, and the opening played.
    void OpenShop(Morvane::GUIUpgradeWindow& shop) {
        shop.Open(GameFramework::WindowId{26});
        ASSERT_TRUE(RunUntil([&] { return shop.IsShown(); }));
        RunFor(0.8f);
    }
    // Back, and the window closed as the game would; the balloon goes with it.
    void Leave(Morvane::GUIUpgradeWindow& shop) {
        ClickOn(*shop.GetButton("window_upgrade/window/button_0"));
        Frame();
        ASSERT_EQ(GameFramework::WindowResult::GoToStart, shop.GetResult());
        shop.Close();
        ASSERT_TRUE(RunUntil([&] {
            return menus_->IsLockFree() && !(shop.GetCurrentBalloon() && shop.GetCurrentBalloon()->active);
        }));
    }
    static GUITools::GUITextControl& Text(const Morvane::GUIUpgradeWindow& shop, const std::string& path) {
        return *shop.GetTextControl("window_upgrade/window/" + path);
    }
    static Vantor::GUIButton& Button(const Morvane::GUIUpgradeWindow& shop, const std::string& name) {
        return *shop.GetButton("window_upgrade/window/" + name);
    }
    // What the mechanic says now; "" while no balloon is up.
    static std::wstring Saying(const Morvane::GUIUpgradeWindow& shop) {
        const Morvane::GUITextBalloonWindow* balloon = shop.GetCurrentBalloon();
        if (!balloon || !balloon->shown || balloon->GetLines().empty()) return L"";
        return balloon->GetLines()[0]->text;
    }
};

}  // namespace screenstest
