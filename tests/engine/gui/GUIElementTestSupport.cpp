#include "tests/engine/gui/GUIElementTestSupport.h"

#include "content/WavWriter.h"
#include "engine/kernel/TimerManager.h"
#include "platform/Clock.h"
#include "platform/WinUserSeams.h"

namespace guitest {

FontFileWriter::Bytes TypingFont() {
    std::vector<FontFileWriter::Record> glyphs;
    for (char16_t c = u'a'; c <= u'z'; ++c) glyphs.push_back(GlyphRecord(c, 0.5f));
    for (char16_t c : {u'A', u'|', u'.', u'-'}) glyphs.push_back(GlyphRecord(c, 0.5f));
    return FontFileWriter::Build(glyphs);
}

void GUIElementTest::SetUp() {
    GUITest::SetUp();
    soundSystem_ = std::make_unique<Vantor::SoundSystem_DS7>(false, Window().GetWindowHandle());
    Vantor::SoundSystem::Instance(soundSystem_.get());
    engineSounds_ = std::make_unique<Vantor::SoundManager>();
    Vantor::SoundManager::Instance(engineSounds_.get());
    sounds_ = std::make_unique<Vantor::GUISoundManager>(engineSounds_.get());
}

void GUIElementTest::TearDown() {
    windows_.clear();
    controls_.reset();
    sounds_.reset();
    engineSounds_.reset();
    soundSystem_.reset();
    GUITest::TearDown();
}

void GUIElementTest::RegisterSound(const std::string& name) {
    const std::string file = "audio/gui" + std::to_string(++soundFiles_) + ".wav";
    const Content::WavWriter::Bytes silence(64, 0);
    const Content::WavWriter::Bytes wave = Content::WavWriter::Write({1, 2, 22050, 16}, silence);
    home_.folder.WriteFile("data/" + file, std::string(wave.begin(), wave.end()));
    sounds_->AddSound(name, std::wstring(file.begin(), file.end()), true);
}

std::uint32_t GUIElementTest::Plays(const std::string& name) const {
    std::uint32_t plays = 0;
    for (const Vantor::GUISound* sound : sounds_->GetSounds())
        if (sound->name == name) plays += sound->playCount;
    return plays;
}

void GUIElementTest::AdvanceClock(std::uint64_t microseconds) {
    platform::seam::AdvanceVirtualTime(microseconds);
    timers_->Update();
}

void GUIElementTest::MakeControls() {
    controls_ = std::make_unique<Vantor::Controls_DI8>(true);
    Vantor::Controls::Instance(controls_.get());
}

void GUIElementTest::PressKey(unsigned virtualKey) {
    platform::seam::InjectKeyDown(virtualKey);
    platform::seam::InjectKeyUp(virtualKey);
}

void GUIElementTest::TypeText(const std::wstring& text) { platform::seam::InjectText(text); }

void GUIElementTest::BeginInputFrame() {
    window_->Update();
    controls_->Update();
}

void GUIElementTest::EndInputFrame() { controls_->Reset(); }

}  // namespace guitest
