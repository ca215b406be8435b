#include "tests/game/screens/DisplayGame.h"

#include <cmath>
#include <cstdint>
#include <map>
#include <vector>

#include "content/FontGenerator.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/kernel/Window_WinOS.h"
#include "framework/LevelManagerBase.h"
#include "framework/Tutorial.h"
#include "game/GameData.h"
#include "game/GameLogic.h"
#include "game/ProfileManager.h"
#include "game/screens/GUIGameLogicWindow.h"
#include "game/screens/GUIMenuWindowManager.h"
#include "platform/Clock.h"
#include "platform/WinUser.h"
#include "platform/WinUserSeams.h"
#include "tests/game/screens/DialogueArt.h"

namespace displaytest {

namespace {

constexpr const char* kTypeface = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

constexpr const char* kLayout = R"(<window name="window_game_logic" position="0 0" size="800 600">
  <window name="window" shader="display_bar" position="8 552" size="784 48" />
  <window name="money" position="24 556" size="200 40">
    <text_label name="text_right" font="display" text="'%MONEY%'" alignment_v="center" size="200 40" />
  </window>
  <button name="menu" shader="display_button" position="472 556" size="144 40" />
  <check_box name="fullscreen" shader="display_button" position="640 556" size="40 40" />
  <button name="minimize" shader="display_button" position="696 556" size="40 40" />
  <button name="close" shader="display_button" position="744 556" size="40 40" />
</window>)";

// The money font, made by FreeType once per process.
void WriteMoneyFont(const testsupport::TempFolder& folder) {
    static const std::vector<Content::FontGenerator::File> made = [] {
        Content::FontGenerator::Options options{kTypeface, 24};
        options.fill = DisplayGame::kMoneyColour;
        return Content::FontGenerator::Build(options);
    }();
    for (const Content::FontGenerator::File& file : made)
        folder.WriteFile(std::string("data/fonts/") + DisplayGame::kMoneyFont + "/" + file.name,
                         std::string(file.bytes.begin(), file.bytes.end()));
}

}  // namespace

DisplayGame::DisplayGame(const testsupport::TempFolder& folder, const std::wstring& installPath)
    : ReplayGameFolder(folder, installPath, {}), TestGame(journal, installPath, {}, InitializeLater{}) {
    folder.WriteFile("data/ui/windows/display.xml", kLayout);
    WriteMoneyFont(folder);
    Initialize();
    GetGameData()->LoadAll();
    auto& data = static_cast<Morvane::GameData&>(*GetGameData());
    dialogueart::AddPicture(data, "comics/introduction/background", {20, 30, 90});
    dialogueart::AddPicture(data, "display_bar", {60, 40, 30});
    dialogueart::AddPicture(data, "display_button", {220, 220, 200});
    CreateWindows();
}

DisplayGame::~DisplayGame() = default;

GameFramework::ProfileManagerBase* DisplayGame::CreateProfileManager() {
    return new Morvane::ProfileManager(audioManager_, userDataFolder_);
}

GameTools::DataKeeper* DisplayGame::CreateGameData() { return new Morvane::GameData(); }

GameFramework::GUIGameLogicWindowBase* DisplayGame::CreateGameLogicWindow() {
    auto* data = static_cast<Morvane::GameData*>(GetGameData());
    menus_ = std::make_unique<Morvane::GUIMenuWindowManager>(data);
    // The game's windows hang on one top container; the GUI manager destroys it last.
    Vantor::GUIWindow* top = Vantor::GUIManager::Instance()->CreateEmptyWindow(Vantor::GUIWindow::kShown, nullptr);
    display_ = new Morvane::GUIGameLogicWindow(static_cast<Morvane::ProfileManager*>(GetProfileManager()), data,
                                               GetToolManager(), menus_.get(), top);
    return display_;
}

Morvane::GameLogic& DisplayGame::StartDay() {
    // The start of the framework's flow is over.
    FindWindow("logos")->Close();
    auto& profiles = static_cast<Morvane::ProfileManager&>(*GetProfileManager());
    profiles.SelectProfile(profiles.CreateProfileIfMissing(replay::ReplayGame::kPlayer), true);
    GetTutorial()->MarkShown(0);
    const GameFramework::LevelManagerBase& levels = *GetLevelManager();
    auto* day = new Morvane::GameLogic(&profiles, GetAudioManager(), static_cast<Morvane::GameData*>(GetGameData()),
                                       nullptr, GetTutorial(), GetToolManager(), levels.GetStage(0),
                                       levels.GetLevel({0, 0}), 0);
    SetGameLogic(day);
    display_->OpenWith(GameFramework::WindowId::GameLogicLoading, day);
    return *day;
}

void DisplayGame::Step(float seconds) {
    platform::seam::AdvanceVirtualTime(static_cast<std::uint64_t>(std::lround(seconds * 1e6f)));
    Frame();
}

void DisplayGame::Steps(int count) {
    for (int frame = 0; frame < count; ++frame) Step();
}

void DisplayGame::Click(const Vantor::GUIWindow& element) {
    const Vantor::Vector2 middle = element.GetAbsolutePosition() + element.GetPosition() + element.GetSize() * 0.5f;
    POINT pixel{static_cast<LONG>(middle.x), static_cast<LONG>(599.0f - middle.y)};
    ClientToScreen(static_cast<Vantor::Window_WinOS*>(Vantor::Window::Instance())->GetWindowHandle(), &pixel);
    platform::seam::InjectMouseMove(pixel.x, pixel.y);
    platform::seam::InjectMouseButton(platform::seam::MouseButton::Left, true);
    platform::seam::InjectMouseButton(platform::seam::MouseButton::Left, false);
}

void DisplayGame::PressKey(unsigned virtualKey) {
    platform::seam::InjectKeyDown(virtualKey);
    platform::seam::InjectKeyUp(virtualKey);
}

}  // namespace displaytest
