#pragma once
// What the tests of customers share, over the food tests' recipes: the customer places
// with their figure (a key-frame model walking in over kFigureFrames frames), hit area
// and balloon corner, the order balloon and its item places per group, the patience
// face (a 48-frame sheet) and its bar (key frames, a sheet of one picture per stage),
// the customer types' materials, the rating bursts, the rating and money texts, and the
// five customer effects on the headless mixer.

#include <memory>
#include <optional>
#include <string>

#include "content/FontFileWriter.h"
#include "content/ShaderFileWriter.h"
#include "content/WavWriter.h"
#include "engine/kernel/StringHelpers.h"
#include "engine/kernel/Timer.h"
#include "engine/kernel/TimerManager.h"
#include "framework/AudioManager.h"
#include "framework/SoundEffect.h"
#include "engine/gui/GUIWindow.h"
#include "game/CursorFood.h"
#include "game/Food.h"
#include "game/Finances.h"
#include "game/GUIGameLogicTextManager.h"
#include "gui_tools/GUIToolManager.h"
#include "tests/game/FoodTestSupport.h"

namespace gametest {

class CustomerTest : public FoodTest {
public:
    // The customer types' names that have a material.
    static constexpr const char* kTypeNames[] = {"student", "teacher", "pilot", "baker", "nurse"};

protected:
    static constexpr std::uint32_t kFigureFrames = 96;
    static constexpr std::uint32_t kBarFrames = 11;
    // Place n: its figure spans (200 n, 0) to (200 n + 150, 300), its balloon's lower
    // corner lies at (200 n + 20, 320).
    static constexpr float kPlaceWidth = 200.0f;
    static constexpr float kFigureWidth = 150.0f;
    static constexpr float kFigureHeight = 300.0f;
    static constexpr float kBalloonLeft = 20.0f;
    static constexpr float kBalloonBottom = 320.0f;
    // Item place KK of every group: (10 + 60 KK, 30).
    static constexpr float kItemLeft = 10.0f;
    static constexpr float kItemStep = 60.0f;
    static constexpr float kItemBottom = 30.0f;
    // The effects a customer plays.
    static constexpr const char* kEffects[] = {"23", "24", "25", "27", "28"};

    void TearDown() override {
        floatingTexts_.reset();
        hand_.reset();
        Gui().DestroyWindow(dayWindow_);
        audio_.reset();
        tools_.reset();
        FoodTest::TearDown();
    }

    // The game data with the places, other customer definitions when given, the face's
    // and the bar's materials without a texture stage when asked, and a room with more
    // resource elements when given; the tool manager with the texts; the audio manager
    // with the effects.
    Morvane::GameData& LoadCustomers(unsigned places = 3, std::optional<std::string> customers = {},
                                     bool animatedPatience = true, const std::string& room = "",
                                     const std::string& roomElements = "") {
        std::string elements;
        const char* groups[] = {"g1", "g2", "g3", "g4", "cake", "drink", "tart", "coffee"};
        for (unsigned place = 0; place < places; ++place) {
            const std::string nn = Vantor::ToString(place, 2);
            const float left = kPlaceWidth * static_cast<float>(place);
            GameDataFolder::WriteQuad("models\\customer" + nn + ".mdl", {left, 0.0f}, {left + kFigureWidth, kFigureHeight},
                      kFigureFrames);
            GameDataFolder::WriteQuad("models\\balloon" + nn + ".mdl", {left + kBalloonLeft, kBalloonBottom},
                      {left + kBalloonLeft + 160.0f, kBalloonBottom + 100.0f});
            elements += Model("customers/models/" + nn + "/customer", "customer" + nn);
            elements += Model("customers/models/" + nn + "/selection", "customer" + nn);
            elements += Model("customers/models/" + nn + "/balloon", "balloon" + nn);
        }
        GameDataFolder::WriteQuad("models\\balloon.mdl", {0.0f, 0.0f}, {160.0f, 100.0f});
        elements += Model("customers/balloon/model", "balloon");
        for (unsigned item = 0; item < 3; ++item) {
            const std::string kk = Vantor::ToString(item, 2);
            const float left = kItemLeft + kItemStep * static_cast<float>(item);
            GameDataFolder::WriteQuad("models\\item" + kk + ".mdl", {left, kItemBottom}, {left + 50.0f, kItemBottom + 50.0f});
            for (const char* group : groups)
                elements += Model("customers/balloon/place_" + kk + "/" + group, "item" + kk);
        }
        GameDataFolder::WriteColourPicture("customer", 0xFF3060A0, false);
        GameDataFolder::WriteColourPicture("smile", 0xFFFFD020, false);
        GameDataFolder::WriteColourPicture("bar", 0xFF20C040, false);
        GameDataFolder::WriteQuad("models\\smile.mdl", {0.0f, 0.0f}, {40.0f, 40.0f});
        GameDataFolder::WriteSheetMaterial(L"models\\smile.srf", "smile", animatedPatience ? 8 : 0, 6);
        elements += Model("customers/balloon/smile", "smile");
        GameDataFolder::WriteQuad("models\\smile_progress.mdl", {0.0f, -10.0f}, {40.0f, -4.0f}, kBarFrames);
        GameDataFolder::WriteSheetMaterial(L"models\\smile_progress.srf", "bar", animatedPatience ? 3 : 0, 1);
        elements += Model("customers/balloon/smile_progress", "smile_progress");
        for (const char* type : kTypeNames)
            elements += GameDataFolder::Element(std::string("customers/shaders/") + type, "shader",
                                                "texture_name=\"pictures\\customer.tga\"");
        GameDataFolder::WriteParticles(L"ui\\particles\\customer.prt");
        for (const char* effect : {"ui/customer_good", "ui/customer_bad"})
            elements += GameDataFolder::Element(effect, "particles", "file_name=\"particles\\customer.prt\"");
        Morvane::GameData& data = LoadFood(true, room, elements + roomElements, customers);

        GameDataFolder::WriteText(L"data\\texts\\texts.xml", R"(<?xml version="1.0" encoding="utf-8"?>
<texts language="english"><game_logic>
  <service_0 text="Great service!"/><service_1 text="Good service"/><service_2 text="Slow service"/>
  <service_3 text="Gone!"/><tip text="Tip: %money%"/><plus_money text="+%MONEY%"/>
</game_logic></texts>)");
        for (const char* font : {"common", "tip"}) GameDataFolder::WriteBlockFont(font);
        tools_ = std::make_unique<GUITools::GUIToolManager>();
        audio_ = std::make_unique<GameFramework::AudioManager>(1.0f, 1.0f, engine_->GetSoundManager());
        const std::vector<std::uint8_t> wav = Content::WavWriter::Write({}, std::vector<std::uint8_t>(4000, 0));
        for (const char* effect : kEffects) {
            const std::wstring file = L"audio\\" + Vantor::ToWide(effect) + L".wav";
            GameDataFolder::WriteText(L"data\\" + file, std::string(wav.begin(), wav.end()));
            audio_->AddEffect(effect, file, false, 2, true);
        }
        Gui().SetScreenSize(800.0f, 600.0f);
        dayWindow_ = Gui().CreateEmptyWindow(Vantor::GUIWindow::kShown, nullptr);
        hand_ = std::make_unique<Morvane::CursorFood>(&data, dayWindow_);
        floatingTexts_ = std::make_unique<Morvane::GUIGameLogicTextManager>(tools_->GetTextTool(),
                                                                            tools_->GetFontTool(), "tip", dayWindow_);
        return data;
    }

    // The mouse over a point in GUI units.
    static void PointAt(const Vantor::Vector2& point) {
        MoveMouseToPixel(static_cast<int>(point.x), static_cast<int>(600.0f - point.y));
    }
    static void Click(platform::seam::MouseButton button) {
        platform::seam::InjectMouseButton(button, true);
        platform::seam::InjectMouseButton(button, false);
    }
    // The middle of the figure at the place.
    static Vantor::Vector2 FigureCentre(unsigned place) {
        return {kPlaceWidth * static_cast<float>(place) + kFigureWidth * 0.5f, kFigureHeight * 0.5f};
    }

    // The effects started in the current frame.
    std::vector<std::string> EffectsNow() const {
        std::vector<std::string> started;
        const float now = Vantor::TimerManager::Instance()->GetFrameTimer()->GetTime();
        for (const GameFramework::SoundEffect* effect : audio_->GetEffects())
            if (effect->lastStart == now && now > 0.0f) started.push_back(effect->key);
        return started;
    }

    std::unique_ptr<GUITools::GUIToolManager> tools_;
    std::unique_ptr<GameFramework::AudioManager> audio_;
    // The day's parts the customers work with.
    Vantor::GUIWindow* dayWindow_ = nullptr;
    std::unique_ptr<Morvane::CursorFood> hand_;
    Morvane::Finances finances_;
    std::unique_ptr<Morvane::GUIGameLogicTextManager> floatingTexts_;

private:
    static std::string Model(const std::string& key, const std::string& file) {
        return GameDataFolder::Element(key, "model", "file_name=\"models\\" + file + ".mdl\"");
    }
};

}  // namespace gametest
