#include "game/screens/GUITutorialWindow.h"

#include <iterator>
#include <string>

#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/kernel/MessageManager.h"
#include "framework/AudioManager.h"
#include "framework/Tutorial.h"
#include "game/GameData.h"
#include "game/screens/GUIParticlesEffect.h"
#include "game/screens/RequiredControls.h"
#include "gui_tools/GUITextControl.h"
#include "gui_tools/GUIWindowControl.h"

namespace Morvane {

namespace {

using Vantor::Vector2;

constexpr const char* kDecorationModel = "ui/tutorial_hint";
constexpr const char* kDecorationEffect = "tutorial_hint";
constexpr float kDecorationFramesPerSecond = 5.0f;
constexpr float kDecorationDepthOffset = 0.0001f;
// Appended to the hints that wait for a press.
constexpr const char* kPressRequest =
    "+tutorial/hit_mouse_button_begin+common/hit_mouse_button+tutorial/hit_mouse_button_end";

// What a hint shows besides its text box.
enum Icons : unsigned {
    kTextOnly = 0,
    kArrowIcons = 1,  // the arrow and the left-button picture beside it
    kBoxMouse = 2,
    kRightButton = 4,
};
constexpr unsigned kBoxMouseAndRight = kBoxMouse | kRightButton;

struct Hint {
    unsigned icons;
    Vector2 box;
    Vector2 arrow;
    float angle;
    Vector2 leftButton;
    // The right-button picture's offset from the cursor (its place in the fixed hint);
    // kept from the hint before when not given.
    bool setsOffset;
    Vector2 rightOffset;
    const char* text;
    bool asksPress;
};

constexpr Vector2 kNone{0.0f, 0.0f};

constexpr Hint TextHint(const char* text) { return {kTextOnly, {200, 210}, kNone, 0.0f, kNone, false, kNone, text, true}; }
constexpr Hint ArrowHint(Vector2 box, Vector2 arrow, float angle, Vector2 left, const char* text) {
    return {kArrowIcons, box, arrow, angle, left, false, kNone, text, false};
}

constexpr Hint kHints[] = {
    TextHint("tutorial/introduction"),
    ArrowHint({431, 326}, {457, 368}, 3.65f, {335, 201}, "tutorial/cracker_0"),
    ArrowHint({388, 348}, {391, 440}, 3.65f, {269, 273}, "tutorial/jelly"),
    ArrowHint({420, 325}, {393, 367}, 3.65f, {273, 200}, "tutorial/cracker_1"),
    ArrowHint({230, 230}, {236, 250}, 3.65f, {116, 68}, "tutorial/deliver_simple"),
    {kBoxMouse, {418, 323}, kNone, 0.0f, kNone, true, {3, -46}, "tutorial/deliver_right_click", false},
    ArrowHint({388, 348}, {391, 440}, 3.65f, {269, 273}, "tutorial/make_cake"),
    ArrowHint({40, 283}, {335, 221}, 5.8f, {514, 147}, "tutorial/dustbin"),
    TextHint("tutorial/serve_customers"),
    TextHint("tutorial/coffee"),
    ArrowHint({104, 355}, {709, 298}, 8.35f, {600, 356}, "tutorial/coffee_cup_get_0"),
    ArrowHint({101, 202}, {392, 346}, 6.7f, {508, 405}, "tutorial/coffee_cup_put_0"),
    {kArrowIcons, {101, 202}, {392, 346}, 6.7f, {508, 405}, true, {-8, -39}, "tutorial/coffee_done_0", false},
    ArrowHint({104, 355}, {664, 298}, 8.35f, {555, 356}, "tutorial/coffee_cup_get_1"),
    ArrowHint({101, 202}, {392, 346}, 6.7f, {508, 405}, "tutorial/coffee_cup_put_1"),
    ArrowHint({104, 355}, {619, 298}, 8.35f, {510, 356}, "tutorial/coffee_cup_get_2"),
    ArrowHint({101, 202}, {392, 346}, 6.7f, {508, 405}, "tutorial/coffee_cup_put_2"),
    {kBoxMouseAndRight, {92, 356}, kNone, 0.0f, kNone, true, {-8, -39}, "tutorial/coffee_deliver_0", false},
    ArrowHint({101, 202}, {392, 346}, 6.7f, {508, 405}, "tutorial/coffee_get"),
    ArrowHint({440, 175}, {664, 427}, 8.8f, {448, 405}, "tutorial/coffee_put"),
    {kBoxMouseAndRight, {92, 356}, kNone, 0.0f, kNone, true, {508, 405}, "tutorial/coffee_deliver_1", false},
    TextHint("tutorial/coffee_finish"),
};
static_assert(std::size(kHints) == GUITutorialWindow::kLastHint - GUITutorialWindow::kFirstHint + 1);

}  // namespace

GUITutorialWindow::GUITutorialWindow(GameFramework::Tutorial* tutorial, GameFramework::AudioManager* audio,
                                     GameData* data, GUITools::GUIToolManager* tools, Vantor::GUIWindow* parent)
    : GUITutorialWindowBase(tutorial),
      GUIWindowBase(data, tools, parent, kLayout),
      audio_(audio),
      arrow_(RequiredControls(*this).Window("/arrow")),
      boxMouse_(RequiredControls(*this).Window("/window/mouse")),
      leftButton_(RequiredControls(*this).Window("/mouse_left_small")),
      rightButton_(RequiredControls(*this).Window("/mouse_right_small")),
      textBox_(RequiredControls(*this).Window("/window")),
      text_(RequiredControls(*this).Text("/window/text")) {
    // The box's own order reaches its GUI element before the first update.
    textBox_.GetWindow()->SetOrder(textBox_.GetOrder());
    decoration_ = std::make_unique<GUIParticlesEffect>(data, kDecorationModel, kDecorationEffect,
                                                       textBox_.GetPosition(), kDecorationFramesPerSecond,
                                                       *boxMouse_.GetWindow(), kDecorationDepthOffset);
}

GUITutorialWindow::~GUITutorialWindow() = default;

void GUITutorialWindow::Open() {
    GUITutorialWindowBase::Open();
    soundPending_ = true;
    for (const GUITools::GUIControl* icon : {&GetArrow(), &boxMouse_, &leftButton_, &rightButton_})
        EnableControl(*icon, false);
    arrow_.SetAngle(0.0f);
    ShowHint(GetTutorial()->GetHint());
    decoration_->SetOffset(textBox_.GetPosition());
    decoration_->Start();
    Show(true);
}

void GUITutorialWindow::ShowHint(int hint) {
    if (hint < kFirstHint || hint > kLastHint) {
        Vantor::MessageManager::Instance()->PrintFatalError("Unknown tutorial (" +
                                                            std::to_string(static_cast<unsigned>(hint)) + ")");
    }
    const Hint& row = kHints[hint - kFirstHint];
    textBox_.SetPosition(row.box);
    if (row.icons & kArrowIcons) {
        GetArrow().SetPosition(row.arrow);
        arrow_.SetAngle(row.angle);
        leftButton_.SetPosition(row.leftButton);
        EnableControl(GetArrow(), true);
        EnableControl(leftButton_, true);
    }
    if (row.icons & kBoxMouse) EnableControl(boxMouse_, true);
    if (row.icons & kRightButton) EnableControl(rightButton_, true);
    if (row.setsOffset) rightOffset_ = row.rightOffset;
    text_.SetText(std::string(row.text) + (row.asksPress ? kPressRequest : ""));
}

void GUITutorialWindow::Update() {
    GUITutorialWindowBase::Update();
    GUIWindowBase::Update();
    if (!IsVisible()) return;
    decoration_->Update();
    if (soundPending_) {
        audio_->PlayEffect(kHintSound);
        soundPending_ = false;
    }
    arrow_.Place();
    UpdateRightButton(GetTutorial()->GetHint());
    if (GetTutorial()->IsPending(kArrowDoneBit) && GetArrow().IsTargetShown()) {
        GetArrow().Show(false, true);
        leftButton_.Show(false, true);
    }
}

void GUITutorialWindow::UpdateRightButton(int hint) {
    if (hint == kFollowingHint) rightButton_.SetPosition(AtCursor());
    if (hint == kFixedHint) rightButton_.SetPosition(rightOffset_);
    if (GetTutorial()->IsPending(kRightButtonBit)) {
        if (!IsControlEnabled(rightButton_)) EnableControl(rightButton_, true);
        if (!rightButton_.IsTargetShown()) rightButton_.Show(true, true);
        rightButton_.SetPosition(AtCursor());
    } else if (hint != kFollowingHint && hint != kFixedHint && IsControlEnabled(rightButton_)) {
        // It keeps following the cursor while it fades.
        if (rightButton_.IsTargetShown()) rightButton_.Show(false, true);
        rightButton_.SetPosition(AtCursor());
    }
}

Vantor::Vector2 GUITutorialWindow::AtCursor() const {
    return Vantor::GUIManager::Instance()->GetCursorPosition() + rightOffset_;
}

void GUITutorialWindow::Close() {
    GUITutorialWindowBase::Close();
    // Bit 1 has hidden the arrow: it stays out of the window's showing from now on.
    if (!GetArrow().IsTargetShown()) {
        EnableControl(GetArrow(), false);
        EnableControl(leftButton_, false);
    }
    Show(false);
    decoration_->Stop(true);
}

}  // namespace Morvane
