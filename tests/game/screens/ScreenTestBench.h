#pragma once
// The bench every screen's tests build on: the whole engine on the headless backend (or
// the sdl one) in a private home with the GUI's 800 x 600 screen, fonts made from a
// system typeface, a text table, window layouts the test writes, the game data, the
// audio manager on the headless mixer with the effects the screens play, the profile
// manager and the high-score table in the player-data folder, and the menu-window
// manager. Frames run in the game's order on the virtual clock at a fixed frame time:
// the engine's frame start (input read, the GUI's input pass), every window's logic
// update, the menu-window manager's update, the engine's frame end. The effects each
// frame started are recorded.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIWindow.h"
#include "engine/kernel/Engine.h"
#include "engine/kernel/Vector2.h"
#include "framework/AudioManager.h"
#include "framework/HighScoresTable.h"
#include "game/GameData.h"
#include "game/ProfileManager.h"
#include "game/screens/GUIMenuWindow.h"
#include "game/screens/GUIMenuWindowManager.h"
#include "gui_tools/GUITextControl.h"
#include "gui_tools/GUIToolManager.h"
#include "tests/engine/kernel/EngineSceneTestSupport.h"
#include "tests/game/GameDataFolder.h"

namespace screenstest {

class ScreenTestBench : public enginetest::EngineSceneTest {
protected:
    static constexpr float kFrameSeconds = 0.02f;
    // The effects registered by MakeGame, each a short noise.
    static std::vector<std::string> EffectKeys() { return {"09", "20"}; }

    void SetUp() override;
    void TearDown() override;

    // --- Before MakeGame: the data folder ---
    // The fonts the screens name, written at set-up: "common", "common_0" to "common_2"
    // and "main_menu_0" to "main_menu_2".
    static std::vector<std::string> FontNames();
    // "data\fonts\<name>": a font made once from a system typeface, its glyphs in the
    // colour (0xRRGGBB).
    void WriteFont(const std::string& name, std::uint32_t fill = 0xFFFFFF) const;
    // The text table: the elements inside "texts".
    void WriteTexts(const std::string& elements) const;
    // "data\ui\windows\<file>" with the body.
    void WriteLayout(const std::string& file, const std::string& body) const;
    // A layout element: a button of the name at the place, a title text inside it of
    // the button's size showing the literal text.
    static std::string ButtonXml(const std::string& name, const Vantor::Vector2& position,
                                 const Vantor::Vector2& size, const std::string& title);
    // The partner logo's picture and alpha picture (logo 0 or 1).
    void WriteLogo(int logo) const;

    // The game's objects over the folder; profiles and high scores read what is there.
    void MakeGame();
    // One more effect of the audio manager, a short noise, looping or not.
    void AddEffect(const std::string& key, bool loop) const;
    // A key-frame model in the game data as "ui/<name>", a quad of the frame count
    // playing at 10 frames per second.
    void AddFramesModel(const std::string& name, unsigned frames);

    // A material in the game data as "ui/<name>": one colour (red, green, blue, alpha).
    void AddColourShader(const std::string& name, std::array<std::uint8_t, 4> rgba);
    // The definition files and the small game's house pack written, then loaded into the
    // game data.
    void LoadDefinitions(const gametest::Definitions& definitions);

    // A window made by the test, updated in every frame and destroyed before the manager.
    template <class Window, class... Arguments>
    Window& MakeWindow(Arguments&&... arguments) {
        auto window = std::make_unique<Window>(std::forward<Arguments>(arguments)...);
        Window& made = *window;
        windows_.push_back(std::move(window));
        return made;
    }
    // The profiles, created in this order; the first becomes the current one.
    void MakeProfiles(const std::vector<std::wstring>& names);
    // The profile manager and the high-score table made again from their files, as at
    // the next start; before any window that uses them is made.
    void ReloadPlayerFiles();

    // --- Frames ---
    void Frame(float seconds = kFrameSeconds);
    void Frames(int count);
    // Frames until the seconds have passed.
    void RunFor(float seconds);
    // Frames until the condition holds, at most the seconds; false when it never held.
    template <class Condition>
    bool RunUntil(Condition condition, float seconds = 10.0f) {
        for (int frame = 0; frame * kFrameSeconds < seconds; ++frame) {
            if (condition()) return true;
            Frame();
        }
        return condition();
    }

    // --- Input, taken by the next frame ---
    // The mouse over the GUI point (GUI units, y up).
    void MoveMouseTo(const Vantor::Vector2& point) const;
    // The mouse over the middle of the element, pressed and released, and the frame
    // that takes the press: the element reports the click in the next frame.
    void ClickOn(const Vantor::GUIWindow& element);
    static void PressKey(unsigned virtualKey);
    static void TypeText(const std::wstring& text);

    // The effects started since the last call, in order.
    std::vector<std::string> TakePlayedEffects();
    // The text's lines as laid out for its last drawing, joined by "|".
    static std::wstring ShownText(const GUITools::GUITextControl& text);
    // Error lines logged since the last frame start, without their framing.
    static std::vector<std::string> TakeErrors();
    static std::vector<std::string> Fatals();

    std::unique_ptr<Vantor::Engine> engine_;
    std::unique_ptr<Morvane::GameData> data_;
    std::unique_ptr<GameFramework::AudioManager> audio_;
    std::unique_ptr<GUITools::GUIToolManager> tools_;
    std::unique_ptr<Morvane::ProfileManager> profiles_;
    std::unique_ptr<GameFramework::HighScoresTable> highScores_;
    std::unique_ptr<Morvane::GUIMenuWindowManager> menus_;
    std::vector<std::unique_ptr<Morvane::GUIMenuWindow>> windows_;
    // The test's own work in every frame, after the windows' logic update.
    std::function<void()> frameStep;

private:
    void RecordPlayedEffects();

    std::vector<float> lastStarts_;
    std::vector<std::string> played_;
};

}  // namespace screenstest
