// The game's sounds: the files behind the GUI layer's sound names, the music tracks and
// the effects, each under the key every other part plays it by.

#include <array>
#include <string>

#include "engine/gui/GUISoundManager.h"
#include "framework/AudioManager.h"
#include "game/Game.h"

namespace Morvane {

namespace {

struct GuiSoundRow {
    const char* name;
    const wchar_t* file;
    bool resident;
};

// The button's two files are variants that take turns.
constexpr std::array<GuiSoundRow, 12> kGuiSounds{{
    {"gui_default_button_select", L"menu\\button_select_0.ogg", true},
    {"gui_default_button_select", L"menu\\button_select_1.ogg", true},
    {"gui_default_button_click", L"menu\\button_click.ogg", true},
    {"gui_default_check_box_select", L"menu\\button_select_0.ogg", false},
    {"gui_default_check_box_click", L"menu\\button_click.ogg", false},
    {"gui_default_slider_toddler_select", L"menu\\button_select_0.ogg", false},
    {"gui_default_slider_toddler_click", L"menu\\button_click.ogg", false},
    {"gui_default_scroll_toddler_select", L"menu\\button_select_0.ogg", false},
    {"gui_default_scroll_toddler_click", L"menu\\button_click.ogg", false},
    {"gui_default_scroll_navigation_select", L"menu\\button_select_0.ogg", false},
    {"gui_default_scroll_navigation_click", L"menu\\button_click.ogg", false},
    {"gui_default_edit_box_print", L"menu\\edit_box_print.ogg", false},
}};

struct MusicRow {
    const char* key;
    const wchar_t* file;
};

constexpr std::array<MusicRow, 7> kMusic{{
    {"00", L"music\\menu_main.ogg"},
    {"01", L"music\\menu_intro.ogg"},
    {"02", L"music\\menu_final.ogg"},
    {"03", L"music\\menu_building.ogg"},
    {"04", L"music\\menu_upgrade.ogg"},
    {"05", L"music\\game0.ogg"},
    {"06", L"music\\game1.ogg"},
}};

struct EffectRow {
    const char* key;
    const wchar_t* file;
    bool loop;
    // How many plays of the effect can sound at once.
    unsigned instances;
    bool resident;
};

constexpr std::array<EffectRow, 30> kEffects{{
    {"07", L"menu\\dremlock_logo.ogg", false, 1, false},
    {"09", L"menu\\window_appear.ogg", false, 1, false},
    {"08", L"menu\\volume_slider.ogg", true, 1, false},
    {"10", L"menu\\house_complete.ogg", false, 2, false},
    {"11", L"menu\\house_no_money.ogg", false, 1, false},
    {"12", L"menu\\house_upgrade.ogg", false, 1, false},
    {"13", L"menu\\charge_money.ogg", true, 1, false},
    {"14", L"menu\\charge_cafe_class.ogg", true, 1, false},
    {"15", L"menu\\charge_qualification.ogg", true, 1, false},
    {"16", L"menu\\get_new_cafe_class.ogg", false, 1, false},
    {"17", L"menu\\get_new_qualification.ogg", false, 1, false},
    {"18", L"menu\\change_mood_good.ogg", false, 1, false},
    {"19", L"menu\\change_mood_bad.ogg", false, 1, false},
    {"20", L"menu\\balloon.ogg", false, 1, false},
    {"21", L"menu\\tutorial.ogg", false, 1, false},
    {"22", L"game\\level_complete.ogg", false, 1, false},
    {"23", L"game\\customer_appear.ogg", false, 3, false},
    {"24", L"game\\customer_disappear_good.ogg", false, 3, false},
    {"25", L"game\\customer_disappear_bad.ogg", false, 3, false},
    {"26", L"game\\cursor_good.ogg", false, 2, true},
    {"27", L"game\\cursor_deliver.ogg", false, 2, false},
    {"28", L"game\\cursor_bad.ogg", false, 2, true},
    {"29", L"game\\machine_dustbin.ogg", false, 1, false},
    {"30", L"game\\machine_cola.ogg", false, 3, false},
    {"31", L"game\\machine_coffee.ogg", false, 3, false},
    {"32", L"game\\machine_cream.ogg", false, 3, false},
    {"33", L"game\\machine_ice_cream.ogg", false, 3, false},
    {"34", L"game\\machine_candyfloss.ogg", false, 1, false},
    {"35", L"game\\machine_pop_corn.ogg", false, 2, false},
    {"36", L"game\\time_complete.ogg", false, 1, false},
}};

std::wstring PathOf(const wchar_t* file) { return GameFramework::AudioManager::ResolveAudioPath(file); }

}  // namespace

void Game::LoadSounds() {
    for (const GuiSoundRow& sound : kGuiSounds)
        guiSoundManager_->AddSound(sound.name, PathOf(sound.file), sound.resident);
    // The GUI sounds were made at full volume.
    audioManager_->ReapplySoundVolume();
    for (const MusicRow& track : kMusic) audioManager_->AddMusic(track.key, PathOf(track.file), true);
    for (const EffectRow& effect : kEffects)
        audioManager_->AddEffect(effect.key, PathOf(effect.file), effect.loop, effect.instances, effect.resident);
}

}  // namespace Morvane
