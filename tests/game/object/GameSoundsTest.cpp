// The game's sounds as the start registers them on the headless mixer: the GUI sounds
// and their variants, the music tracks and the effects with their instances, and how the
// variants and instances are chosen when they play.

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "engine/gui/GUISound.h"
#include "engine/gui/GUISoundManager.h"
#include "engine/kernel/Timer.h"
#include "engine/kernel/TimerManager.h"
#include "engine/sound/Sound.h"
#include "framework/AudioManager.h"
#include "framework/MusicTrack.h"
#include "framework/SoundEffect.h"
#include "tests/game/object/GameObjectFixture.h"

namespace gameobjecttest {
namespace {

class GameSoundsTest : public GameObjectFixture {
protected:
    // The frame clock moves on by the seconds.
    static void PassTime(float seconds) {
        platform::seam::AdvanceVirtualTime(static_cast<std::uint64_t>(seconds * 1e6f));
        Vantor::TimerManager::Instance()->Update();
    }
    static float Now() { return Vantor::TimerManager::Instance()->GetFrameTimer()->GetTime(); }

    std::vector<GameFramework::SoundEffect*> Instances(const std::string& key) const {
        std::vector<GameFramework::SoundEffect*> instances;
        for (GameFramework::SoundEffect* effect : game_->GetAudioManager()->GetEffects())
            if (effect->key == key) instances.push_back(effect);
        return instances;
    }
};

TEST_F(GameSoundsTest, GuiSoundsComeFirstAtTheEffectsVolume) {
    GameProbe& game = MakeGame();
    using Row = std::pair<std::string, std::wstring>;
    std::vector<Row> registered;
    for (const Vantor::GUISound* sound : game.guiSoundManager_->GetSounds()) {
        registered.emplace_back(sound->name, sound->sound->GetFileName());
        EXPECT_FLOAT_EQ(0.26f, sound->sound->GetVolume()) << sound->name;
    }
    const std::wstring select = L"audio\\menu\\button_select_0.ogg", click = L"audio\\menu\\button_click.ogg";
    const std::vector<Row> expected = {
        {"gui_default_button_select", select},
        {"gui_default_button_select", L"audio\\menu\\button_select_1.ogg"},
        {"gui_default_button_click", click},
        {"gui_default_check_box_select", select},
        {"gui_default_check_box_click", click},
        {"gui_default_slider_toddler_select", select},
        {"gui_default_slider_toddler_click", click},
        {"gui_default_scroll_toddler_select", select},
        {"gui_default_scroll_toddler_click", click},
        {"gui_default_scroll_navigation_select", select},
        {"gui_default_scroll_navigation_click", click},
        {"gui_default_edit_box_print", L"audio\\menu\\edit_box_print.ogg"},
    };
    EXPECT_EQ(expected, registered);
}

TEST_F(GameSoundsTest, MusicAndEffectsAreRegisteredInTheirOrder) {
    GameProbe& game = MakeGame();
    std::vector<std::pair<std::string, std::wstring>> tracks;
    for (const GameFramework::MusicTrack* track : game.GetAudioManager()->GetTracks()) {
        tracks.emplace_back(track->GetKey(), track->GetSound()->GetFileName());
        EXPECT_TRUE(track->GetSound()->IsLooping()) << track->GetKey();
    }
    EXPECT_EQ((std::vector<std::pair<std::string, std::wstring>>{
                  {"00", L"audio\\music\\menu_main.ogg"},
                  {"01", L"audio\\music\\menu_intro.ogg"},
                  {"02", L"audio\\music\\menu_final.ogg"},
                  {"03", L"audio\\music\\menu_building.ogg"},
                  {"04", L"audio\\music\\menu_upgrade.ogg"},
                  {"05", L"audio\\music\\game0.ogg"},
                  {"06", L"audio\\music\\game1.ogg"},
              }),
              tracks);

    // Key, instances and looping, each key once in registration order.
    using Row = std::tuple<std::string, int, bool>;
    std::vector<Row> effects;
    for (const GameFramework::SoundEffect* effect : game.GetAudioManager()->GetEffects()) {
        if (!effects.empty() && std::get<0>(effects.back()) == effect->key) {
            ++std::get<1>(effects.back());
            continue;
        }
        effects.emplace_back(effect->key, 1, effect->loop);
        EXPECT_FLOAT_EQ(0.26f, effect->sound->GetVolume()) << effect->key;
    }
    const std::vector<Row> expected = {
        {"07", 1, false}, {"09", 1, false}, {"08", 1, true},  {"10", 2, false}, {"11", 1, false}, {"12", 1, false},
        {"13", 1, true},  {"14", 1, true},  {"15", 1, true},  {"16", 1, false}, {"17", 1, false}, {"18", 1, false},
        {"19", 1, false}, {"20", 1, false}, {"21", 1, false}, {"22", 1, false}, {"23", 3, false}, {"24", 3, false},
        {"25", 3, false}, {"26", 2, false}, {"27", 2, false}, {"28", 2, false}, {"29", 1, false}, {"30", 3, false},
        {"31", 3, false}, {"32", 3, false}, {"33", 3, false}, {"34", 1, false}, {"35", 2, false}, {"36", 1, false},
    };
    EXPECT_EQ(expected, effects);
    EXPECT_EQ(L"audio\\game\\customer_appear.ogg", Instances("23").front()->file);
}

TEST_F(GameSoundsTest, TheButtonSelectSoundTakesTurnsBetweenItsTwoFiles) {
    GameProbe& game = MakeGame();
    std::vector<std::wstring> played;
    for (int play = 0; play < 4; ++play) {
        std::vector<std::uint32_t> before;
        for (const Vantor::GUISound* sound : game.guiSoundManager_->GetSounds()) before.push_back(sound->playCount);
        game.guiSoundManager_->PlaySound("gui_default_button_select");
        const std::vector<Vantor::GUISound*>& sounds = game.guiSoundManager_->GetSounds();
        for (std::size_t i = 0; i < sounds.size(); ++i)
            if (sounds[i]->playCount != before[i]) played.push_back(sounds[i]->sound->GetFileName());
    }
    const std::wstring first = L"audio\\menu\\button_select_0.ogg", second = L"audio\\menu\\button_select_1.ogg";
    EXPECT_EQ((std::vector<std::wstring>{first, second, first, second}), played);
}

TEST_F(GameSoundsTest, AFourthCustomerSoundRestartsTheOldestOfItsThree) {
    GameProbe& game = MakeGame();
    std::vector<float> starts;
    for (int play = 0; play < 3; ++play) {
        PassTime(0.05f);
        game.GetAudioManager()->PlayEffect("23");
        starts.push_back(Now());
    }
    const std::vector<GameFramework::SoundEffect*> instances = Instances("23");
    ASSERT_EQ(3u, instances.size());
    for (std::size_t i = 0; i < instances.size(); ++i) EXPECT_FLOAT_EQ(starts[i], instances[i]->lastStart);

    PassTime(0.05f);
    game.GetAudioManager()->PlayEffect("23");
    EXPECT_FLOAT_EQ(Now(), instances[0]->lastStart);
    EXPECT_FLOAT_EQ(starts[1], instances[1]->lastStart);
    EXPECT_FLOAT_EQ(starts[2], instances[2]->lastStart);
}

}  // namespace
}  // namespace gameobjecttest
