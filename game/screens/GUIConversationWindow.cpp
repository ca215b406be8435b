#include "game/screens/GUIConversationWindow.h"

#include <string>

#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/kernel/TimerManager.h"
#include "engine/render/Model.h"
#include "engine/render/ModelFlags.h"
#include "game/GameData.h"
#include "game/Profile.h"
#include "game/ProfileManager.h"
#include "game/screens/ControlParts.h"
#include "game/screens/GUICharacterWindow.h"
#include "game/screens/GUITextBalloonWindow.h"
#include "game/screens/RequiredControls.h"
#include "gui_tools/GUITextControl.h"

namespace Morvane {

namespace {

constexpr const char* kSpeakerBase = "main_menu_npc";
constexpr const char* kGirlBase = "main_menu_girl";
constexpr const char* kBalloonCharacter = "main_menu";
constexpr const char* kGirlHello = "girl_hello";
constexpr const char* kGirlStand = "girl_stand";

}  // namespace

GUIConversationWindow::GUIConversationWindow(GameFramework::AudioManager* audio, ProfileManager* profiles,
                                             GameData* data, GUITools::GUIToolManager* tools,
                                             GUIMenuWindowManager* manager, Vantor::GUIWindow* parent,
                                             const ConversationScript& script)
    : GUIMenuWindow(audio, data, tools, manager, parent, script.layout),
      profiles_(profiles),
      script_(script),
      group_(Vantor::GUIManager::Instance()->CreateEmptyWindow(Vantor::GUIWindow::kShown, parent)) {
    // Open fills these two: a layout without them stops the game here.
    const RequiredControls required(*this);
    required.Text("/title");
    required.Control("/window");
    group_->SetOrder(kGroupOrder);
    speaker_ = std::make_unique<GUICharacterWindow>(data, group_, kSpeakerBase);
    girl_ = std::make_unique<GUICharacterWindow>(data, group_, kGirlBase);
    speakerBalloon_ = std::make_unique<GUITextBalloonWindow>(audio, data, tools, group_, kBalloonCharacter,
                                                             BalloonKind::RightSmall, false);
    girlBalloon_ = std::make_unique<GUITextBalloonWindow>(audio, data, tools, group_, kBalloonCharacter,
                                                          BalloonKind::LeftSmall, false);
}

GUIConversationWindow::~GUIConversationWindow() { Vantor::GUIManager::Instance()->DestroyWindow(group_); }

void GUIConversationWindow::Open(GameFramework::WindowId source) {
    GUIFrameworkWindow::Open(source);
    const Profile* profile = profiles_->GetCurrent();
    const int day = profile ? profile->GetDay() : 0;
    title_->SetParameter(L"DAY", std::to_wstring(day + 1));
    if (Vantor::Model* model = ControlParts::Model(*window_)) model->SetFlags(Vantor::ModelFlags::kCullClockwise);
    GUIMenuWindow::Show(true);
    speaker_->SetCharacter(script_.speakerHello);
    girl_->SetCharacter(kGirlHello);
    speakerInUse_ = nullptr;
    girlInUse_ = nullptr;
    step_ = 0;
}

void GUIConversationWindow::Update() {
    GUIFrameworkWindow::Update();
    GUIMenuWindow::Update();
    if (!IsShown()) return;
    if (step_ == kLastStep) {
        endTimer_ += Vantor::TimerManager::Instance()->GetFrameTime();
        if (endTimer_ > kEndDelay) Report(GameFramework::WindowResult::GoToStart);
    }
    speaker_->Update();
    girl_->Update();
    GUITextBalloonWindow::UpdateInTurn(speakerInUse_, girlInUse_);
    Advance();
}

void GUIConversationWindow::Close() {
    GUIFrameworkWindow::Close();
    GUIMenuWindow::Show(false);
}

void GUIConversationWindow::Advance() {
    switch (step_) {
        case 0:
            Say(speakerInUse_, *speakerBalloon_, script_.balloonKeys[0], kFirstBalloonDelay);
            break;
        case 1:
            if (IsTalking(speakerInUse_)) return;
            Say(girlInUse_, *girlBalloon_, script_.balloonKeys[1], 0.0f);
            break;
        case 2:
            if (IsTalking(girlInUse_)) return;
            speaker_->SetCharacter(script_.speakerStand);
            girl_->SetCharacter(kGirlStand);
            Say(speakerInUse_, *speakerBalloon_, script_.balloonKeys[2], 0.0f);
            break;
        case 3:
            if (IsTalking(speakerInUse_)) return;
            Say(girlInUse_, *girlBalloon_, script_.balloonKeys[3], 0.0f);
            break;
        case 4:
            if (IsTalking(girlInUse_)) return;
            speaker_->SetCharacter("");
            girl_->SetCharacter("");
            endTimer_ = 0.0f;
            break;
        default:
            return;
    }
    ++step_;
}

void GUIConversationWindow::Say(GUITextBalloonWindow*& inUse, GUITextBalloonWindow& balloon, const char* key,
                                float delay) {
    inUse = &balloon;
    balloon.SetTextKey("center", "center", true, {0.0f, 0.0f}, {1.0f, 1.0f}, key, 0);
    balloon.Show(delay);
}

bool GUIConversationWindow::IsTalking(const GUITextBalloonWindow* balloon) { return balloon && balloon->active; }

}  // namespace Morvane
