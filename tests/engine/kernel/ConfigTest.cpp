#include "engine/kernel/Config.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/kernel/FileManager.h"
#include "engine/kernel/MessageManager.h"
#include "platform/WinPaths.h"
#include "tests/engine/kernel/FileTestSupport.h"
#include "tests/support/TempFolder.h"

namespace {

using Vantor::Config;
using Vantor::ConfigResult;
using Vantor::ConfigVariableType;

// A log, a file manager over a temporary folder and a configuration whose .ini
// file is "game.ini" in that folder.
class ConfigTest : public testing::Test {
protected:
    // Each manager is registered before the next one is made, as the engine does.
    ConfigTest() {
        log_ = std::make_unique<Vantor::MessageManager>(L"Test", false, false, L"", L"");
        Vantor::MessageManager::Instance(log_.get());
        files_ = std::make_unique<Vantor::FileManager>(folderPath_, false, L"data", 0u);
        Vantor::FileManager::Instance(files_.get());
        config_ = MakeConfig();
    }

    std::unique_ptr<Config> MakeConfig(bool forceMode = false, const std::string& mode = "1024x768x32",
                                       bool forceFullscreen = false, const std::wstring& name = L"game") {
        return std::make_unique<Config>(folderPath_, name, forceMode, mode, forceFullscreen, true);
    }

    bool LoggedError() const {
        for (const auto* message : log_->GetMessages())
            if (message->kind == Vantor::MessageKind::Error) return true;
        return false;
    }

    testsupport::TempFolder folder_;
    std::wstring folderPath_ = platform::ToWindowsPath(folder_.Path().string());
    std::unique_ptr<Vantor::MessageManager> log_;
    std::unique_ptr<Vantor::FileManager> files_;
    std::unique_ptr<Config> config_;
};

// --- The line executor ---

struct LineCase {
    const char* line;
    ConfigResult result;
    const char* outName;
    const char* variable;  // checked when set
    const char* valueText;
};

TEST_F(ConfigTest, LineExecutorResults) {
    const LineCase cases[] = {
        {"", ConfigResult::Empty, "", nullptr, nullptr},
        {"   \t ", ConfigResult::Empty, "", nullptr, nullptr},
        {"\\\\\\", ConfigResult::Empty, "", nullptr, nullptr},
        {" \\ \\ ", ConfigResult::Empty, "", nullptr, nullptr},
        {"v_mode 1280x1024x32", ConfigResult::Done, "v_mode", "v_mode", "1280x1024x32"},
        {"\\v_mode 640x480x16", ConfigResult::Done, "v_mode", "v_mode", "640x480x16"},
        {"\\\\ V_MODE   800x600x16", ConfigResult::Done, "v_mode", "v_mode", "800x600x16"},
        {"v_mode  800x600x16", ConfigResult::Unknown, "v_mode800x600x16", "v_mode", "1024x768x32"},
        {"v_vsync\t0", ConfigResult::Done, "v_vsync", "v_vsync", "0"},
        {"v_mode 800x600x32\\\\ a note", ConfigResult::Done, "v_mode", "v_mode", "800x600x32"},
        {"v_mode 800x600x32 \\\\", ConfigResult::Done, "v_mode", "v_mode", "800x600x32"},
        {"v_mode data\\ui x", ConfigResult::Done, "v_mode", "v_mode", "data\\ui x"},
        {"v_mode \\\\note", ConfigResult::NoValue, "v_mode", "v_mode", "1024x768x32"},
        {"v_vsync", ConfigResult::NoValue, "v_vsync", "v_vsync", "1"},
        {"v_vsync yes", ConfigResult::Done, "v_vsync", "v_vsync", "0"},
        {"v_vsync -1", ConfigResult::Done, "v_vsync", "v_vsync", "1"},
        {"r_texture_anisotropy 8 levels", ConfigResult::Done, "r_texture_anisotropy", "r_texture_anisotropy", "8"},
        {"r_texture_anisotropy many", ConfigResult::Done, "r_texture_anisotropy", "r_texture_anisotropy", "0"},
        {"v_brightness 0.25", ConfigResult::Done, "v_brightness", "v_brightness", "0.250000"},
        {"g_unknown 5", ConfigResult::Unknown, "g_unknown", nullptr, nullptr},
    };
    for (const LineCase& test : cases) {
        config_->ResetAll();
        std::string name = "stale";
        EXPECT_EQ(config_->ExecuteLine(test.line, &name), test.result) << test.line;
        EXPECT_EQ(name, test.outName) << test.line;
        if (test.variable) {
            EXPECT_EQ(config_->GetValueText(test.variable), test.valueText) << test.line;
        }
    }
}

TEST_F(ConfigTest, CommandIgnoresTrailingTextAndReadOnly) {
    config_->RegisterVariable("g_locked_command", ConfigVariableType::Command, true, false, nullptr, "", false);
    EXPECT_EQ(config_->GetCommandState("exit"), 1);
    EXPECT_EQ(config_->ExecuteLine("exit now, please"), ConfigResult::Done);
    EXPECT_EQ(config_->GetCommandState("exit"), 0);
    EXPECT_EQ(config_->ExecuteLine("g_locked_command"), ConfigResult::Done);
    EXPECT_EQ(config_->GetCommandState("g_locked_command"), 0);
}

TEST_F(ConfigTest, ReadOnlyVariableRefusesValuesButReportsMissingValue) {
    int32_t value = 0;
    config_->RegisterVariable("g_locked", ConfigVariableType::Int, true, true, &value, "7", false);
    EXPECT_EQ(value, 7);
    EXPECT_EQ(config_->ExecuteLine("g_locked 9"), ConfigResult::ReadOnly);
    EXPECT_EQ(value, 7);
    EXPECT_EQ(config_->ExecuteLine("g_locked"), ConfigResult::NoValue);
    // Code may still set it, and naming it directly resets it.
    config_->SetValueText("g_locked", "9");
    EXPECT_EQ(value, 9);
    config_->ResetVariable("g_locked");
    EXPECT_EQ(value, 7);
}

// --- Registration and detaching ---

TEST_F(ConfigTest, RegistrationWritesTheDefaultAndKeepsTheFirstOwner) {
    std::string first = "untouched", second = "untouched";
    config_->RegisterVariable("G_Name", ConfigVariableType::String, false, true, &first, "hello", false);
    EXPECT_EQ(first, "hello");
    config_->RegisterVariable("g_name", ConfigVariableType::String, false, true, &second, "other", false);
    EXPECT_EQ(second, "untouched");
    EXPECT_EQ(config_->ExecuteLine("g_name changed"), ConfigResult::Done);
    EXPECT_EQ(first, "changed");
    EXPECT_EQ(second, "untouched");
    EXPECT_EQ(config_->GetDefaultText("G_NAME"), "hello");
}

TEST_F(ConfigTest, DetachedVariableKeepsItsValueForTheNextOwner) {
    auto first = std::make_unique<float>(0.0f);
    config_->RegisterVariable("g_volume", ConfigVariableType::Float, false, true, first.get(), "0.5", false);
    config_->ExecuteLine("g_volume 0.75");
    config_->UnregisterVariable("g_volume");
    first.reset();  // the owner may free its storage now

    EXPECT_EQ(config_->GetValueText("g_volume"), "0.750000");
    EXPECT_EQ(config_->ExecuteLine("g_volume 0.1"), ConfigResult::Unknown);
    config_->ResetAll();
    config_->SetValueText("g_volume", "0.2");
    std::vector<std::string> names;
    config_->GetVariableNames(names);
    EXPECT_EQ(std::count(names.begin(), names.end(), "g_volume"), 0);

    float second = 0.0f;
    config_->RegisterVariable("g_volume", ConfigVariableType::Float, false, true, &second, "0.9", false);
    EXPECT_FLOAT_EQ(second, 0.75f);
    EXPECT_EQ(config_->GetDefaultText("g_volume"), "0.5");
}

TEST_F(ConfigTest, ReattachingWithAnotherTypeIsRefused) {
    int32_t number = 3;
    config_->RegisterVariable("g_thing", ConfigVariableType::Int, false, true, &number, "3", false);
    config_->UnregisterVariable("g_thing");
    std::string text = "untouched";
    config_->RegisterVariable("g_thing", ConfigVariableType::String, false, true, &text, "x", false);
    EXPECT_EQ(text, "untouched");
    EXPECT_EQ(config_->ExecuteLine("g_thing abc"), ConfigResult::Unknown);
    EXPECT_TRUE(LoggedError());
}

TEST_F(ConfigTest, CommandStateAnswersZeroForAnythingButAnIdleCommand) {
    EXPECT_EQ(config_->GetCommandState("v_mode"), 0);
    EXPECT_EQ(config_->GetCommandState("g_nothing"), 0);
    EXPECT_EQ(config_->GetCommandState("sc_take_screenshot"), 1);
    config_->SetCommandState("sc_take_screenshot", 0);
    EXPECT_EQ(config_->GetCommandState("sc_take_screenshot"), 0);
    config_->SetCommandState("sc_take_screenshot", 1);
    EXPECT_EQ(config_->GetCommandState("sc_take_screenshot"), 1);
}

TEST_F(ConfigTest, SetCommandStateTakesTheNameExactlyAsPassed) {
    config_->SetCommandState("SC_Take_Screenshot", 0);
    EXPECT_EQ(config_->GetCommandState("sc_take_screenshot"), 1);
}

TEST_F(ConfigTest, VariableNamesAreSortedByteWise) {
    std::vector<std::string> names = {"left over"};
    config_->GetVariableNames(names);
    ASSERT_EQ(names.size(), 22u);
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
    EXPECT_EQ(names.front(), "c_invert_mouse");
    EXPECT_EQ(names.back(), "v_window_change_mode");
}

// --- Frames: reset and change tracking ---

TEST_F(ConfigTest, ResetConfigActsAtTheNextFrameStart) {
    int32_t locked = 0;
    config_->RegisterVariable("g_locked", ConfigVariableType::Int, true, false, &locked, "4", false);
    config_->SetValueText("g_locked", "5");
    config_->ExecuteLine("v_mode 640x480x16");
    config_->ExecuteLine("exit");
    config_->ExecuteLine("reset_config");
    EXPECT_EQ(config_->values.mode, "640x480x16");

    config_->BeginFrame();
    EXPECT_EQ(config_->values.mode, "1024x768x32");
    EXPECT_EQ(config_->GetCommandState("exit"), 1);
    EXPECT_EQ(config_->GetCommandState("reset_config"), 1);
    EXPECT_EQ(locked, 5);
}

TEST_F(ConfigTest, TrackedChangesAreReportedFromFrameStartToFrameEnd) {
    float volume = 0.0f;
    int32_t count = 0;
    std::string text;
    config_->RegisterVariable("g_volume", ConfigVariableType::Float, false, false, &volume, "1.0", true);
    config_->RegisterVariable("g_count", ConfigVariableType::Int, false, false, &count, "0", true);
    config_->RegisterVariable("g_text", ConfigVariableType::String, false, false, &text, "a", true);
    EXPECT_TRUE(config_->IsModified("g_volume"));  // new tracked variables read as modified
    config_->BeginFrame();
    config_->EndFrame();
    EXPECT_FALSE(config_->IsModified("g_volume"));

    volume += 0.00005f;
    config_->BeginFrame();
    EXPECT_FALSE(config_->IsModified("g_volume"));
    config_->EndFrame();

    volume += 0.001f;
    count = 0;
    text = "b";
    EXPECT_FALSE(config_->IsModified("g_volume"));  // only seen at the next frame start
    config_->BeginFrame();
    EXPECT_TRUE(config_->IsModified("g_volume"));
    EXPECT_FALSE(config_->IsModified("g_count"));
    EXPECT_TRUE(config_->IsModified("g_text"));
    config_->EndFrame();
    EXPECT_FALSE(config_->IsModified("g_volume"));
    EXPECT_FALSE(config_->IsModified("g_text"));
    EXPECT_FALSE(config_->IsModified("v_mode"));  // untracked
}

// --- The .ini file ---

TEST_F(ConfigTest, EveryEncodingOfTheFileGivesTheSameVariables) {
    const std::string text =
        "// settings\r\n"
        "v_mode 1280x1024x32 // the monitor's own\r\n"
        "v_gamma 1.5\r\n"
        "v_gamma 2.5\r\n"
        "\\c_invert_mouse 1\r\n"
        "g_later 5\r\n"
        "g_later 9\r\n"
        "v_vsync\r\n"
        "\r\n"
        "exit\r\n";
    const std::u16string wide(text.begin(), text.end());
    const std::string encodings[] = {text, "\xEF\xBB\xBF" + text, filetest::Utf16(wide, false),
                                     filetest::Utf16(wide, true)};
    for (const std::string& bytes : encodings) {
        folder_.WriteFile("game.ini", bytes);
        auto config = MakeConfig();
        config->Load();
        EXPECT_EQ(config->values.mode, "1280x1024x32");
        EXPECT_FLOAT_EQ(config->values.gamma, 2.5f);  // the later line for a known name wins
        EXPECT_TRUE(config->values.invertMouse);
        EXPECT_TRUE(config->values.vsync);
        EXPECT_EQ(config->GetCommandState("exit"), 0);

        int32_t later = 0;
        config->RegisterVariable("g_later", ConfigVariableType::Int, false, true, &later, "1", false);
        EXPECT_EQ(later, 5);  // the first waiting line wins
        config->ExecuteLine("g_later 7");
        config->RegisterVariable("g_later", ConfigVariableType::Int, false, true, &later, "1", false);
        EXPECT_EQ(later, 7);  // the waiting line was used up
    }
}

TEST_F(ConfigTest, WaitingLinesObeyTheLineRulesAtRegistration) {
    folder_.WriteFile("game.ini", "g_locked 9\ng_command whatever\n");
    config_->Load();
    int32_t locked = 0;
    config_->RegisterVariable("g_locked", ConfigVariableType::Int, true, false, &locked, "4", false);
    EXPECT_EQ(locked, 4);
    config_->RegisterVariable("g_command", ConfigVariableType::Command, false, false, nullptr, "", false);
    EXPECT_EQ(config_->GetCommandState("g_command"), 0);
}

TEST_F(ConfigTest, LoadStartsFromDefaultsAndForgetsOldWaitingLines) {
    folder_.WriteFile("game.ini", "g_old 3\n");
    config_->Load();
    config_->ExecuteLine("v_mode 640x480x16");
    std::filesystem::remove(folder_.Path() / "game.ini");
    config_->Load();  // missing file: defaults, silently
    EXPECT_EQ(config_->values.mode, "1024x768x32");
    EXPECT_FALSE(LoggedError());
    int32_t old = 0;
    config_->RegisterVariable("g_old", ConfigVariableType::Int, false, true, &old, "1", false);
    EXPECT_EQ(old, 1);
}

TEST_F(ConfigTest, ForcedDefaultsOverrideTheFile) {
    folder_.WriteFile("game.ini", "v_mode 640x480x16\nv_fullscreen 0\nv_vsync 0\n");
    auto forced = MakeConfig(true, "1024x768x32", true);
    forced->Load();
    EXPECT_EQ(forced->values.mode, "1024x768x32");
    EXPECT_TRUE(forced->values.fullscreen);
    EXPECT_FALSE(forced->values.vsync);

    // Without a mode text the default is 800x600x32 and the force flag is dropped.
    auto noMode = MakeConfig(true, "", false);
    EXPECT_EQ(noMode->GetDefaultText("v_mode"), "800x600x32");
    noMode->Load();
    EXPECT_EQ(noMode->values.mode, "640x480x16");
    EXPECT_FALSE(noMode->values.fullscreen);
}

TEST_F(ConfigTest, SaveWritesSavedVariablesInNameOrder) {
    std::string name;
    int32_t locked = 0, unsaved = 0;
    float detached = 0.0f;
    config_->RegisterVariable("g_name", ConfigVariableType::String, false, true, &name, "hello", false);
    config_->RegisterVariable("g_locked", ConfigVariableType::Int, true, true, &locked, "1", false);
    config_->RegisterVariable("g_unsaved", ConfigVariableType::Int, false, false, &unsaved, "1", false);
    config_->RegisterVariable("g_detached", ConfigVariableType::Float, false, true, &detached, "2.5", false);
    config_->RegisterVariable("g_command", ConfigVariableType::Command, false, true, nullptr, "", false);
    config_->UnregisterVariable("g_detached");
    config_->ExecuteLine("v_brightness 0.3");

    config_->Save();
    EXPECT_EQ(folder_.ReadFile("game.ini"),
              "c_invert_mouse 0\r\n"
              "g_detached 2.500000\r\n"
              "g_name hello\r\n"
              "r_show_faces_edges 0\r\n"
              "r_show_faces_normals 0\r\n"
              "r_show_mip_maps 0\r\n"
              "r_show_octree_nodes 0\r\n"
              "r_texture_anisotropy 1\r\n"
              "r_use_mip_mapping 1\r\n"
              "sc_take_screenshot_format 0\r\n"
              "v_brightness 0.300000\r\n"
              "v_contrast 1.000000\r\n"
              "v_fullscreen 1\r\n"
              "v_gamma 1.000000\r\n"
              "v_mode 1024x768x32\r\n"
              "v_vsync 1\r\n");
    EXPECT_FALSE(LoggedError());
}

TEST_F(ConfigTest, SavedFileReadsBackToTheSameValues) {
    config_->ExecuteLine("v_mode 1280x720x32");
    config_->ExecuteLine("v_contrast 1.25");
    config_->ExecuteLine("r_texture_anisotropy -4");
    config_->Save();

    auto reread = MakeConfig();
    reread->Load();
    EXPECT_EQ(reread->values.mode, "1280x720x32");
    EXPECT_FLOAT_EQ(reread->values.contrast, 1.25f);
    EXPECT_EQ(reread->values.textureAnisotropy, -4);
}

TEST_F(ConfigTest, EmptyNameSavesAsVantorIni) {
    MakeConfig(false, "1024x768x32", false, L"")->Save();
    EXPECT_NE(folder_.ReadFile("Vantor.ini").find("v_mode 1024x768x32\r\n"), std::string::npos);
}

TEST_F(ConfigTest, FailedSaveIsLoggedAndTheConfigurationGoesOn) {
    folder_.WriteFile("blocker", "a file where a folder should be");
    Config config(folderPath_ + L"\\blocker\\sub", L"game", false, "1024x768x32", false, true);
    config.Save();
    EXPECT_TRUE(LoggedError());
    EXPECT_EQ(config.ExecuteLine("v_vsync 0"), ConfigResult::Done);
}

// --- Display-mode text ---

TEST(ParseDisplayMode, SplitsTwoSeparatorsOrFallsBack) {
    struct Case {
        const char* text;
        uint32_t width, height, bits;
    };
    const Case cases[] = {
        {"1024x768x32", 1024, 768, 32}, {"800X600x16", 800, 600, 16}, {"1024x768", 640, 480, 16},
        {"desktop", 640, 480, 16},      {"", 640, 480, 16},           {"32x5ax7b", 32, 5, 7},
    };
    for (const Case& test : cases) {
        uint32_t width = 1, height = 1, bits = 1;
        Vantor::ParseDisplayMode(test.text, &width, &height, &bits);
        EXPECT_EQ(width, test.width) << test.text;
        EXPECT_EQ(height, test.height) << test.text;
        EXPECT_EQ(bits, test.bits) << test.text;
    }
    uint32_t width = 0;
    Vantor::ParseDisplayMode("1920x1080x32", &width, nullptr, nullptr);
    EXPECT_EQ(width, 1920u);
}

}  // namespace
