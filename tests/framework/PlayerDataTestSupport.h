#pragma once
// What the tests of the framework's saved player data share: a game's profile and
// profile manager as a game derives them (the profile adds a field of its own), a
// fixture whose player-data folder lies in a private home, and the check that a save
// failing at any of its calls keeps the previous file.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/kernel/FileBinary.h"
#include "engine/kernel/FileManager.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "platform/FailureInjection.h"
#include "tests/engine/kernel/EngineTestSupport.h"
#include "tests/engine/kernel/FileTestSupport.h"

namespace frameworktest {

// A file of the framework's kinds built byte by byte, as its table lists the fields.
class FileBytes {
public:
    FileBytes& U8(int value) { return Raw(std::string(1, static_cast<char>(value))); }
    FileBytes& U16(std::uint16_t value) { return Little(value, 2); }
    FileBytes& U32(std::uint32_t value) { return Little(value, 4); }
    FileBytes& F32(float value) {
        std::uint32_t bits = 0;
        std::memcpy(&bits, &value, 4);
        return Little(bits, 4);
    }
    // A stored wide string: the count of units with the terminating zero, the units.
    FileBytes& Name(const std::wstring& name) {
        U8(static_cast<int>(name.size() + 1));
        for (wchar_t unit : name) U16(static_cast<std::uint16_t>(unit));
        return U16(0);
    }
    FileBytes& Raw(const std::string& bytes) {
        body_ += bytes;
        return *this;
    }
    const std::string& Body() const { return body_; }
    // The 13-byte header with the total length, then the body.
    std::string File(const std::string& magic, std::uint32_t version) const {
        return FileBytes().U32(static_cast<std::uint32_t>(13 + body_.size())).Raw(magic).U32(version).body_ + body_;
    }

private:
    FileBytes& Little(std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) body_.push_back(static_cast<char>(value >> (8 * i)));
        return *this;
    }

    std::string body_;
};

class TestProfile : public GameFramework::ProfileBase {
public:
    TestProfile(int mode, const std::wstring& text, const std::wstring& folder)
        : ProfileBase(folder, "MVPRF", 109) {
        Open(mode, text);
    }

    // The game's own field, after the framework's part of the file.
    std::uint16_t coins = 0;
    // Bodies written, failed or not.
    int writes = 0;
    // Ends the process in the middle of the next save, as a crash would.
    bool exitMidSave = false;

protected:
    void Open(int mode, const std::wstring& text) override {
        coins = 0;
        ProfileBase::Open(mode, text);
    }
    void WriteBody(Vantor::FileBinary& file) override {
        ++writes;
        ProfileBase::WriteBody(file);
        if (exitMidSave) std::_Exit(3);
        file.Write(&coins, sizeof(coins), 1);
    }
    void ReadBody(Vantor::FileBinary& file) override {
        ProfileBase::ReadBody(file);
        file.Read(&coins, sizeof(coins), 1);
    }
};

class TestProfileManager : public GameFramework::ProfileManagerBase {
public:
    explicit TestProfileManager(const std::wstring& folder) : ProfileManagerBase(nullptr, folder, "TBPMF", 100) {
        LoadAll();
    }

    TestProfile* Find(const std::wstring& name) const { return static_cast<TestProfile*>(FindProfile(name)); }
    TestProfile* Current() const { return static_cast<TestProfile*>(GetCurrentProfile()); }
    std::vector<std::wstring> Names() const {
        std::vector<std::wstring> names;
        for (const GameFramework::ProfileBase* profile : GetProfiles()) names.push_back(profile->GetName());
        return names;
    }

protected:
    GameFramework::ProfileBase* CreateProfile(int mode, const std::wstring& text) override {
        return new TestProfile(mode, text, GetFolder());
    }
};

// The player-data folder is "user" in the private home; host paths below it are
// written with '/'.
class PlayerDataTest : public enginetest::KernelManagersTest {
protected:
    std::wstring Folder() const { return home_.root + L"\\user"; }
    std::string Read(const std::string& relative) const { return home_.folder.ReadFile("user/" + relative); }
    void Write(const std::string& relative, const std::string& bytes) const {
        home_.folder.WriteFile("user/" + relative, bytes);
    }
    bool Exists(const std::string& relative) const {
        return std::filesystem::exists(home_.folder.Path() / "user" / relative);
    }
    // The names of the files in a folder below the player-data folder.
    std::vector<std::string> FilesIn(const std::string& relative) const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(home_.folder.Path() / "user" / relative))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    std::vector<std::string> Warnings() const {
        std::vector<std::string> warnings;
        for (const Vantor::LogMessage* message : log_->GetMessages())
            if (message->kind == Vantor::MessageKind::Warning)
                warnings.push_back(enginetest::Unframed(message->text, "Warning: ", "!"));
        return warnings;
    }

    // Makes a save fail at each of its platform calls in turn (opening, every write,
    // the flush, the rename): every failed save must log one error line naming the
    // file and leave the file's bytes as they were, with no temporary file left
    // beside it. Ends with a save that succeeds.
    void ExpectFailedSavesKeepTheFile(const std::string& relative, const std::function<bool()>& save) {
        const std::string before = Read(relative);
        const std::filesystem::path folder = (home_.folder.Path() / "user" / relative).parent_path();
        const std::size_t filesBefore = std::distance(std::filesystem::directory_iterator(folder), {});
        TakeErrors();
        for (const char* call : {"CreateFileW", "WriteFile", "FlushFileBuffers", "MoveFileExW"}) {
            for (int successes = 0;; ++successes) {
                platform::seam::FailCallsAfter(call, successes, 1);
                const bool saved = save();
                platform::seam::ClearInjectedFailures();
                if (saved) {
                    EXPECT_GT(successes, 0) << call << " never failed the save";
                    TakeErrors();
                    break;
                }
                SCOPED_TRACE(std::string(call) + " failing after " + std::to_string(successes) + " calls");
                EXPECT_EQ(before, Read(relative));
                EXPECT_EQ(filesBefore, std::size_t(std::distance(std::filesystem::directory_iterator(folder), {})));
                const std::vector<std::string> errors = TakeErrors();
                ASSERT_EQ(1u, errors.size());
                EXPECT_NE(std::string::npos, errors[0].find(relative.substr(relative.rfind('/') + 1)));
                ASSERT_LT(successes, 1000) << "the save never succeeds";
            }
            Write(relative, before);
        }
    }
};

}  // namespace frameworktest
