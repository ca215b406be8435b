// The developer console in a whole engine on the headless backend, as the framework makes
// it (title, font, '_', ']', '^', "~", 0.95, 308, 1000) on a GUI screen of 800 x 600 units:
// its variables, the slide, the log in colour, typed lines run through the configuration,
// the history, name completion, scrolling, what it draws, and its place in the engine's
// frame and end. Keys and text are injected into the engine's window.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/kernel/Config.h"
#include "engine/kernel/Console.h"
#include "engine/kernel/Engine.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/StringHelpers.h"
#include "platform/WinUser.h"
#include "platform/WinUserSeams.h"
#include "tests/engine/kernel/ConsoleTestSupport.h"

namespace {

using consoletest::ConsoleEngineTest;
using Vantor::Config;
using Vantor::Console;
using Vantor::ConsoleState;
using Vantor::GUIManager;
using Vantor::MessageManager;

using consoletest::Pieces;

// ----- Variables and construction ---------------------------------------------------------

TEST_F(ConsoleEngineTest, TheVariablesDefaultToTheArgumentsAndOnlySayIsNotSaved) {
    MakeEngine();
    const Config& config = *Config::Instance();
    EXPECT_EQ(config.GetDefaultText("ui_console_alpha"), "0.9500");
    EXPECT_EQ(config.GetDefaultText("ui_console_size"), "308.0000");
    EXPECT_EQ(config.GetDefaultText("ui_console_speed"), "1000.0000");
    EXPECT_EQ(config.GetDefaultText("ui_console_key"), "~");
    EXPECT_EQ(config.GetDefaultText("say"), "");
    Config::Instance()->Save();
    const std::string ini = home_.ReadIni();
    EXPECT_NE(ini.find("ui_console_alpha 0.950000"), std::string::npos);
    EXPECT_NE(ini.find("ui_console_key ~"), std::string::npos);
    EXPECT_EQ(ini.find("say"), std::string::npos);
}

TEST_F(ConsoleEngineTest, IniValuesReachTheConsoleThroughThePendingLines) {
    home_.WriteIni("ui_console_size 200\nui_console_key F2\n");
    MakeEngine();
    PressKey(VK_F2);
    RunFrames(30);
    EXPECT_EQ(TheConsole().GetState(), ConsoleState::Open);
    EXPECT_FLOAT_EQ(TheConsole().GetWindow()->GetPosition().y, 400.0f);
}

TEST_F(ConsoleEngineTest, ANewConsoleHangsClosedAndHiddenAboveTheScreen) {
    MakeEngine();
    const Vantor::GUIWindow& window = *TheConsole().GetWindow();
    EXPECT_EQ(TheConsole().GetState(), ConsoleState::Closed);
    EXPECT_EQ(window.GetFlags(), Vantor::GUIWindow::kTopLayer);
    EXPECT_FLOAT_EQ(window.GetPosition().y, 600.0f);
    EXPECT_FLOAT_EQ(window.GetSize().x, 800.0f);
    EXPECT_FLOAT_EQ(window.GetSize().y, 600.0f);
    const Vantor::GUIEditBox& box = *TheConsole().GetEditBox();
    EXPECT_EQ(box.GetParent(), &window);
    // The prompt "]" is half the font's size of 16 wide; the box sits one line up.
    EXPECT_FLOAT_EQ(box.GetPosition().x, 8.0f);
    EXPECT_FLOAT_EQ(box.GetPosition().y, 16.0f * 1.2f + 16.0f * 0.2f);
}

// ----- The slide ---------------------------------------------------------------------------

TEST_F(ConsoleEngineTest, SlidesInWithinAbout031SecondsAndRestsAt292) {
    MakeEngine();
    PressKey(VK_OEM_3);  // 0.02 s of slide in the toggle's frame
    RunFrames(14);
    EXPECT_EQ(TheConsole().GetState(), ConsoleState::Opening) << "0.30 s";
    EXPECT_FLOAT_EQ(TheConsole().GetWindow()->GetPosition().y, 300.0f);
    RunFrames(1);
    EXPECT_EQ(TheConsole().GetState(), ConsoleState::Open) << "0.32 s";
    EXPECT_FLOAT_EQ(TheConsole().GetWindow()->GetPosition().y, 292.0f);
    EXPECT_TRUE(TheConsole().GetEditBox()->inputOn);
}

TEST_F(ConsoleEngineTest, TheToggleWhileSlidingOutSendsItBackInFromWhereItIs) {
    MakeEngine();
    OpenConsole();
    PressKey(VK_OEM_3);
    RunFrames(4);
    EXPECT_EQ(TheConsole().GetState(), ConsoleState::Closing);
    EXPECT_FALSE(TheConsole().GetEditBox()->inputOn);
    EXPECT_FLOAT_EQ(TheConsole().GetWindow()->GetPosition().y, 392.0f);
    PressKey(VK_OEM_3);
    EXPECT_EQ(TheConsole().GetState(), ConsoleState::Opening);
    EXPECT_FLOAT_EQ(TheConsole().GetWindow()->GetPosition().y, 372.0f);
    RunFrames(5);
    EXPECT_EQ(TheConsole().GetState(), ConsoleState::Open);
    EXPECT_FLOAT_EQ(TheConsole().GetWindow()->GetPosition().y, 292.0f);
}

TEST_F(ConsoleEngineTest, SlidingOutEndsHiddenAboveTheScreenWithTheViewAtTheNewest) {
    MakeEngine();
    OpenConsole();
    Type(L"!!");  // Page Up twice
    ASSERT_GT(TheConsole().GetScroll(), 0);
    PressKey(VK_OEM_3);
    RunFrames(20);
    EXPECT_EQ(TheConsole().GetState(), ConsoleState::Closed);
    EXPECT_FLOAT_EQ(TheConsole().GetWindow()->GetPosition().y, 600.0f);
    EXPECT_EQ(TheConsole().GetWindow()->GetFlags() & Vantor::GUIWindow::kShown, 0u);
    EXPECT_EQ(TheConsole().GetScroll(), 0);
}

TEST_F(ConsoleEngineTest, OpeningClearsTheEditBoxAndDisablingCloses) {
    MakeEngine();
    OpenConsole();
    Type(L"abc");
    EXPECT_EQ(TheConsole().GetEditBox()->GetText(), L"abc");
    TheConsole().SetEnabled(false);
    EXPECT_EQ(TheConsole().GetState(), ConsoleState::Closing);
    RunFrames(20);
    PressKey(VK_OEM_3);
    EXPECT_EQ(TheConsole().GetState(), ConsoleState::Closed) << "the toggle key does not work while disabled";
    TheConsole().SetEnabled(true);
    PressKey(VK_OEM_3);
    EXPECT_EQ(TheConsole().GetState(), ConsoleState::Opening);
    EXPECT_EQ(TheConsole().GetEditBox()->GetText(), L"");
}

// Values from the .ini file or typed in that would keep the console from opening or
// closing are used within bounds; the variables keep what was set.
TEST_F(ConsoleEngineTest, BadValuesAreUsedWithinBounds) {
    struct Case {
        std::string line;
        float restingY;
        float alpha;
    };
    const Case cases[] = {
        {"ui_console_size 5000", 0.0f, 0.95f},
        {"ui_console_size -3", 599.0f, 0.95f},
        {"ui_console_size 0", 599.0f, 0.95f},
        {"ui_console_alpha 7", 292.0f, 1.0f},
        {"ui_console_alpha -1", 292.0f, 0.01f},
        {"ui_console_alpha 0", 292.0f, 0.01f},
    };
    MakeEngine();
    for (const Case& c : cases) {
        Config::Instance()->ResetVariable("ui_console_size");
        Config::Instance()->ResetVariable("ui_console_alpha");
        Config::Instance()->ExecuteLine(c.line);
        PressKey(VK_OEM_3);
        RunFrames(8, 100000);
        ASSERT_EQ(TheConsole().GetState(), ConsoleState::Open) << c.line;
        EXPECT_FLOAT_EQ(TheConsole().GetWindow()->GetPosition().y, c.restingY) << c.line;
        EXPECT_NEAR(TheConsole().GetWindow()->GetAlpha(), c.alpha, 0.003f) << c.line;
        PressKey(VK_OEM_3);
        RunFrames(8, 100000);
        ASSERT_EQ(TheConsole().GetState(), ConsoleState::Closed) << c.line;
    }
    EXPECT_EQ(Config::Instance()->GetValueText("ui_console_alpha"), "0.000000");
}

TEST_F(ConsoleEngineTest, ASpeedBelowOneUnitASecondSlidesAtOne) {
    MakeEngine();
    for (const char* line : {"ui_console_speed 0", "ui_console_speed -50", "ui_console_speed nan"}) {
        Config::Instance()->ExecuteLine(line);
        TheConsole().Open();
        RunFrames(1, 100000);
        EXPECT_NEAR(TheConsole().GetWindow()->GetPosition().y, 599.9f, 1e-3f) << line;
        TheConsole().Close();
        RunFrames(2, 100000);
        EXPECT_EQ(TheConsole().GetState(), ConsoleState::Closed) << line;
    }
}

// ----- The log -----------------------------------------------------------------------------

TEST_F(ConsoleEngineTest, EveryMessageIsShownInItsKindsColourEvenWhileClosed) {
    MakeEngine();
    RunFrames(1);
    const std::size_t from = TheConsole().GetLines().size();
    MessageManager& log = *MessageManager::Instance();
    log.PrintMessage("plain");
    log.PrintHighlight("high");
    log.PrintWarning("warn");
    log.PrintError("bad");
    RunFrames(1);
    EXPECT_EQ(TheConsole().GetState(), ConsoleState::Closed);
    EXPECT_EQ(PiecesSince(from), (Pieces{"white:plain\n", "green:high\n", "grey:\n", "grey:Warning: warn!\n",
                                         "grey:\n", "red:\n", "red:Error: bad!\n", "red:\n"}));
    OpenConsole();
    EXPECT_TRUE(Drawn(L"Error: bad!\n")) << "a message logged while closed shows when it opens";
}

TEST_F(ConsoleEngineTest, AMessageWithoutALineBreakIsContinuedOnTheSameRow) {
    MakeEngine();
    OpenConsole();
    const std::size_t from = TheConsole().GetLines().size();
    MessageManager::Instance()->SetLineBreaks(false);
    MessageManager::Instance()->PrintMessage("abc");
    MessageManager::Instance()->SetLineBreaks(true);
    MessageManager::Instance()->PrintMessage("de");
    BeginFrame();
    EXPECT_EQ(PiecesSince(from), (Pieces{"white:abc", "white:de\n"}));
    const Vantor::TextPrint* first = FindPrint(L"abc");
    const Vantor::TextPrint* second = FindPrint(L"de\n");
    ASSERT_TRUE(first && second);
    EXPECT_FLOAT_EQ(second->position.y, first->position.y);
    EXPECT_FLOAT_EQ(second->position.x, first->position.x + 3 * 8.0f);
    EndFrame();
}

// ----- Typed lines -------------------------------------------------------------------------

TEST_F(ConsoleEngineTest, ASetVariableIsEchoedInBlueWithNothingElse) {
    MakeEngine();
    OpenConsole();
    ASSERT_TRUE(Config::Instance()->values.vsync);
    const std::size_t from = TheConsole().GetLines().size();
    Run(L"v_vsync 0");
    EXPECT_FALSE(Config::Instance()->values.vsync);
    EXPECT_EQ(PiecesSince(from), (Pieces{"blue:]\\v_vsync 0\n"}));
    EXPECT_EQ(TheConsole().GetEditBox()->GetText(), L"");
    EXPECT_EQ(TheConsole().GetHistory(), (std::vector<std::wstring>{L"\\v_vsync 0"}));
}

TEST_F(ConsoleEngineTest, ALoneBackslashDoesNothingAndTwoClearTheBoxWithoutHistory) {
    MakeEngine();
    OpenConsole();
    const std::size_t from = TheConsole().GetLines().size();
    Run(L"\\");
    EXPECT_EQ(TheConsole().GetEditBox()->GetText(), L"\\");
    Type(L"\\");
    PressKey(VK_RETURN);
    EXPECT_EQ(TheConsole().GetEditBox()->GetText(), L"");
    EXPECT_TRUE(TheConsole().GetHistory().empty());
    EXPECT_TRUE(PiecesSince(from).empty());
    PressKey(VK_RETURN);
    EXPECT_TRUE(PiecesSince(from).empty()) << "an empty line does nothing";
}

TEST_F(ConsoleEngineTest, ExitEndsTheMainLoopAfterTheFrame) {
    MakeEngine();
    OpenConsole();
    Type(L"exit");
    EXPECT_FALSE(engine_->IsExitRequested());
    platform::seam::InjectKeyDown(VK_RETURN);
    platform::seam::InjectKeyUp(VK_RETURN);
    BeginFrame();
    EXPECT_TRUE(engine_->IsExitRequested()) << "issued in the frame start";
    EndFrame();
    EXPECT_TRUE(engine_->IsExitRequested());
    EXPECT_TRUE(enginetest::Logged("\nExiting...\n\n"));
}

TEST_F(ConsoleEngineTest, ResultsArePrintedInWords) {
    MakeEngine();
    OpenConsole();
    Config::Instance()->RegisterVariable("d_fixed", Vantor::ConfigVariableType::Int, true, false, &readOnly_, "3",
                                         false);
    struct Case {
        std::wstring line;
        Pieces pieces;
    };
    const Case cases[] = {
        {L"say hello there",
         {"blue:]\\say hello there\n", "white:Tobbin: \"", "green:hello there", "white:\"\n"}},
        {L"Foo_Bar 1", {"blue:]\\Foo_Bar 1\n", "white:Unknown command \"foo_bar\"\n"}},
        {L"V_Gamma", {"blue:]\\V_Gamma\n", "white:\"v_gamma\" is \"1.000000\", default is \"1.0\"\n"}},
        {L"say", {"blue:]\\say\n"}},
        {L"d_fixed 4", {"blue:]\\d_fixed 4\n", "white:\"d_fixed\" is read only\n"}},
    };
    for (const Case& c : cases) {
        const std::size_t from = TheConsole().GetLines().size();
        Run(c.line);
        EXPECT_EQ(PiecesSince(from), c.pieces) << Vantor::ToNarrow(c.line);
    }
}

TEST_F(ConsoleEngineTest, TabListsTheEngineVideoVariablesAndCompletesAUniqueBeginning) {
    MakeEngine();
    OpenConsole();
    const std::size_t from = TheConsole().GetLines().size();
    Type(L"V_");
    PressKey(VK_TAB);
    EXPECT_EQ(PiecesSince(from),
              (Pieces{"blue:\\v_\n", "white:    \\v_brightness\n", "white:    \\v_contrast\n",
                      "white:    \\v_fullscreen\n", "white:    \\v_gamma\n", "white:    \\v_mode\n",
                      "white:    \\v_vsync\n", "white:    \\v_window_change_mode\n"}));
    EXPECT_EQ(TheConsole().GetEditBox()->GetText(), L"\\v_");

    Type(L"f");
    PressKey(VK_TAB);
    EXPECT_EQ(TheConsole().GetEditBox()->GetText(), L"\\v_fullscreen ");

    struct Case {
        std::wstring typed;
        std::wstring completed;
    };
    const Case cases[] = {
        // Several names whose common beginning is the text, or longer.
        {L"ui_console_s", L"\\ui_console_s"},
        {L"ui_c", L"\\ui_console_"},
        // No name: the text lower-cased behind a backslash.
        {L"Zz", L"\\zz"},
        {L"", L""},
    };
    for (const Case& c : cases) {
        PressKey(VK_ESCAPE);
        Type(c.typed);
        PressKey(VK_TAB);
        EXPECT_EQ(TheConsole().GetEditBox()->GetText(), c.completed) << Vantor::ToNarrow(c.typed);
    }
}

TEST_F(ConsoleEngineTest, TheArrowKeysWalkTheHistory) {
    MakeEngine();
    OpenConsole();
    PressKey(VK_UP);
    EXPECT_EQ(TheConsole().GetEditBox()->GetText(), L"") << "an empty history";
    Run(L"v_gamma");
    Run(L"\\v_contrast");
    PressKey(VK_UP);
    EXPECT_EQ(TheConsole().GetEditBox()->GetText(), L"\\v_contrast");
    PressKey(VK_UP);
    EXPECT_EQ(TheConsole().GetEditBox()->GetText(), L"\\v_gamma");
    PressKey(VK_UP);
    EXPECT_EQ(TheConsole().GetEditBox()->GetText(), L"\\v_gamma") << "the oldest stays";
    PressKey(VK_DOWN);
    EXPECT_EQ(TheConsole().GetEditBox()->GetText(), L"\\v_contrast");
    PressKey(VK_DOWN);
    EXPECT_EQ(TheConsole().GetEditBox()->GetText(), L"") << "down from the newest clears";
    Type(L"ab");
    PressKey(VK_DOWN);
    EXPECT_EQ(TheConsole().GetEditBox()->GetText(), L"ab") << "down at the end does nothing";
}

TEST_F(ConsoleEngineTest, ACharacterWithAKeysCodeActsAsTheKey) {
    MakeEngine();
    OpenConsole();
    Run(L"v_gamma");
    Type(L"&");  // 38, Up
    EXPECT_EQ(TheConsole().GetEditBox()->GetText(), L"\\v_gamma");
    Type(L"(");  // 40, Down: the history's end clears the box
    EXPECT_EQ(TheConsole().GetEditBox()->GetText(), L"");
    Type(L"!");  // 33, Page Up
    EXPECT_EQ(TheConsole().GetScroll(), 1);
}

// ----- Drawing -------------------------------------------------------------------------------

TEST_F(ConsoleEngineTest, DrawsTheTitleThePromptAndTheRowsFromTheNewestUp) {
    MakeEngine();
    OpenConsole();
    MessageManager::Instance()->PrintMessage("one");
    MessageManager::Instance()->PrintHighlight("two");
    RunFrames(1);
    BeginFrame();
    const float gap = 3.2f;
    const float line = 19.2f;
    const Vantor::GUIWindow& window = *TheConsole().GetWindow();
    ASSERT_GE(window.GetPrintCount(), 4);
    // The title's blanks end it near the right edge: 8 units a character, 800 wide.
    const std::wstring& title = window.GetTextPrint(0).text;
    EXPECT_TRUE(title.ends_with(L"Console Test 1.02"));
    EXPECT_EQ(title.size(), 100u);
    EXPECT_FLOAT_EQ(window.GetTextPrint(0).position.y, gap);
    EXPECT_EQ(window.GetTextPrint(1).text, L"]");
    EXPECT_FLOAT_EQ(window.GetTextPrint(1).position.y, gap + line);
    // The open row (empty after "two\n") lies right above the prompt.
    const Vantor::TextPrint* two = FindPrint(L"two\n");
    const Vantor::TextPrint* one = FindPrint(L"one\n");
    ASSERT_TRUE(one && two);
    EXPECT_FLOAT_EQ(two->position.y, gap + 3 * line);
    EXPECT_FLOAT_EQ(one->position.y, gap + 4 * line);
    EXPECT_FALSE(FindPrint(std::wstring(100, L'^'))) << "no separator at the newest";
    EndFrame();
}

TEST_F(ConsoleEngineTest, ScrolledBackTheRowsStayAboveTheSeparator) {
    MakeEngine();
    OpenConsole();
    for (int i = 0; i < 30; ++i) MessageManager::Instance()->PrintMessage("row " + std::to_string(i));
    RunFrames(1);
    Type(L"!!!");
    BeginFrame();
    const float gap = 3.2f;
    const float line = 19.2f;
    const Vantor::TextPrint* separator = FindPrint(std::wstring(100, L'^'));
    ASSERT_TRUE(separator);
    EXPECT_FLOAT_EQ(separator->position.y, gap + 2 * line);
    // Three rows back from the empty open row: "row 27" is the newest shown, above the separator.
    const Vantor::TextPrint* newest = FindPrint(L"row 27\n");
    ASSERT_TRUE(newest);
    EXPECT_FLOAT_EQ(newest->position.y, gap + 3 * line);
    EXPECT_FALSE(FindPrint(L"row 28\n"));
    EXPECT_FALSE(FindPrint(L"row 29\n"));
    // Rows go up to the first placed above the window's visible top less a row of text
    // (308 - 16): "row 14" at 60.8 + 13 x 19.2.
    const Vantor::TextPrint* top = FindPrint(L"row 14\n");
    ASSERT_TRUE(top);
    EXPECT_FLOAT_EQ(top->position.y, gap + 3 * line + 13 * line);
    EXPECT_FALSE(FindPrint(L"row 13\n"));
    EndFrame();
}

TEST_F(ConsoleEngineTest, PageUpBeyondTheOldestRowIsCutAtTheNextFrame) {
    MakeEngine();
    OpenConsole();
    const int rows = ClosedRows();
    for (int i = 0; i < rows + 5; ++i) PressKey(VK_PRIOR);
    EXPECT_EQ(TheConsole().GetScroll(), rows + 1) << "the frame's press comes after its drawing";
    RunFrames(1);
    EXPECT_EQ(TheConsole().GetScroll(), rows);
    PressKey(VK_NEXT);
    EXPECT_EQ(TheConsole().GetScroll(), rows - 1);
}

// ----- The missing font ------------------------------------------------------------------------

TEST_F(ConsoleEngineTest, WithoutAFontTheConsoleLogsOneErrorAndStillWorks) {
    MakeEngine(false);
    const std::string error = "Error: The console has no font under the id 5, its texts are not drawn!";
    const std::string log = home_.ReadLog();
    EXPECT_NE(log.find(error), std::string::npos);
    EXPECT_EQ(log.find(error), log.rfind(error)) << "one line";
    OpenConsole();
    EXPECT_FLOAT_EQ(TheConsole().GetEditBox()->GetPosition().y, 16.0f * 1.4f) << "the fallback size";
    TheConsole().GetEditBox()->SetText(L"v_vsync 0");
    PressKey(VK_RETURN);
    EXPECT_FALSE(Config::Instance()->values.vsync);
    BeginFrame();
    EXPECT_GT(TheConsole().GetWindow()->GetPrintCount(), 2);
    EndFrame();
    EXPECT_TRUE(GUIManager::Instance()->GetFontManager()->GetInstances().empty()) << "nothing drawn";
    PressKey(VK_OEM_3);
    RunFrames(20);
    EXPECT_EQ(TheConsole().GetState(), ConsoleState::Closed);
}

// ----- The console in the engine ------------------------------------------------------------------

TEST_F(ConsoleEngineTest, TheEngineDeletesTheConsoleBeforeTheGUIManager) {
    MakeEngine();
    OpenConsole();
    // A console deleted after the GUI manager would give its elements back to a freed
    // manager, which the address sanitizer reports.
    engine_.reset();
}

TEST_F(ConsoleEngineTest, WithoutAConsoleTheFrameAndTheEndSkipIt) {
    // The holder keeps the console of an earlier engine: a later engine without one
    // neither updates nor deletes it again.
    MakeEngine();
    engine_.reset();
    ASSERT_NE(Console::Instance(), nullptr);
    engine_ = std::make_unique<Vantor::Engine>(home_.Settings());
    PressKey(VK_OEM_3);
    RunFrames(2);
    engine_.reset();
}

}  // namespace
