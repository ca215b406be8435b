#include "game/screens/GUIDayCompleteWindow.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "engine/gui/GUIButton.h"
#include "engine/kernel/TimerManager.h"
#include "engine/render/AnimationControl.h"
#include "framework/AudioManager.h"
#include "game/DayResult.h"
#include "game/Profile.h"
#include "game/ProfileManager.h"
#include "game/ServiceColours.h"
#include "game/screens/ControlParts.h"
#include "game/screens/RequiredControls.h"
#include "gui_tools/GUITextControl.h"
#include "gui_tools/GUIWindowControl.h"

namespace Morvane {

namespace {

// Seconds after opening at which the food sales, the tips and the total start counting.
constexpr std::array<float, 3> kCountStarts = {0.85f, 2.1f, 3.35f};
// Past every count: the figures stand at their values.
constexpr float kCountsDone = 100000.0f;
// Shares of the customers served above which the figure shows green, else amber.
constexpr double kAllServed = 0.99;
constexpr double kMostServed = 0.6;

}  // namespace

GUIDayCompleteWindow::GUIDayCompleteWindow(GameFramework::AudioManager* audio, ProfileManager* profiles,
                                           GameData* data, GUITools::GUIToolManager* tools,
                                           GUIMenuWindowManager* manager, Vantor::GUIWindow* parent)
    : GUIMenuWindow(audio, data, tools, manager, parent, kLayout),
      profiles_(profiles),
      serviceText_(RequiredControls(*this).Text("/window/service")),
      smile_(RequiredControls(*this).Window("/window/smile")),
      customers_(RequiredControls(*this).Text("/window/customers_served")),
      continue_(RequiredControls(*this).Button("/window/button_0")) {
    const RequiredControls controls(*this);
    const char* paths[] = {"/window/food_sales", "/window/tips", "/window/total_sales"};
    for (std::size_t k = 0; k < counts_.size(); ++k) counts_[k] = {&controls.Text(paths[k]), kCountStarts[k], 0};
}

void GUIDayCompleteWindow::Open(GameFramework::WindowId source) {
    GUIFrameworkWindow::Open(source);
    static const DayResult kNothing;
    const Profile* profile = profiles_->GetCurrent();
    const DayResult& result = profile ? profile->GetDayResult() : kNothing;
    if (title_) title_->SetParameter(L"DAY", std::to_wstring(profile ? profile->GetDay() : 0));
    counts_[0].value = result.foodSales;
    counts_[1].value = result.tips;
    counts_[2].value = static_cast<std::int64_t>(result.foodSales) + result.tips;
    for (const CountUp& count : counts_) count.text->SetParameter(L"MONEY", L"0");
    ShowService(result.serviceRating);
    ShowCustomers(result.customersServed, result.customersCome);
    time_ = 0.0f;
    Show(true);
}

void GUIDayCompleteWindow::ShowService(std::int32_t rating) const {
    if (rating < 0 || rating >= kRatingCount) return;
    static constexpr Vantor::Color kColours[kRatingCount] = {ServiceColours::kGood, ServiceColours::kFair,
                                                             ServiceColours::kPoor, ServiceColours::kPoor};
    if (Vantor::AnimationControl* face = ControlParts::FirstStageAnimation(smile_))
        face->SetPosition(static_cast<float>(rating) * kFaceFramesPerRating);
    serviceText_.SetText("day_complete/service_" + std::to_string(rating));
    serviceText_.colour = kColours[rating];
}

void GUIDayCompleteWindow::ShowCustomers(std::int32_t served, std::int32_t come) const {
    customers_.SetParameter(L"SERVED", std::to_wstring(served));
    customers_.SetParameter(L"TOTAL", std::to_wstring(come));
    // A day nobody came to counts as none served.
    const double share = come > 0 ? static_cast<double>(served) / come : 0.0;
    customers_.colour = share > kAllServed    ? ServiceColours::kGood
                        : share > kMostServed ? ServiceColours::kFair
                                              : ServiceColours::kPoor;
}

void GUIDayCompleteWindow::Close() {
    GUIFrameworkWindow::Close();
    Show(false);
}

void GUIDayCompleteWindow::Update() {
    GUIFrameworkWindow::Update();
    GUIMenuWindow::Update();
    if (!IsShown()) return;
    time_ += Vantor::TimerManager::Instance()->GetFrameTime();
    if (continue_.clicked) {
        Report(GameFramework::WindowResult::GoToStart);
        time_ = kCountsDone;
    }
    ShowCounts();
    UpdateCountSound();
}

void GUIDayCompleteWindow::ShowCounts() const {
    for (const CountUp& count : counts_) {
        const double share = std::clamp((time_ - count.start) / kCountSeconds, 0.0f, 1.0f);
        const auto shown = static_cast<std::int64_t>(std::trunc(share * static_cast<double>(count.value)));
        count.text->SetParameter(L"MONEY", std::to_wstring(shown));
    }
}

void GUIDayCompleteWindow::UpdateCountSound() const {
    const bool counting = std::any_of(counts_.begin(), counts_.end(), [this](const CountUp& count) {
        return time_ > count.start && time_ < count.start + kCountSeconds;
    });
    const bool playing = audio_->GetEffectState(kCountSound) == 0;
    if (counting && !playing) audio_->PlayEffect(kCountSound);
    if (!counting && playing) audio_->StopEffect(kCountSound);
}

}  // namespace Morvane
