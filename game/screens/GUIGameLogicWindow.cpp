#include "game/screens/GUIGameLogicWindow.h"

#include <array>
#include <string>

#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/input/Controls.h"
#include "engine/kernel/Config.h"
#include "engine/kernel/StringHelpers.h"
#include "engine/kernel/TimerManager.h"
#include "engine/render/ModelManager.h"
#include "game/GameData.h"
#include "game/GameLogic.h"
#include "game/ProfileManager.h"
#include "game/screens/GUICoverWindow.h"
#include "game/screens/GUIMenuWindowManager.h"
#include "game/screens/RequiredControls.h"
#include "gui_tools/GUIFontTool.h"
#include "gui_tools/GUITextControl.h"
#include "gui_tools/GUIWindowControl.h"

namespace Morvane {

namespace {

using GameFramework::WindowResult;

// The statistics lines: the first at this place, each next one this far below.
constexpr Vantor::Vector2 kStatisticsPlace{8.0f, 512.0f};
constexpr float kStatisticsLineStep = 15.0f;

// A tutorial hint holds the input while the exclusive list has anything in it.
bool HintHoldsInput() { return !Vantor::GUIManager::Instance()->GetExclusiveInputList().empty(); }

}  // namespace

GUIGameLogicWindow::GUIGameLogicWindow(ProfileManager* profiles, GameData* data, GUITools::GUIToolManager* tools,
                                       GUIMenuWindowManager* manager, Vantor::GUIWindow* parent)
    : GUIGameLogicWindowBase(profiles),
      GUIWindowBase(data, tools, parent, kLayout),
      window_(RequiredControls(*this).Window("/window")),
      menu_(RequiredControls(*this).Button("/menu")),
      minimize_(RequiredControls(*this).Button("/minimize")),
      close_(RequiredControls(*this).Button("/close")),
      fullscreenBox_(RequiredControls(*this).CheckBox("/fullscreen")),
      money_(RequiredControls(*this).Text("/money/text_right")) {
    manager->SetupAdditionalLogos(*this);
    statistics_ = Vantor::GUIManager::Instance()->CreateEmptyWindow(Vantor::GUIWindow::kShown, window_.GetWindow());
    statistics_->SetOrder(kStatisticsOrder);
    cover_ = std::make_unique<GUICoverWindow>(*data, parent);
}

GUIGameLogicWindow::~GUIGameLogicWindow() {
    cover_.reset();
    Vantor::GUIManager::Instance()->DestroyWindow(statistics_);
}

void GUIGameLogicWindow::OpenWith(GameFramework::WindowId source, GameFramework::GameLogicBase* logic) {
    GUIGameLogicWindowBase::OpenWith(source, logic);
    GUIWindowBase::Show(true);
    // The game's days are its own logic.
    day_ = static_cast<GameLogic*>(logic);
    fullscreenBox_.checked = IsFullscreen();
    coverTime_ = 0.0f;
}

void GUIGameLogicWindow::Close() {
    GUIGameLogicWindowBase::Close();
    GUIWindowBase::Show(false);
    day_ = nullptr;
}

void GUIGameLogicWindow::SetActive(bool active) {
    GUIGameLogicWindowBase::SetActive(active);
    menu_.SetEnabled(active);
    close_.SetEnabled(active);
}

void GUIGameLogicWindow::Update() {
    GUIGameLogicWindowBase::Update();
    GUIWindowBase::Update();
    coverTime_ += Vantor::TimerManager::Instance()->GetFrameTime();
    cover_->Fade(coverTime_);
    // A mode switch in progress: the box shows the mode the configuration holds.
    if (Vantor::Config::Instance()->GetCommandState("v_window_change_mode") == 0)
        fullscreenBox_.checked = IsFullscreen();
    if (!window_.IsShown() || !day_) return;
    if (minimize_.clicked) MinimizeApplication();
    if (fullscreenBox_.clicked) SwitchFullscreen(fullscreenBox_.checked);
    DrawStatistics();
    money_.SetParameter(L"MONEY", std::to_wstring(day_->GetDayIncome()));
    if (IsActive()) ReportInput();
}

void GUIGameLogicWindow::ReportInput() {
    const Vantor::Controls& keys = *Vantor::Controls::Instance();
    const bool keysCount = !HintHoldsInput();
    if (close_.clicked) Report(WindowResult::GoToExit);
    if (keysCount && (keys.IsKeyPressed("SPACE") || keys.IsKeyPressed("P"))) Report(WindowResult::Pause);
    if ((keysCount && keys.IsKeyPressed("ESCAPE")) || menu_.clicked) Report(WindowResult::GoToLevelMenu);
}

void GUIGameLogicWindow::DrawStatistics() {
    if (Vantor::Config::Instance()->GetValueText(kStatisticsVariable) != "1") return;
    const Vantor::ModelManager& models = *Vantor::ModelManager::Instance();
    const std::array<std::string, 4> lines{
        "FPS: " + std::to_string(Vantor::TimerManager::Instance()->GetFramesPerSecond()),
        "Model count: " + std::to_string(models.GetDrawnModelCount()),
        "Triangle count: " + std::to_string(models.GetDrawnPrimitiveCount()),
        "Time: " + Vantor::ToString(day_->GetTime(), 1)};
    const int font = fontTool_->GetFontIndex(kStatisticsFont);
    Vantor::Vector2 place = kStatisticsPlace;
    for (const std::string& line : lines) {
        statistics_->PrintText(0, font, place, {1.0f, 1.0f, 1.0f, 1.0f}, Vantor::ToWide(line), 0.0f, -1.0f);
        place.y -= kStatisticsLineStep;
    }
}

}  // namespace Morvane
