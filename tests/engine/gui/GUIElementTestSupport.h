#pragma once
// What the tests of the GUI's interactive elements share: the GUI fixture with a sound
// system, the engine's sound manager and a GUI sound manager over it (every sound a
// short wave file), elements made as the GUI manager makes them and owned by the test,
// the play counts of each sound name, and frames of the controls over the engine's
// window with injected keys and text.

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "engine/gui/GUISoundManager.h"
#include "engine/input/Controls_DI8.h"
#include "engine/sound/SoundManager.h"
#include "engine/sound/SoundSystem_DS7.h"
#include "tests/engine/gui/GUITestSupport.h"

namespace guitest {

// A font for typing: 'a' to 'z', 'A', '|', '.' and '-', each half its size wide.
FontFileWriter::Bytes TypingFont();

class GUIElementTest : public GUITest {
protected:
    void SetUp() override;
    void TearDown() override;

    // An element over the fixture's font manager, GUI sound manager and camera, owned
    // by the test: the arguments after those three.
    template <class Element, class... Arguments>
    Element& Make(Arguments&&... arguments) {
        auto element = std::make_unique<Element>(fonts_.get(), sounds_.get(), camera_,
                                                 std::forward<Arguments>(arguments)...);
        Element& made = *element;
        windows_.push_back(std::move(element));
        return made;
    }

    // Registers one more variant (a wave file of its own) under the name.
    void RegisterSound(const std::string& name);
    // How often the name's variants were played, all together.
    std::uint32_t Plays(const std::string& name) const;

    // The frame clock moves on by the time and measures it.
    void AdvanceClock(std::uint64_t microseconds);

    // The keyboard and mouse over the fixture's window, registered as the instance.
    void MakeControls();
    // A key pressed and released, as the player does it; a text typed into the window.
    static void PressKey(unsigned virtualKey);
    static void TypeText(const std::wstring& text);
    // The frame start up to the input (messages pumped, devices read), the caller's
    // input pass, and the frame end (typed key and presses forgotten).
    void BeginInputFrame();
    void EndInputFrame();

    std::unique_ptr<Vantor::SoundSystem_DS7> soundSystem_;
    std::unique_ptr<Vantor::SoundManager> engineSounds_;
    std::unique_ptr<Vantor::GUISoundManager> sounds_;
    std::unique_ptr<Vantor::Controls_DI8> controls_;
    int soundFiles_ = 0;
};

}  // namespace guitest
