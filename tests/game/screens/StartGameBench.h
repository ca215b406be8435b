#pragma once
// The start-of-day window on the screen bench: a small layout of every control it
// needs, coloured so that a drawn frame reads as the real one; a text table the test
// completes with its dialogue keys; definitions of four qualification levels (tips 0,
// 100, 200, 300 in total), fifteen machines for sale (the second costing 200) and three
// house upgrades (the chimney needing the roof); portraits, balloons, hints, bursts and
// the arrow; the count-up sounds; and one player, "Anna", whose story starts as the
// test sets it.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "framework/WindowId.h"
#include "game/Profile.h"
#include "game/screens/GUIStartGameLogicWindow.h"
#include "tests/game/screens/ScreenTestBench.h"

namespace screenstest {

class StartGameBench : public ScreenTestBench {
protected:
    // Story flags before which nothing is due: met, greeted, offered the machines and
    // told of the first one.
    static constexpr std::uint32_t kQuietFlags = 0x1 | 0x2 | 0x4 | 0x10;
    // The machines for sale: "m0" to "m14", the first free and the second at 200.
    static std::string Machines(int count);
    static std::string Character(const std::string& thresholds, const std::string& machines);
    static std::string Upgrades();

    void SetUp() override;

    // The text table: the window's own keys, the prompt, and the keys given.
    void WriteStartTexts(const std::map<std::string, std::string>& texts) const;
    // The game over the folder, with the character definitions given, and the window.
    void MakeStartWindow(const std::string& character = Character(DefaultThresholds(), Machines(15)));
    static std::string DefaultThresholds() {
        return "<a tips=\"0\"/><b tips=\"100\"/><c tips=\"100\"/><d tips=\"100\"/>";
    }

    Morvane::Profile& Anna() const { return *profiles_->GetCurrent(); }
    // The profile's story so far: flags, machines (the first `machines` of those for
    // sale), money, qualification points, mood and house upgrades built.
    void SetStory(std::uint32_t flags, int machines, int money, int points = 0, float mood = 0.5f,
                  const std::vector<std::string>& houses = {}) const;
    // Opens from the source and runs until the window shows.
    void OpenFrom(GameFramework::WindowId source);
    // The window's control below the layout.
    GUITools::GUIControl& Control(const std::string& path) const;
    GUITools::GUITextControl& Text(const std::string& path) const;
    bool Enabled(const std::string& path) const;
    // Clicks the button and returns the result of the click's frame.
    GameFramework::WindowResult Click(const std::string& path);
    // Waits until the balloon is past half alpha and clicks it away.
    void ClickAway(const Morvane::GUITextBalloonWindow& balloon);
    static std::wstring Said(const Morvane::GUITextBalloonWindow& balloon);

    Morvane::GUIStartGameLogicWindow* window_ = nullptr;
};

}  // namespace screenstest
