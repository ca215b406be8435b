#include "game/screens/GUITextBalloonWindow.h"

#include <algorithm>

#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/input/Controls.h"
#include "engine/kernel/MathHelpers.h"
#include "engine/kernel/TimerManager.h"
#include "framework/AudioManager.h"
#include "game/screens/PressPrompt.h"
#include "gui_tools/GUIControlDescription.h"
#include "gui_tools/GUIFontTool.h"
#include "gui_tools/GUITextControl.h"
#include "gui_tools/GUITextTool.h"
#include "gui_tools/GUIToolManager.h"
#include "tools/DataKeeper.h"

namespace Morvane {

namespace {

struct BalloonShape {
    const char* modelSuffix;
    Vantor::Vector2 textPosition;
    Vantor::Vector2 textSize;
};

// By BalloonKind.
constexpr BalloonShape kShapes[] = {
    {"_balloon_left_small", {90.0f, 390.0f}, {207.0f, 84.0f}},
    {"_balloon_left_big", {90.0f, 390.0f}, {253.0f, 104.0f}},
    {"_balloon_right_small", {508.0f, 369.0f}, {207.0f, 84.0f}},
    {"_balloon_right_big", {462.0f, 368.0f}, {253.0f, 104.0f}},
    {"_balloon_right_very_big", {414.0f, 368.0f}, {303.0f, 104.0f}},
};

constexpr Vantor::Vector2 kScreenSize{800.0f, 600.0f};
constexpr const char* kTextFader = "text_fader";
constexpr const char* kLineFont = "common_2";
constexpr const char* kHoveredAnswerFont = "common_0";
constexpr const char* kAnswerFont = "common_1";
constexpr Vantor::Vector2 kHintControlPosition{275.0f, 25.0f};
constexpr Vantor::Vector2 kHintControlSize{250.0f, 52.0f};

GUITools::GUIControlDescription TextDescription() {
    GUITools::GUIControlDescription description;
    description.name = "text";
    return description;
}

void FadeWithTheBalloon(GUITools::GUITextControl& control) {
    control.SetFader(kTextFader);
    control.SetShowSpeed(GUITextBalloonWindow::kFadeSpeed);
    control.SetHideSpeed(GUITextBalloonWindow::kFadeSpeed);
}

}  // namespace

GUITextBalloonWindow::GUITextBalloonWindow(GameFramework::AudioManager* audio, GameTools::DataKeeper* data,
                                           GUITools::GUIToolManager* tools, Vantor::GUIWindow* parent,
                                           const std::string& character, BalloonKind kind, bool useHintControl)
    : audio_(audio),
      data_(data),
      tools_(tools),
      fontTool_(tools->GetFontTool()),
      textTool_(tools->GetTextTool()),
      useHintControl_(useHintControl) {
    const BalloonShape& shape = kShapes[static_cast<int>(kind)];
    Vantor::GUIManager& gui = *Vantor::GUIManager::Instance();
    balloonWindow_ = gui.CreateWindow(0, {0.0f, 0.0f}, {1.0f, 1.0f},
                                      data_->GetModel("ui/characters/" + character + shape.modelSuffix), nullptr,
                                      parent);
    balloonWindow_->SetOrder(1);
    textArea_ = gui.CreateWindow(Vantor::GUIWindow::kShown, {0.0f, 0.0f}, kScreenSize, nullptr, nullptr,
                                 balloonWindow_);
    textArea_->SetPosition(shape.textPosition);
    textArea_->SetSize(shape.textSize);
    hintWindow_ = gui.CreateWindow(Vantor::GUIWindow::kShown, {0.0f, 0.0f}, kScreenSize, nullptr, nullptr,
                                   balloonWindow_);
    hintWindow_->SetOrder(kHintOrder);
    MakeHintControl();
}

GUITextBalloonWindow::~GUITextBalloonWindow() {
    hintControl_.reset();
    lines_.clear();
    Vantor::GUIManager& gui = *Vantor::GUIManager::Instance();
    for (Vantor::GUIButton* button : choiceButtons_) gui.DestroyButton(button);
    gui.DestroyWindow(hintWindow_);
    gui.DestroyWindow(textArea_);
    gui.DestroyWindow(balloonWindow_);
}

void GUITextBalloonWindow::MakeHintControl() {
    hintControl_ = std::make_unique<GUITools::GUITextControl>(data_, fontTool_, textTool_, hintWindow_,
                                                              TextDescription());
    GUITools::GUITextControl& hint = *hintControl_;
    hint.horizontalAlignment = "center";
    hint.verticalAlignment = "center";
    hint.multiline = true;
    hint.SetFont(PressPrompt::kFont);
    hint.SetPosition(kHintControlPosition);
    hint.SetSize(kHintControlSize);
    hint.autoFontSize = true;
    hint.SetText(PressPrompt::kTextKey);
    FadeWithTheBalloon(hint);
}

void GUITextBalloonWindow::SetText(const std::string& horizontalAlignment, const std::string& verticalAlignment,
                                   bool multiline, const Vantor::Vector2& position,
                                   const Vantor::Vector2& relativeSize, const std::wstring& text, int choice) {
    auto line = std::make_unique<GUITools::GUITextControl>(data_, fontTool_, textTool_, textArea_, TextDescription());
    line->horizontalAlignment = horizontalAlignment;
    line->verticalAlignment = verticalAlignment;
    line->multiline = multiline;
    line->SetFont(kLineFont);
    const Vantor::Vector2& area = textArea_->GetSize();
    const Vantor::Vector2 size(area.x * relativeSize.x, area.y * relativeSize.y);
    line->SetPosition(position);
    line->SetSize(size);
    line->SetLiteralText(text);
    line->autoFontSize = true;
    line->Layout();
    FadeWithTheBalloon(*line);

    Vantor::GUIButton* button = nullptr;
    if (choice != 0) {
        button = Vantor::GUIManager::Instance()->CreateButton(Vantor::GUIWindow::kShown, position, size, nullptr,
                                                              nullptr, textArea_);
        hasChoices_ = true;
        choiceFontSize_ = std::min(choiceFontSize_, line->currentFontSize);
    }
    lines_.push_back(std::move(line));
    choiceValues_.push_back(choice);
    choiceButtons_.push_back(button);
}

void GUITextBalloonWindow::SetTextKey(const std::string& horizontalAlignment, const std::string& verticalAlignment,
                                      bool multiline, const Vantor::Vector2& position,
                                      const Vantor::Vector2& relativeSize, const std::string& key, int choice) {
    SetText(horizontalAlignment, verticalAlignment, multiline, position, relativeSize, textTool_->GetText(key),
            choice);
}

void GUITextBalloonWindow::Show(float delay) {
    active = true;
    shown = true;
    showDelay_ = delay;
    playSound_ = true;
    balloonWindow_->SetFlags(Vantor::GUIWindow::kShown);
    balloonWindow_->SetAlpha(0.0f);
    if (hasChoices_) {
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            if (choiceValues_[i] == 0) continue;
            GUITools::GUITextControl& answer = *lines_[i];
            answer.autoFontSize = false;
            answer.Layout();
            answer.fontSize = choiceFontSize_;
            answer.Layout();
        }
        choiceFontSize_ = kNoChoiceFontSize;
    }
    for (const auto& line : lines_) line->Show(true, true);
    hintPending_ = true;
    if (useHintControl_ && UsesHint()) hintControl_->Show(true, true);
}

void GUITextBalloonWindow::Update() {
    if (!active) return;
    const float frameTime = Vantor::TimerManager::Instance()->GetFrameTime();
    showDelay_ -= frameTime;
    if (showDelay_ > 0.0f) return;
    if (playSound_) {
        audio_->PlayEffect(kAppearEffect);
        playSound_ = false;
    }

    const float step = frameTime * kFadeSpeed;
    const float alpha = std::clamp(balloonWindow_->GetAlpha() + (shown ? step : -step), 0.0f, 1.0f);
    balloonWindow_->SetAlpha(alpha);

    if (!hintPending_ || !UsesHint()) {
        hintPending_ = false;
    } else if (!useHintControl_) {
        PressPrompt::Print(*hintWindow_, *tools_, alpha);
    }

    bool closes = false;
    int value = 0;
    if (!leader) {
        value = ChooseAnswer(alpha);
        closes = WantsToClose(alpha, value);
    } else {
        closes = shown && !leader->shown;
    }

    for (const auto& line : lines_) line->Update();
    hintControl_->Update();

    if (closes) Close(value);
    if (!shown && alpha < Vantor::kFloatTolerance) Empty();
}

void GUITextBalloonWindow::UpdateInTurn(GUITextBalloonWindow* one, GUITextBalloonWindow* other) {
    if (!one) std::swap(one, other);
    if (other && one->leader) std::swap(one, other);
    if (one) one->Update();
    if (other) other->Update();
}

int GUITextBalloonWindow::ChooseAnswer(float alpha) {
    if (!shown || alpha + Vantor::kFloatTolerance <= kClickableAlpha) return 0;
    int chosen = 0;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (choiceValues_[i] == 0) continue;
        const Vantor::GUIButton& button = *choiceButtons_[i];
        if (button.IsHovered()) {
            lines_[i]->SetFont(kHoveredAnswerFont);
            if (button.clicked) chosen = choiceValues_[i];
        } else {
            lines_[i]->SetFont(kAnswerFont);
        }
    }
    return chosen;
}

bool GUITextBalloonWindow::WantsToClose(float alpha, int chosen) const {
    if (!shown) return false;
    if (chosen != 0 || (keepOpen && closeRequested)) return true;
    return !keepOpen && !hasChoices_ && alpha + Vantor::kFloatTolerance > kClickableAlpha &&
           Vantor::Controls::Instance()->IsAnyKeyPressed();
}

void GUITextBalloonWindow::Close(int value) {
    result = value;
    shown = false;
    for (const auto& line : lines_) line->Show(false, true);
    if (hintControl_->IsTargetShown()) hintControl_->Show(false, true);
    leader = nullptr;
}

void GUITextBalloonWindow::Empty() {
    balloonWindow_->ClearFlags(Vantor::GUIWindow::kShown);
    Vantor::GUIManager& gui = *Vantor::GUIManager::Instance();
    for (Vantor::GUIButton* button : choiceButtons_) gui.DestroyButton(button);
    choiceButtons_.clear();
    lines_.clear();
    choiceValues_.clear();
    active = false;
    hasChoices_ = false;
    keepOpen = false;
    closeRequested = false;
    leader = nullptr;
    choiceFontSize_ = kNoChoiceFontSize;
}

}  // namespace Morvane
