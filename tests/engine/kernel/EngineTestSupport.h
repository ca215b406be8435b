#pragma once
// A private home for the engine in tests: the executable, the user-data folder, the log
// ("log.html") and the configuration ("game.ini") all lie in a fresh temporary folder,
// and the platform's path seams point there while it lives, so no test touches the
// real home folder. Each test builds and destroys its own engine, or its own managers:
// the fixtures below set up either case.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/kernel/Config.h"
#include "engine/kernel/EngineSettings.h"
#include "engine/kernel/FileManager.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/TimerManager.h"
#include "platform/Desktop.h"
#include "platform/FailureInjection.h"
#include "platform/WinFolders.h"
#include "platform/WinPaths.h"
#include "platform/WinUserSeams.h"
#include "tests/support/PathOverridesEnd.h"
#include "tests/support/TempFolder.h"

namespace enginetest {

class EngineFolder {
public:
    EngineFolder() {
        platform::seam::SetExecutablePath(root + L"\\game.exe");
        platform::seam::SetUserDataFolder(root + L"\\user");
    }
    EngineFolder(const EngineFolder&) = delete;
    EngineFolder& operator=(const EngineFolder&) = delete;

    // A logged, windowed, centred 800x600 engine that does not save its configuration.
    Vantor::EngineSettings Settings(const std::wstring& title = L"Test", int version = 102) const {
        Vantor::EngineSettings settings;
        settings.title = title;
        settings.version = version;
        settings.baseFolder = root;
        settings.configFolder = root;
        settings.configName = L"game";
        settings.logEnabled = true;
        settings.logFolder = root;
        settings.logName = L"log";
        settings.dataFolder = L"data";
        settings.usePacks = false;
        settings.displayMode = "800x600x32";
        settings.centreWindow = true;
        return settings;
    }

    std::string ReadLog() const { return folder.ReadFile("log.html"); }
    std::string ReadIni() const { return folder.ReadFile("game.ini"); }
    void WriteIni(const std::string& text) const { folder.WriteFile("game.ini", text); }

    testsupport::TempFolder folder;
    std::wstring root = platform::ToWindowsPath(folder.Path().string());

private:
    testsupport::PathOverridesEnd overridesEnd_;  // the seams are cleared before the folder goes
};

// Whether the log's list of this frame holds a message with exactly this text.
inline bool Logged(const std::string& text) {
    for (const Vantor::LogMessage* message : Vantor::MessageManager::Instance()->GetMessages())
        if (message->text == text) return true;
    return false;
}

// The text between the prefix and the last suffix; the whole text without the prefix.
inline std::string Unframed(const std::string& text, const std::string& prefix, const std::string& suffix) {
    std::size_t start = text.find(prefix);
    if (start == std::string::npos) return text;
    start += prefix.size();
    std::size_t end = text.rfind(suffix);
    if (end == std::string::npos || end < start) end = text.size();
    return text.substr(start, end - start);
}

// Error texts in the log's list, without the "Error: " and "!" framing; the list is
// cleared, so the next call sees only what was logged after this one.
inline std::vector<std::string> TakeErrors(Vantor::MessageManager& log) {
    std::vector<std::string> errors;
    for (const Vantor::LogMessage* message : log.GetMessages())
        if (message->kind == Vantor::MessageKind::Error) errors.push_back(Unframed(message->text, "Error: ", "!"));
    log.ClearMessages();
    return errors;
}

// Fatal texts in the log's list, without the "PROGRAM ABORTING: " prefix.
inline std::vector<std::string> Fatals(const Vantor::MessageManager& log) {
    std::vector<std::string> fatals;
    for (const Vantor::LogMessage* message : log.GetMessages())
        if (message->kind == Vantor::MessageKind::FatalError)
            fatals.push_back(Unframed(message->text, "PROGRAM ABORTING: ", "\n"));
    return fatals;
}

// A test that builds engine objects in a private home, with the windowing seams reset
// around it and injected failures cleared after it.
class EngineObjectTest : public testing::Test {
protected:
    void SetUp() override { platform::seam::ResetWindowing(); }
    void TearDown() override {
        platform::seam::ResetWindowing();
        platform::seam::ClearInjectedFailures();
    }

    // Index of the text in the log file, failing the test when it is missing.
    static size_t Position(const std::string& log, const std::string& text) {
        const size_t at = log.find(text);
        EXPECT_NE(at, std::string::npos) << "missing in the log: " << text;
        return at;
    }

    EngineFolder home_;
};

// A test of a part that works with the kernel managers the engine makes before its
// window: the log (kept in memory), the file manager, the frame clock and the
// configuration ("game.ini"), made in a private home in the engine's order and
// registered as the engine registers them. A derived fixture deletes what it made over
// them before calling this TearDown.
class KernelManagersTest : public testing::Test {
protected:
    void SetUp() override {
        platform::seam::ResetWindowing();
        log_ = std::make_unique<Vantor::MessageManager>(L"Test", false, false, L"", L"");
        Vantor::MessageManager::Instance(log_.get());
        files_ = std::make_unique<Vantor::FileManager>(home_.root, false, L"data", 0u);
        Vantor::FileManager::Instance(files_.get());
        timers_ = std::make_unique<Vantor::TimerManager>();
        Vantor::TimerManager::Instance(timers_.get());
        config_ = std::make_unique<Vantor::Config>(home_.root, L"game", false, "800x600x32", false, false);
        Vantor::Config::Instance(config_.get());
    }

    void TearDown() override {
        config_.reset();
        timers_.reset();
        files_.reset();
        log_.reset();
        platform::seam::ResetWindowing();
        platform::seam::ResetDesktop();
        platform::seam::ClearInjectedFailures();
    }

    std::vector<std::string> TakeErrors() { return enginetest::TakeErrors(*log_); }
    std::vector<std::string> Fatals() const { return enginetest::Fatals(*log_); }

    EngineFolder home_;
    std::unique_ptr<Vantor::MessageManager> log_;
    std::unique_ptr<Vantor::FileManager> files_;
    std::unique_ptr<Vantor::TimerManager> timers_;
    std::unique_ptr<Vantor::Config> config_;
};

}  // namespace enginetest
