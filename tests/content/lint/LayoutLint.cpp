#include "tests/content/lint/LayoutLint.h"

#include <memory>

#include "engine/kernel/Error.h"
#include "gui_tools/GUIToolManager.h"
#include "gui_tools/GUIWindowBase.h"
#include "tests/content/lint/LintSupport.h"

namespace contentlint {

namespace {

using K = LayoutLint::Kind;
using Controls = std::vector<LayoutLint::Control>;

// "<prefix><i><suffix>" of the kind for i = 0 .. count-1, for each suffix.
Controls Numbered(const std::string& prefix, int count, const std::vector<std::pair<std::string, K>>& suffixes) {
    Controls controls;
    for (int i = 0; i < count; ++i)
        for (const auto& [suffix, kind] : suffixes) controls.push_back({prefix + std::to_string(i) + suffix, kind});
    return controls;
}

Controls Join(std::initializer_list<Controls> parts) {
    Controls joined;
    for (const Controls& part : parts) joined.insert(joined.end(), part.begin(), part.end());
    return joined;
}

// A button with its caption below it.
Controls Captioned(const std::vector<std::string>& buttons) {
    Controls controls;
    for (const std::string& button : buttons) {
        controls.push_back({button, K::Button});
        controls.push_back({button + "/title", K::Text});
    }
    return controls;
}

// The comic's panels "comics_frame_<page>_<panel>_anim_<phase>" its script shows, as
// "<page><panel>" and the phases of each.
Controls ComicPanels() {
    const std::pair<const char*, const char*> panels[] = {
        {"00", "01"},   {"01", "01"},   {"02", "01"},   {"03", "01"},  {"10", "0123"}, {"11", "0"},
        {"12", "0123"}, {"13", "0123"}, {"20", "012"},  {"21", "012"}, {"22", "012"},  {"30", "01"},
        {"31", "01"},   {"32", "1"},    {"33", "01"},   {"40", "01"},  {"41", "01"},   {"42", "01"},
        {"43", "01"},   {"50", "0"},    {"51", "0"},    {"52", "0"}};
    Controls controls;
    for (const auto& [panel, phases] : panels)
        for (const char* phase = phases; *phase; ++phase)
            controls.push_back({std::string("/comics_frame_") + panel[0] + "_" + panel[1] + "_anim_" + *phase, K::Window});
    return controls;
}

bool IsOfKind(const GUITools::GUIControl& control, K kind) {
    switch (kind) {
    case K::Any: return true;
    case K::Window: return dynamic_cast<const GUITools::GUIWindowControl*>(&control) != nullptr;
    case K::Button: return dynamic_cast<const GUITools::GUIButtonControl*>(&control) != nullptr;
    case K::CheckBox: return dynamic_cast<const GUITools::GUICheckBoxControl*>(&control) != nullptr;
    case K::EditBox: return dynamic_cast<const GUITools::GUIEditBoxControl*>(&control) != nullptr;
    case K::Scroll: return dynamic_cast<const GUITools::GUIScrollControl*>(&control) != nullptr;
    case K::Text: return dynamic_cast<const GUITools::GUITextControl*>(&control) != nullptr;
    }
    return false;
}

const char* KindName(K kind) {
    static const char* const kNames[] = {"control", "window", "button", "check box", "edit box", "scroll", "text"};
    return kNames[static_cast<int>(kind)];
}

const GUITools::GUIControl* Find(const GUITools::GUIWindowBase& window, const std::string& fullName) {
    for (const auto& control : window.GetControls())
        if (control->GetName() == fullName) return control.get();
    return nullptr;
}

}  // namespace

// The controls each window's code looks up.
const std::vector<LayoutLint::Layout>& LayoutLint::Layouts() {
    static const std::vector<Layout> layouts{
        {"window_main_menu",
         Join({{{"/window", K::Window}, {"/title", K::Text}},
               Captioned({"/window/start", "/window/high_scores", "/window/options", "/window/change_player",
                          "/window/exit"})})},
        {"window_welcome", {{"/window/name", K::EditBox}, {"/window/button_0", K::Button}, {"/window/button_1", K::Button}}},
        {"window_exit", {{"/window/button_0", K::Button}, {"/window/button_1", K::Button}}},
        {"window_profiles",
         Join({Numbered("/window/text_area/button_profile_", 8, {{"", K::Button}, {"/title", K::Text}}),
               {{"/window/scroll", K::Scroll}, {"/window/create", K::Button}, {"/window/rename", K::Button},
                {"/window/delete", K::Button}, {"/window/done", K::Button}}})},
        {"window_new_profile",
         Join({{{"/window/name", K::EditBox}, {"/window/button_1", K::Button}}, Captioned({"/window/button_0"})})},
        {"window_rename_profile",
         {{"/window/name", K::EditBox}, {"/window/button_1", K::Button}, {"/window/button_0", K::Button}}},
        {"window_delete_profile",
         {{"/window/button_1", K::Button}, {"/window/button_0", K::Button}, {"/window/text", K::Text}}},
        {"window_profile_name_conflict", {{"/window/button_0", K::Button}}},
        {"window_reset_profile", {{"/window/button_1", K::Button}, {"/window/button_0", K::Button}}},
        {"window_high_scores",
         Join({Captioned({"/window/button_0"}),
               Numbered("/window/record_", 10, {{"", K::Any}, {"/place", K::Text}, {"/name", K::Text}, {"/score", K::Text}}),
               {{"/window/no_records", K::Any}}})},
        {"window_options",
         {{"/window/sound", K::Scroll}, {"/window/music", K::Scroll}, {"/window/fullscreen", K::CheckBox},
          {"/window/video_mode/text", K::Text}, {"/window/decrease_video_mode", K::Button},
          {"/window/increase_video_mode", K::Button}, {"/window/button_2", K::Button}, {"/window/button_1", K::Button},
          {"/window/button_0", K::Button}}},
        {"window_game_logic_menu",
         {{"/window", K::Window}, {"/title", K::Text}, {"/window/sound", K::Scroll}, {"/window/music", K::Scroll},
          {"/window/fullscreen", K::CheckBox}, {"/window/button_0", K::Button}, {"/window/button_1", K::Button},
          {"/window/button_2", K::Button}}},
        {"window_game_logic_restart", {{"/title", K::Text}, {"/window/button_1", K::Button}, {"/window/button_0", K::Button}}},
        {"window_game_logic_menu_exit",
         {{"/title", K::Text}, {"/window/button_1", K::Button}, {"/window/button_0", K::Button}}},
        {"window_game_logic_pause", {{"/window", K::Window}, {"/window/button_0", K::Button}}},
        {"window_game_logic_game_exit",
         {{"/window", K::Window}, {"/window/button_1", K::Button}, {"/window/button_0", K::Button}}},
        {"window_continue_game_logic",
         {{"/window/button_2", K::Button}, {"/window/button_1", K::Button}, {"/window/button_0", K::Button},
          {"/window/level", K::Text}, {"/window/score", K::Text}}},
        {"window_game_loading",
         {{"/window_animated", K::Window}, {"/loading_progress/progress", K::Window}, {"/loading_progress/text", K::Text}}},
        {"window_game_logic",
         {{"/window", K::Window}, {"/menu", K::Button}, {"/minimize", K::Button}, {"/close", K::Button},
          {"/fullscreen", K::CheckBox}, {"/money/text_right", K::Text}}},
        {"window_meeting", {{"/title", K::Text}, {"/window", K::Window}}},
        {"window_mechanic", {{"/title", K::Text}, {"/window", K::Window}}},
        {"window_day_complete",
         {{"/title", K::Text}, {"/window/food_sales", K::Text}, {"/window/tips", K::Text},
          {"/window/total_sales", K::Text}, {"/window/smile", K::Window}, {"/window/service", K::Text},
          {"/window/customers_served", K::Text}, {"/window/button_0", K::Button}}},
        {"window_level_complete", {{"/day_completed", K::Text}}},
        {"window_upgrade",
         Join({{{"/window/name/text", K::Text}, {"/window/preview", K::Window}, {"/window/description", K::Text},
                {"/window/purchased", K::Text}, {"/window/level", K::Text}, {"/window/cost", K::Text},
                {"/window/button_previous", K::Button}, {"/window/button_next", K::Button},
                {"/window/button_0", K::Button}},
               Captioned({"/window/button_1"})})},
        {"window_start_game",
         Join({{{"/window", K::Window}, {"/title", K::Text}, {"/window/back", K::Button}, {"/window/play", K::Button},
                {"/window/button_0", K::Button}, {"/window/money/text", K::Text}, {"/window/mood_progress", K::Window},
                {"/window/mood_progress/progress", K::Window}, {"/window/mood_progress/text", K::Text},
                {"/window/building_status", K::Text}, {"/window/experience_progress", K::Window},
                {"/window/experience_progress/progress", K::Window}, {"/window/experience_progress/text", K::Text},
                {"/window/experience_max", K::Text}, {"/arrow", K::Window}},
               Captioned({"/window/button_1"}),
               Numbered("/window/star_experience_", 7, {{"", K::Window}, {"/full", K::Window}}),
               Numbered("/window/cafe_", 5, {{"", K::Window}, {"/progress", K::Window}, {"/full", K::Window}})})},
        {"window_tutorial",
         {{"/arrow", K::Window}, {"/window", K::Window}, {"/window/mouse", K::Window}, {"/window/text", K::Text},
          {"/mouse_left_small", K::Window}, {"/mouse_right_small", K::Window}}},
        {"window_introduction",
         Join({{{"/comics_background_0", K::Window}, {"/comics_background_1", K::Window}, {"/comics_paper", K::Window},
                {"/comics_photo", K::Window}, {"/comics_clip", K::Window}, {"/comics_text_0", K::Text},
                {"/comics_text_1", K::Text}, {"/comics_text_2", K::Text}, {"/comics_accepted", K::Text},
                {"/comics_balloon_160", K::Window}, {"/comics_balloon_175_0", K::Window},
                {"/comics_balloon_175_1", K::Window}, {"/comics_balloon_250_0", K::Window},
                {"/comics_balloon_250_1", K::Window}, {"/comics_balloon_300", K::Window},
                {"/comics_balloon_382", K::Window}, {"/comics_balloon_text", K::Text}, {"/comics_mouse", K::Window},
                {"/stage", K::Any}},
               ComicPanels()})},
    };
    return layouts;
}

// Keys the code composes itself, not through a layout.
const std::set<std::string>& LayoutLint::CodeTextKeys() {
    static const std::set<std::string> keys{
        "game_title", "common/back", "common/cancel", "common/continue", "common/exit", "common/hit_mouse_button",
        "day_complete/service_0", "day_complete/service_1", "day_complete/service_2", "day_complete/service_3",
        "start_game/mood_0", "start_game/mood_1", "start_game/mood_2", "start_game/mood_3", "start_game/mood_4",
        "start_game/building_status_0", "start_game/building_status_1", "start_game/building_status_2",
        "start_game/building_status_3", "start_game/building_status_4", "start_game/building_status_5",
        "start_game/home_build", "start_game/home_done",
    };
    return keys;
}

LayoutLint::LayoutLint(GameTools::DataKeeper& keeper) : keeper_(keeper) {}

std::vector<std::string> LayoutLint::Run() const {
    std::vector<std::string> problems;
    const auto problem = [&](const std::string& layout, const std::string& what) {
        problems.push_back(layout + ": " + what);
    };
    GUITools::GUIToolManager tools;
    for (const std::string& logged : TakeLoggedProblems()) problem("GUI tool manager", logged);
    for (const Layout& layout : Layouts()) {
        std::unique_ptr<GUITools::GUIWindowBase> window;
        try {
            window = std::make_unique<GUITools::GUIWindowBase>(&keeper_, &tools, nullptr, layout.name);
        } catch (const Vantor::Error& error) {
            problem(layout.name, error.GetText());
        }
        for (const std::string& logged : TakeLoggedProblems()) problem(layout.name, logged);
        if (!window) continue;
        for (const Control& required : layout.controls) {
            const GUITools::GUIControl* control = Find(*window, layout.name + required.path);
            if (!control)
                problem(layout.name, std::string(KindName(required.kind)) + " \"" + required.path + "\" is missing");
            else if (!IsOfKind(*control, required.kind))
                problem(layout.name, "\"" + required.path + "\" is no " + KindName(required.kind));
        }
        for (const auto& control : window->GetControls()) {
            const auto* text = dynamic_cast<const GUITools::GUITextControl*>(control.get());
            if (text && text->text.find(L"***") != std::wstring::npos)
                problem(layout.name, "\"" + text->GetName() + "\" composes \"" + text->keys + "\" to ***");
        }
    }
    return problems;
}

}  // namespace contentlint
