#include "game/screens/GUIFinalWindow.h"

#include <algorithm>

#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/gui/TextAlignment.h"
#include "engine/input/Controls.h"
#include "engine/kernel/TimerManager.h"
#include "game/FinalBackground.h"
#include "game/GUIGameCursor.h"
#include "game/screens/PressPrompt.h"
#include "gui_tools/GUIFontTool.h"
#include "gui_tools/GUITextTool.h"
#include "gui_tools/GUIToolManager.h"

namespace Morvane {

namespace {

constexpr Vantor::Color kWhite{1.0f, 1.0f, 1.0f, 1.0f};
constexpr Vantor::Color kOrange{1.0f, 0.68f, 0.0f, 1.0f};
constexpr int kBlankRowsBeforeTheEnd = 24;

std::vector<GUIFinalWindow::CreditRow> MakeCredits() {
    std::vector<GUIFinalWindow::CreditRow> rows{{"credits/title", "tip", kWhite}};
    const auto section = [&rows](const std::string& name, int people) {
        rows.push_back({"", "", kWhite});
        rows.push_back({"credits/" + name, "common", kOrange});
        for (int person = 0; person < people; ++person)
            rows.push_back({"final/" + name + "_" + std::to_string(person), "common", kWhite});
    };
    section("game_design", 3);
    section("programming", 1);
    section("modeling_and_art", 4);
    section("sound", 2);
    rows.insert(rows.end(), kBlankRowsBeforeTheEnd, {"", "", kWhite});
    rows.push_back({"final/the_end", "tip", kWhite});
    return rows;
}

// The prompt's strength, and the roll's while closing.
float Share(float fade) {
    return std::clamp((fade - GUIFinalWindow::kPromptThreshold) /
                          (GUIFinalWindow::kPromptTop - GUIFinalWindow::kPromptThreshold),
                      0.0f, 1.0f);
}

}  // namespace

GUIFinalWindow::GUIFinalWindow(ProfileManager* profiles, GameData* data, GUITools::GUIToolManager* tools,
                               Vantor::GUIWindow* parent, GUIGameCursor* cursor)
    : tools_(tools),
      cursor_(cursor),
      root_(Vantor::GUIManager::Instance()->CreateEmptyWindow(0, parent)) {
    root_->SetOrder(kRootOrder);
    background_ = std::make_unique<FinalBackground>(profiles, data, root_);
    textWindow_ = Vantor::GUIManager::Instance()->CreateWindow(Vantor::GUIWindow::kShown, {0.0f, 0.0f},
                                                               {800.0f, 600.0f}, nullptr, nullptr,
                                                               background_->GetFrontWindow());
}

GUIFinalWindow::~GUIFinalWindow() {
    background_.reset();
    Vantor::GUIManager::Instance()->DestroyWindow(textWindow_);
    Vantor::GUIManager::Instance()->DestroyWindow(root_);
}

const std::vector<GUIFinalWindow::CreditRow>& GUIFinalWindow::Credits() {
    static const std::vector<CreditRow> rows = MakeCredits();
    return rows;
}

void GUIFinalWindow::Open(GameFramework::WindowId source) {
    GUIFrameworkWindow::Open(source);
    open_ = true;
    backgroundHiding_ = false;
    promptFade_ = 0.0f;
    root_->SetFlags(Vantor::GUIWindow::kShown);
    background_->Show(true, true, kOpenFadeSpeed);
    time_ = 0.0f;
}

void GUIFinalWindow::Close() {
    GUIFrameworkWindow::Close();
    open_ = false;
}

void GUIFinalWindow::Update() {
    GUIFrameworkWindow::Update();
    if (!root_->IsVisible()) return;
    background_->Update();
    const float frameTime = Vantor::TimerManager::Instance()->GetFrameTime();
    time_ += frameTime;

    if (Roll() > kPromptDelay) {
        promptFade_ = std::clamp(promptFade_ + (open_ ? frameTime : -frameTime), 0.0f, kPromptTop);
        const float share = Share(promptFade_);
        if (share > 0.0001f) {
            PressPrompt::Print(*textWindow_, *tools_, share);
            cursor_->SetTrailEnabled(false);
        }
    }
    if (open_) {
        if (promptFade_ > kPromptThreshold && Vantor::Controls::Instance()->IsAnyKeyPressed())
            Report(GameFramework::WindowResult::GoToHighScores);
        return;
    }
    if (!backgroundHiding_ && promptFade_ < kPromptThreshold) {
        background_->Show(false, true, kCloseFadeSpeed);
        cursor_->SetTrailEnabled(true);
        backgroundHiding_ = true;
    }
    if (backgroundHiding_ && !background_->IsVisible()) root_->ClearFlags(Vantor::GUIWindow::kShown);
}

float GUIFinalWindow::Roll() const {
    const std::vector<CreditRow>& rows = Credits();
    float t = time_ - kRollDelay;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        if (t <= 0.0f) return -1.0f;
        if (!rows[row].key.empty()) {
            float y = kRiseSpeed * t;
            if (row + 1 == rows.size()) y = std::min(y, kLastRowRest);
            float alpha = RowAlpha(y);
            if (!open_) alpha *= Share(promptFade_);
            PrintRow(rows[row], y, alpha);
        }
        t -= kRowSpacing / kRiseSpeed;
    }
    return t;
}

float GUIFinalWindow::RowAlpha(float y) {
    float alpha = 0.0f;
    if (y > kFadeOutFrom)
        alpha = 1.0f - (y - kFadeOutFrom) / kFadeLength;
    else if (y > kFadeInFrom)
        alpha = (y - kFadeInFrom) / kFadeLength;
    return std::clamp(alpha, 0.0f, 1.0f);
}

void GUIFinalWindow::PrintRow(const CreditRow& row, float y, float alpha) const {
    Vantor::Color colour = row.colour;
    colour.w = alpha;
    textWindow_->PrintText(Vantor::TextAlignment::kCentreHorizontally, tools_->GetFontTool()->GetFontIndex(row.font),
                           {0.0f, y}, colour, tools_->GetTextTool()->GetText(row.key), 0.0f, -1.0f);
}

}  // namespace Morvane
