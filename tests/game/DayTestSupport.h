#pragma once
// What the tests of a whole working day share, over the customers' tests: a café whose
// room holds the tutorial's distributors, the dustbin, an oven and the coffee machine,
// each drawn in its own colour; two customer places; a room background; the day's
// effects on the headless mixer; a player profile, the tutorial record with the
// framework's tutorial window, and the day made from them and run frame by frame on the
// virtual clock.
//
// The tutorial's ingredients, each offered by the distributor of its name (two slots
// each, along the top): "cracker_waffle", "jelly_green", "cracker_chocolate",
// "cracker_fancy", "jelly_red" and "coffee_cup" (which needs the coffee machine); the
// tarts "cake_13" (waffle, green jelly, chocolate cracker) and "cake_07" (fancy cracker,
// red jelly, green jelly) made by hand; "coffee_black" (cup, coffee) made by the
// coffee machine of that name from a cup alone ("coffee_cup", never ordered); also
// "base_stand" (base) and "spice_rack" (E, which no recipe uses). Machines: "dustbin",
// "oven" (R1 into R4) and "coffee_black". Customer types: "student" must order a tart,
// "teacher" must order g1 and may order a coffee, "pilot" must order a coffee.

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "content/ShaderFileWriter.h"
#include "content/WavWriter.h"
#include "engine/kernel/Console.h"
#include "engine/kernel/TimerManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "framework/LevelEntry.h"
#include "framework/StageEntry.h"
#include "framework/Tutorial.h"
#include "framework/windows/GUITutorialWindowBase.h"
#include "game/Background.h"
#include "game/Clock.h"
#include "game/GameLogic.h"
#include "game/Profile.h"
#include "game/ProfileManager.h"
#include "tests/game/CustomerTestSupport.h"

namespace gametest {

class DayTest : public CustomerTest {
public:
    struct Box {
        Vantor::Vector2 minimum;
        Vantor::Vector2 maximum;
        Vantor::Vector2 Centre() const { return (minimum + maximum) * 0.5f; }
    };

    // Where each distributor's selection area lies: 88 x 50 from x = 10 + 98 i, y = 520.
    static constexpr const char* kDistributors[] = {"cracker_waffle", "jelly_green", "cracker_chocolate",
                                                    "cracker_fancy",  "jelly_red",   "coffee_cup",
                                                    "base_stand",     "spice_rack"};
    // The colours of the room's things and the wall's.
    static constexpr std::uint32_t kWallColour = 0xFF705040;
    static constexpr std::uint32_t kMachineColour = 0xFF50A0A0;
    static constexpr std::uint32_t kDistributorColour = 0xFFA0A050;
    static constexpr std::uint32_t kClockColour = 0xFFE0E0E0;
    static constexpr std::uint32_t kFloorColour = 0xFF403028;

    static Box DistributorBox(std::size_t index) {
        const float left = 10.0f + 98.0f * static_cast<float>(index);
        return {{left, 520.0f}, {left + 88.0f, 570.0f}};
    }
    static Box MachineBox(const std::string& name) {
        if (name == "dustbin") return {{620.0f, 20.0f}, {700.0f, 120.0f}};
        if (name == "oven") return {{400.0f, 320.0f}, {540.0f, 440.0f}};
        return {{560.0f, 320.0f}, {700.0f, 440.0f}};
    }
    static constexpr Box kClockBox{{710.0f, 330.0f}, {790.0f, 410.0f}};

protected:
    void TearDown() override {
        day_.reset();
        tutorialWindow_.reset();
        tutorial_.reset();
        profiles_.reset();
        CustomerTest::TearDown();
    }

    // The café's data with the room's playing time (without the distributor "jelly_red"
    // when asked), and the profile "Anna" with the tutorial not yet seen.
    void LoadCafe(int dayTime = 30, bool withRedJelly = true) {
        moreIngredients_ = {{"cracker_waffle", 0xFFD8A860}, {"jelly_green", 0xFF40C040},
                            {"cracker_chocolate", 0xFF6B3A1E}, {"cracker_fancy", 0xFFE0C080},
                            {"jelly_red", 0xFFD02030}, {"coffee_cup", 0xFFF8F8F8}, {"coffee", 0xFF4A2810}};
        moreRecipes_ = R"(
    <cake_13 group="tart" cost="12"><cracker_waffle/><jelly_green/><cracker_chocolate/></cake_13>
    <cake_07 group="tart" cost="15"><cracker_fancy/><jelly_red/><jelly_green/></cake_07>
    <coffee_cup group="coffee" can_order="0" cost="0"><coffee_cup/></coffee_cup>
    <coffee_black group="coffee" cost="8"><coffee_cup/><coffee/></coffee_black>)";
        LoadCustomers(2, kCustomers, true, Room(dayTime, withRedJelly), RoomElements());
        for (const char* key : {"22", "26", "29", "30", "31", "32", "33", "34", "35", "36"}) AddEffect(key);
        // The console exists, as in the game (its holder outlives the engine that made
        // it); cheat mode is off.
        engine_->CreateConsole(L"Test", Vantor::ShaderDescriptor(), 0, u'_', u']', u'^', "~", 0.9f, 300.0f, 1000.0f);
        Vantor::Console::Instance()->SetEnabled(false);
        Frame(0.1f, [] {});
        profiles_ = std::make_unique<Morvane::ProfileManager>(nullptr, home_.root + L"\\user");
        profiles_->SelectProfile(profiles_->CreateProfileIfMissing(L"Anna"), false);
        tutorial_ = std::make_unique<GameFramework::Tutorial>(profiles_.get());
        tutorialWindow_ = std::make_unique<GameFramework::GUITutorialWindowBase>(tutorial_.get());
        Errors();
    }
    Morvane::Profile& Player() { return *profiles_->GetCurrent(); }
    // The tutorial skipped: shown-bit 0 set.
    void SkipTutorial() { tutorial_->MarkShown(0); }

    Morvane::GameLogic& MakeDay() {
        day_.reset();
        day_ = std::make_unique<Morvane::GameLogic>(profiles_.get(), audio_.get(), data_.get(), nullptr,
                                                    tutorial_.get(), tools_.get(), &stage_, &level_, 0);
        return *day_;
    }
    // One frame as the framework runs it: the tutorial record, the tutorial window, the day.
    void Step(float seconds = 0.1f) {
        Frame(seconds, [&] {
            tutorial_->Update(Vantor::TimerManager::Instance()->GetFrameTime());
            tutorialWindow_->Update();
            day_->Update();
        });
    }
    // Steps until the condition holds, at most the seconds; whether it came to hold.
    template <typename Condition>
    bool StepUntil(Condition condition, float seconds = 120.0f, float step = 0.1f) {
        for (float time = 0.0f; time < seconds; time += step) {
            if (condition()) return true;
            Step(step);
        }
        return condition();
    }
    static void PressKey() {
        platform::seam::InjectKeyDown(0x20);
        platform::seam::InjectKeyUp(0x20);
    }

    std::unique_ptr<Morvane::ProfileManager> profiles_;
    std::unique_ptr<GameFramework::Tutorial> tutorial_;
    std::unique_ptr<GameFramework::GUITutorialWindowBase> tutorialWindow_;
    GameFramework::StageEntry stage_;
    GameFramework::LevelEntry level_;
    std::unique_ptr<Morvane::GameLogic> day_;

private:
    static constexpr const char* kCustomers = R"(<customers min_mood_time="4" max_mood_time="8">
  <student name="student"><a group="tart" must_order="1"/></student>
  <teacher name="teacher"><a group="g1" must_order="1"/><b group="coffee"/></teacher>
  <pilot name="pilot"><a group="coffee" must_order="1"/></pilot>
</customers>)";

    static std::string Room(int dayTime, bool withRedJelly) {
        std::string distributors;
        for (const char* name : kDistributors) {
            const std::string distributor = name;
            if (distributor == "jelly_red" && !withRedJelly) continue;
            std::string ingredient = distributor;
            if (distributor == "base_stand") ingredient = "base";
            if (distributor == "spice_rack") ingredient = "E";
            const std::string machines = distributor == "coffee_cup"
                                             ? "<automatic_machines><coffee_black/></automatic_machines>"
                                             : "";
            distributors += "<" + distributor + " ingredient=\"" + ingredient + "\">" + machines + "</" +
                            distributor + ">";
        }
        return "<room day_time=\"" + std::to_string(dayTime) + "\"><distributors>" + distributors +
               "</distributors>" + kMachines + "</room>";
    }
    static constexpr const char* kMachines = R"(<automatic_machines>
    <dustbin layer="1"><productions/><animations/></dustbin>
    <oven layer="2">
      <productions><bake input="R1" output="R4"/></productions>
      <animations><all group="" layer="lower" start_frame="0" end_frame="0" time="0.5"/></animations>
    </oven>
    <coffee_black layer="2">
      <productions><brew input="coffee_cup" output="coffee_black"/></productions>
      <animations><all group="" layer="lower" start_frame="0" end_frame="0" time="0.5"/></animations>
    </coffee_black>
  </automatic_machines>)";

    void AddEffect(const char* key) {
        const std::vector<std::uint8_t> wav = Content::WavWriter::Write({}, std::vector<std::uint8_t>(4000, 0));
        const std::wstring file = L"audio\\" + Vantor::ToWide(key) + L".wav";
        GameDataFolder::WriteText(L"data\\" + file, std::string(wav.begin(), wav.end()));
        audio_->AddEffect(key, file, false, 1, true);
    }

    // A quad model of one colour as the resource element of the key.
    static std::string Part(const std::string& key, const Box& box, std::uint32_t colour) {
        std::string file = key;
        for (char& c : file)
            if (c == '/') c = '_';
        GameDataFolder::WriteQuad("models\\" + file + ".mdl", box.minimum, box.maximum);
        const std::string picture = "colour_" + std::to_string(colour);
        GameDataFolder::WriteColourPicture(picture, colour, false);
        Content::ShaderFileWriter::Shader material;
        Content::ShaderFileWriter::Stage& stage = material.stages.emplace_back();
        stage.textureName = "ui\\pictures\\" + picture;
        Content::ShaderFileWriter::WriteFile(L"data\\ui\\models\\" + Vantor::ToWide(file) + L".srf", material);
        return GameDataFolder::Element(key, "model", "file_name=\"models\\" + file + ".mdl\"");
    }

    static std::string RoomElements() {
        // The room's day window lies in front of the room's layers as in the game, where
        // the background has several.
        std::string elements = Part("room/wall", {{0.0f, 0.0f}, {800.0f, 600.0f}}, kWallColour);
        elements += Part("room/floor", {{0.0f, 0.0f}, {800.0f, 40.0f}}, kFloorColour);
        elements += Part("room/lamp", {{740.0f, 200.0f}, {770.0f, 230.0f}}, kClockColour);
        GameDataFolder::WriteText(Morvane::Background::kDescriptionFile,
                                  "<?xml version=\"1.0\"?>\n<background resources_prefix=\"room\">\n"
                                  "<model name=\"wall\"/><model name=\"floor\"/><model name=\"lamp\"/>\n"
                                  "</background>\n");
        for (std::size_t i = 0; i < std::size(kDistributors); ++i) {
            const Box area = DistributorBox(i);
            const std::string prefix = std::string("room/distributors/") + kDistributors[i] + "/";
            elements += Part(prefix + "selection", area, kDistributorColour);
            for (int slot = 0; slot < 2; ++slot) {
                const float left = area.minimum.x + 5.0f + 42.0f * static_cast<float>(slot);
                elements += Part(prefix + "input_" + std::to_string(slot),
                                 {{left, area.minimum.y + 5.0f}, {left + 38.0f, area.maximum.y - 5.0f}},
                                 kDistributorColour);
            }
        }
        const std::string machines = "room/automatic_machines/";
        elements += Part(machines + "dustbin/selection", MachineBox("dustbin"), kMachineColour);
        for (const char* name : {"oven", "coffee_black"}) {
            const Box box = MachineBox(name);
            const std::string prefix = machines + name + "/";
            elements += Part(prefix + "selection", box, kMachineColour);
            elements += Part(prefix + "lower", box, kMachineColour);
            elements += Part(prefix + "input", {box.minimum + Vantor::Vector2(10.0f, 10.0f),
                                                {box.maximum.x - 10.0f, box.minimum.y + 60.0f}},
                             kMachineColour);
            elements += Part(prefix + "output", {{box.minimum.x + 10.0f, box.minimum.y + 60.0f},
                                                 box.maximum - Vantor::Vector2(10.0f, 10.0f)},
                             kMachineColour);
        }
        elements += Part(Morvane::Clock::kModel, kClockBox, kClockColour);
        return elements;
    }
};

}  // namespace gametest
