#include "game/screens/GUIIntroductionWindow.h"

#include <algorithm>

#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/input/Controls.h"
#include "engine/kernel/TimerManager.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/ShaderUser.h"
#include "framework/AudioManager.h"
#include "game/GameData.h"
#include "game/screens/PressPrompt.h"
#include "game/screens/RequiredControls.h"
#include "gui_tools/GUITextControl.h"
#include "gui_tools/GUIWindowControl.h"

namespace Morvane {

namespace {

using Action = IntroductionScript::Action;
using Step = IntroductionScript::Step;

bool AnyPress() { return Vantor::Controls::Instance()->IsAnyKeyPressed(); }

}  // namespace

GUIIntroductionWindow::GUIIntroductionWindow(GameFramework::AudioManager* audio, GameData* data,
                                             GUITools::GUIToolManager* tools, Vantor::GUIWindow* parent)
    : GUIWindowBase(data, tools, parent, kLayout),
      audio_(audio),
      balloonText_(RequiredControls(*this).Text(IntroductionScript::kBalloonText)),
      balloonMouse_(RequiredControls(*this).Window(IntroductionScript::kBalloonMouse)),
      printWindow_(Vantor::GUIManager::Instance()->CreateWindow(Vantor::GUIWindow::kShown, {0.0f, 0.0f},
                                                                {800.0f, 600.0f}, nullptr, nullptr, parent)) {
    const RequiredControls required(*this);
    required.Control(IntroductionScript::kFirstBackground);
    required.Control(IntroductionScript::kLastPanel);
    for (const std::string& path : IntroductionScript::NamedControls()) required.Control(path);
    printWindow_->SetOrder(kPrintOrder);
}

GUIIntroductionWindow::~GUIIntroductionWindow() { Vantor::GUIManager::Instance()->DestroyWindow(printWindow_); }

GUITools::GUIControl& GUIIntroductionWindow::Control(const std::string& path) const {
    return RequiredControls(*this).Control(path);
}

void GUIIntroductionWindow::Open(GameFramework::WindowId source) {
    GUIFrameworkWindow::Open(source);
    for (const std::unique_ptr<GUITools::GUIControl>& control : GetControls())
        if (control->GetName().find(kComicMark) != std::string::npos) EnableControl(*control, false);
    GUIWindowBase::Show(true);
    Control(IntroductionScript::kFirstBackground).Show(true, true);
    step_ = 0;
    timer_ = 0.0f;
}

void GUIIntroductionWindow::Start() {
    step_ = 1;
    timer_ = 0.0f;
}

void GUIIntroductionWindow::Close() {
    GUIFrameworkWindow::Close();
    GUIWindowBase::Show(false);
}

void GUIIntroductionWindow::Update() {
    GUIFrameworkWindow::Update();
    if (!IsVisible()) return;
    timer_ += Vantor::TimerManager::Instance()->GetFrameTime();
    RunStep();
    if (balloonText_.IsShown()) PrintPrompt(balloonText_.GetFadeValue());
    GUIWindowBase::Update();
}

void GUIIntroductionWindow::RunStep() {
    const std::vector<Step>& steps = IntroductionScript::Steps();
    const auto step = std::find_if(steps.begin(), steps.end(), [this](const Step& s) { return s.step == step_; });
    if (step == steps.end() || !WaitIsOver(*step)) return;
    for (const Action& action : step->actions) Act(action);
    step_ = step->next;
    timer_ = 0.0f;
    if (step->clearsClicked) clicked_ = false;
}

bool GUIIntroductionWindow::WaitIsOver(const Step& step) {
    switch (step.wait) {
        case Step::Wait::NextFrame:
            return true;
        case Step::Wait::AtLeast:
            return timer_ >= step.seconds;
        case Step::Wait::MoreThan:
            return timer_ > step.seconds;
        case Step::Wait::ClickWait:
            return BalloonClicked(step.control);
        case Step::Wait::ClickPage:
            return PromptPageClicked();
    }
    return false;
}

bool GUIIntroductionWindow::BalloonClicked(const std::string& balloon) {
    if (!clicked_ && timer_ >= kClickGuard && AnyPress()) {
        Control(balloon).Show(false, true);
        balloonText_.Show(false, true);
        balloonMouse_.Show(false, true);
        clicked_ = true;
        timer_ = 0.0f;
    }
    return clicked_ && timer_ >= kClickGuard;
}

bool GUIIntroductionWindow::PromptPageClicked() {
    if (timer_ <= kPageHintStart) return false;
    // The prompt fades in over a second, and after the press fades out over one.
    const float alpha = clicked_ ? 1.0f - std::clamp(timer_ - kPageHintFadeOut, 0.0f, 1.0f)
                                 : std::clamp(timer_ - kPageHintStart, 0.0f, 1.0f);
    PrintPrompt(alpha);
    if (!clicked_ && AnyPress()) {
        clicked_ = true;
        timer_ = kPageHintFadeOut;
    }
    return clicked_ && timer_ >= kPageTurn;
}

void GUIIntroductionWindow::Act(const Action& action) {
    switch (action.kind) {
        case Action::Kind::Show: {
            GUITools::GUIControl& control = Control(action.control);
            if (action.fade) {
                control.SetFader("fader");
                control.SetFaderMin(action.fade->from);
                control.SetFaderMax(action.fade->to);
                control.SetShowSpeed(action.fade->speed);
                if (action.fade->offset) control.SetFadeOffset(*action.fade->offset);
            }
            control.Show(true, true);
            break;
        }
        case Action::Kind::Remove:
            EnableControl(GetLayoutName() + action.control, false);
            break;
        case Action::Kind::Balloon:
            SayBalloon(action.control, action.balloon);
            break;
        case Action::Kind::Blend: {
            Vantor::ShaderUser* material = Control(action.control).GetWindow()->GetShaderUser();
            if (!material) break;
            material->AddFlags(Vantor::ShaderDescriptor::kBlending);
            material->SetBlendFactor(0, static_cast<std::int32_t>(Vantor::BlendFactor::SrcAlpha));
            material->SetBlendFactor(1, static_cast<std::int32_t>(Vantor::BlendFactor::InvSrcAlpha));
            break;
        }
        case Action::Kind::Ending:
            EndComic();
            break;
        case Action::Kind::Finish:
            Report(GameFramework::WindowResult::Finished);
            break;
    }
}

void GUIIntroductionWindow::SayBalloon(const std::string& picture, const IntroductionScript::Balloon& balloon) {
    Control(picture).Show(true, true);
    balloonText_.SetPosition(balloon.textPosition);
    balloonText_.SetSize(balloon.textSize);
    balloonText_.SetText(balloon.textKey);
    balloonText_.Show(true, true);
    balloonMouse_.SetPosition(balloon.mousePosition);
    balloonMouse_.Show(true, true);
    audio_->PlayEffect(kBalloonSound);
    clicked_ = false;
}

void GUIIntroductionWindow::EndComic() {
    const std::string lastPanel = GetLayoutName() + IntroductionScript::kLastPanel;
    const std::string firstBackground = GetLayoutName() + IntroductionScript::kFirstBackground;
    for (const std::unique_ptr<GUITools::GUIControl>& control : GetControls()) {
        const std::string& name = control->GetName();
        if (name == lastPanel || name == firstBackground) {
            control->SetFader("fader");
            control->SetFaderMin(0.0f);
            control->SetFaderMax(1.0f);
            control->SetHideSpeed(kEndingHideSpeed);
            if (name == firstBackground) control->SetHideOffset(kBackgroundHideOffset);
            control->Show(false, true);
        } else if (name.find(kComicMark) != std::string::npos) {
            EnableControl(*control, false);
        }
    }
}

void GUIIntroductionWindow::PrintPrompt(float alpha) const { PressPrompt::Print(*printWindow_, *tools_, alpha); }

}  // namespace Morvane
