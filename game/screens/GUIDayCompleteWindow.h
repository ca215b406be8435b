#pragma once
// The results of the day just played: the day's number, the food sales, the tips and
// their total counted up one after the other to the sound of the cash register, the
// service as a face and a text, and the customers served out of those who came. The
// continue button finishes the counts at once and leads on to the start of the next day.
//
// The figures are the current profile's day and day result, read at opening.

#include <array>
#include <cstdint>

#include "framework/GUIFrameworkWindow.h"
#include "game/screens/GUIMenuWindow.h"

namespace Vantor {
class GUIButton;
}

namespace Morvane {

class ProfileManager;

class GUIDayCompleteWindow : public GameFramework::GUIFrameworkWindow, public GUIMenuWindow {
public:
    static constexpr const char* kLayout = "window_day_complete";
    // The cash register, looping while a figure counts.
    static constexpr const char* kCountSound = "13";
    // Each count takes a second.
    static constexpr float kCountSeconds = 1.0f;
    // The face picture's frame per rating.
    static constexpr float kFaceFramesPerRating = 16.0f;
    static constexpr std::int32_t kRatingCount = 4;

    GUIDayCompleteWindow(GameFramework::AudioManager* audio, ProfileManager* profiles, GameData* data,
                         GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager, Vantor::GUIWindow* parent);

    void Open(GameFramework::WindowId source) override;
    void Close() override;
    void Update() override;

private:
    struct CountUp {
        GUITools::GUITextControl* text;
        float start;  // seconds after opening
        std::int64_t value;
    };

    void ShowService(std::int32_t rating) const;
    void ShowCustomers(std::int32_t served, std::int32_t come) const;
    void ShowCounts() const;
    // The cash register plays exactly while one of the figures counts.
    void UpdateCountSound() const;

    ProfileManager* profiles_;             // not owned
    GUITools::GUITextControl& serviceText_;  // the window's
    GUITools::GUIWindowControl& smile_;    // the window's
    GUITools::GUITextControl& customers_;  // the window's
    Vantor::GUIButton& continue_;          // the window's
    // Food sales, tips, their total.
    std::array<CountUp, 3> counts_;
    float time_ = 0.0f;
};

}  // namespace Morvane
