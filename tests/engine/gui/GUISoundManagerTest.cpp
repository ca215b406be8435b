// GUI sounds by name: variants taking turns by their play counts, plays queued with
// the engine's sound manager, and silence for unknown names and without sound.

#include <gtest/gtest.h>

#include <vector>

#include "engine/sound/Sound.h"
#include "tests/engine/gui/GUIElementTestSupport.h"

namespace guitest {
namespace {

class GUISoundManagerTest : public GUIElementTest {
protected:
    // The index of the variant each play picks.
    std::vector<int> PickedBy(int plays, const std::string& name) {
        std::vector<int> picked;
        for (int i = 0; i < plays; ++i) {
            std::vector<std::uint32_t> before;
            for (const Vantor::GUISound* sound : sounds_->GetSounds()) before.push_back(sound->playCount);
            sounds_->PlaySound(name);
            for (std::size_t v = 0; v < before.size(); ++v)
                if (sounds_->GetSounds()[v]->playCount != before[v]) picked.push_back(static_cast<int>(v));
        }
        return picked;
    }
};

TEST_F(GUISoundManagerTest, VariantsOfOneNameTakeTurnsInRegistrationOrder) {
    RegisterSound("click");
    RegisterSound("other");
    RegisterSound("click");
    RegisterSound("click");
    EXPECT_EQ(PickedBy(7, "click"), (std::vector<int>{0, 2, 3, 0, 2, 3, 0}));
    EXPECT_EQ(Plays("other"), 0u);
}

TEST_F(GUISoundManagerTest, AVariantAddedLaterIsPlayedUntilItCaughtUp) {
    for (int i = 0; i < 3; ++i) RegisterSound("select");
    PickedBy(15, "select");
    RegisterSound("select");
    EXPECT_EQ(PickedBy(6, "select"), (std::vector<int>{3, 3, 3, 3, 3, 0}));
}

TEST_F(GUISoundManagerTest, APlayIsQueuedForTheEndOfTheFrame) {
    RegisterSound("print");
    Vantor::Sound* sound = sounds_->GetSounds()[0]->sound;
    sounds_->PlaySound("print");
    EXPECT_NE(sound->GetState(), Vantor::Sound::kPlaying) << "not at once";
    engineSounds_->SetActive(true);
    EXPECT_EQ(sound->GetState(), Vantor::Sound::kPlaying);
}

TEST_F(GUISoundManagerTest, UnknownNamesAndNamesInAnotherCaseAreSilent) {
    RegisterSound("gui_default_button_click");
    sounds_->PlaySound("GUI_default_button_click");
    sounds_->PlaySound("gui_default_button_select");
    EXPECT_EQ(Plays("gui_default_button_click"), 0u);
}

TEST_F(GUISoundManagerTest, WithoutTheEngineSoundManagerNothingIsRegisteredOrPlayed) {
    sounds_ = std::make_unique<Vantor::GUISoundManager>(nullptr);
    RegisterSound("click");
    sounds_->PlaySound("click");
    EXPECT_TRUE(sounds_->GetSounds().empty());
    EXPECT_EQ(engineSounds_->GetSoundCount(), 0u);
}

TEST_F(GUISoundManagerTest, DestroyingTheManagerDestroysItsSounds) {
    RegisterSound("a");
    RegisterSound("b");
    EXPECT_EQ(engineSounds_->GetSoundCount(), 2u);
    sounds_.reset();
    EXPECT_EQ(engineSounds_->GetSoundCount(), 0u);
}

}  // namespace
}  // namespace guitest
