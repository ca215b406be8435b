#pragma once
// What the console tests share: a whole engine in a private home on a GUI screen of 800
// x 600 units with the console made as the framework makes it, frames of 0.02 s of the
// virtual clock, keys and text injected into the engine's window (one typed character a
// frame, as the window reports one code a frame), and the console's pieces and prints.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/gui/TextPrint.h"
#include "engine/kernel/Console.h"
#include "engine/kernel/Engine.h"
#include "engine/render/ShaderDescriptor.h"
#include "platform/WinUser.h"
#include "tests/engine/kernel/EngineTestSupport.h"

namespace consoletest {

// A piece as "<colour>:<text>", the colour one of white, green, grey, red, blue.
using Pieces = std::vector<std::string>;

class ConsoleEngineTest : public enginetest::EngineObjectTest {
protected:
    static constexpr int kFontId = 5;
    // Microseconds of a frame.
    static constexpr std::uint64_t kFrameTime = 20000;

    void SetUp() override;
    void TearDown() override;

    // Writes the console's font (every printable ASCII character half the size wide,
    // the blank too) below the data folder.
    void WriteConsoleFont();
    // The engine, the GUI screen size, the font at size 16 under kFontId (unless told
    // not to load it), the console titled "Console Test 1.02" and one frame.
    void MakeEngine(bool loadFont = true);
    // MakeEngine in its steps: the engine with the GUI screen size, then the console
    // with the material and a frame.
    void StartEngine();
    void CreateConsole(const Vantor::ShaderDescriptor& background);
    Vantor::Console& TheConsole() const { return *Vantor::Console::Instance(); }

    void RunFrames(int count, std::uint64_t frameTime = kFrameTime);
    // The frame start alone: the console's prints of the frame can be read until EndFrame.
    void BeginFrame();
    void EndFrame();
    // A key pressed and released, then a frame.
    void PressKey(UINT virtualKey);
    // One frame per character.
    void Type(const std::wstring& text);
    // The text typed and Enter pressed.
    void Run(const std::wstring& line);
    // Slides the console in and waits until it is open.
    void OpenConsole();

    Pieces PiecesSince(std::size_t from) const;
    int ClosedRows() const;
    // The console window's print of this frame with exactly this text.
    const Vantor::TextPrint* FindPrint(const std::wstring& text) const;
    // Whether the next frame prints the text.
    bool Drawn(const std::wstring& text);

    std::unique_ptr<Vantor::Engine> engine_;
    // Storage of a read-only variable a test registers.
    std::int32_t readOnly_ = 0;
};

}  // namespace consoletest
