// Player profiles: file names chosen from the typed name, the file byte by byte, the
// changes that save at once (and those that do not), loading refused files, and saves
// that fail or are cut off keeping the previous file.

#include "framework/ProfileBase.h"

#include <gtest/gtest.h>

#include <memory>
#include <regex>
#include <set>
#include <string>

#include "engine/kernel/Error.h"
#include "engine/kernel/Random.h"
#include "engine/kernel/StringHelpers.h"
#include "framework/ProfileLevelStatisticsBase.h"
#include "tests/framework/PlayerDataTestSupport.h"

namespace {

using frameworktest::FileBytes;
using frameworktest::TestProfile;
using GameFramework::LevelKey;
using GameFramework::ProfileBase;

class ProfileTest : public frameworktest::PlayerDataTest {
protected:
    void SetUp() override {
        PlayerDataTest::SetUp();
        Vantor::SeedRandom(7);
    }

    std::unique_ptr<TestProfile> Create(const std::wstring& name) {
        return std::make_unique<TestProfile>(ProfileBase::kCreateProfile, name, Folder());
    }
    std::unique_ptr<TestProfile> Load(const std::wstring& fileName) {
        return std::make_unique<TestProfile>(ProfileBase::kLoadProfile, fileName, Folder());
    }
    std::string ProfileFile(const TestProfile& profile) const {
        return Read("profiles/" + Vantor::ToNarrow(profile.GetFileName()));
    }

};

// A profile of every field, as its table lists them.
std::string HandMadeProfile() {
    return FileBytes()
        .Name(L"Anna")
        .U8(2).U8(5).U8(200)    // mode, progress, game score
        .U8(1).U8(3)            // current level
        .U8(2).U8(0).U8(1)      // max level, completed
        .U32(2)
        .U8(2).U8(0).U8(1).F32(41.5f)
        .U8(0).U8(1).U8(2).F32(12.25f)
        .Raw(std::string("\x05") + std::string(30, '\0') + "\x80")  // flags 0, 2 and 255
        .U8(1)                  // game in progress
        .U16(777)               // the game's field
        .File("MVPRF", 109);
}

TEST_F(ProfileTest, FileNameIsTheNameLettersLowerCasedWithDigits) {
    const auto profile = Create(L" Anna Maria ");
    EXPECT_EQ(L"Anna Maria", profile->GetName());
    EXPECT_TRUE(std::regex_match(Vantor::ToNarrow(profile->GetFileName()), std::regex("annamaria_[0-9]{6}\\.prf")))
        << Vantor::ToNarrow(profile->GetFileName());
    EXPECT_TRUE(Exists("profiles/" + Vantor::ToNarrow(profile->GetFileName())));
    for (const std::wstring& name : {std::wstring(L"2024"), std::wstring(L"1 2 3"), std::wstring(L"\u0416\u0438\u0437\u043d\u044c")}) {
        const std::string fileName = Vantor::ToNarrow(Create(name)->GetFileName());
        EXPECT_TRUE(std::regex_match(fileName, std::regex("_[0-9]{15}\\.prf"))) << fileName;
    }
}

TEST_F(ProfileTest, NewProfileStartsAGameAtTheFirstLevel) {
    const auto profile = Create(L"Anna");
    EXPECT_EQ(3, profile->GetProgress());
    EXPECT_EQ(0, profile->GetGameScore());
    EXPECT_EQ(LevelKey{}, profile->GetCurrentLevel());
    EXPECT_FALSE(profile->IsGameInProgress());
    const auto loaded = Load(profile->GetFileName());
    EXPECT_EQ(L"Anna", loaded->GetName());
    EXPECT_EQ(3, loaded->GetProgress());
}

TEST_F(ProfileTest, NewProfileNeverTakesTheFileOfAnother) {
    // Fourteen letters leave room for one digit: ten names, then every try is taken.
    std::set<std::wstring> fileNames;
    for (int i = 0; i < 12; ++i) fileNames.insert(Create(L"Abcdefghijklmn " + std::to_wstring(i))->GetFileName());
    EXPECT_EQ(12u, fileNames.size());
    // Fifteen letters or more leave no room at all.
    const std::wstring first = Create(L"Abcdefghijklmnopq")->GetFileName();
    EXPECT_EQ(L"abcdefghijklmnop.prf", first) << "at most 16 letters";
    const std::wstring second = Create(L"Abcdefghijklmnopq")->GetFileName();
    EXPECT_NE(first, second);
    EXPECT_EQ(L"Abcdefghijklmnopq", Load(first)->GetName());
}

TEST_F(ProfileTest, HandMadeFileReadsBackAndIsWrittenTheSame) {
    Write("profiles/anna_123456.prf", HandMadeProfile());
    const auto profile = Load(L"anna_123456.prf");
    EXPECT_EQ(L"Anna", profile->GetName());
    EXPECT_EQ(2, profile->GetMode());
    EXPECT_EQ(5, profile->GetProgress());
    EXPECT_EQ(200, profile->GetGameScore());
    EXPECT_EQ((LevelKey{1, 3}), profile->GetCurrentLevel());
    EXPECT_EQ((LevelKey{2, 0}), profile->GetMaxLevel());
    EXPECT_TRUE(profile->IsCompleted());
    ASSERT_EQ(2u, profile->GetLevelStatistics().size());
    EXPECT_EQ((LevelKey{0, 1}), profile->GetLevelStatistics()[0]->level);
    EXPECT_EQ(41.5f, profile->GetLevelStatistics()[0]->time);
    EXPECT_EQ(0, profile->GetLevelStatistics()[1]->mode);
    for (unsigned n = 0; n < 256; ++n) EXPECT_EQ(n == 0 || n == 2 || n == 255, profile->IsShownBitSet(n)) << n;
    EXPECT_TRUE(profile->IsGameInProgress());
    EXPECT_EQ(777, profile->coins);

    Write("profiles/anna_123456.prf", "");
    ASSERT_TRUE(profile->Save());
    EXPECT_EQ(HandMadeProfile(), Read("profiles/anna_123456.prf"));
}

TEST_F(ProfileTest, RenameKeepsTheFileName) {
    const auto profile = Create(L"Anna");
    const std::wstring fileName = profile->GetFileName();
    profile->Rename(L"  Bob ");
    EXPECT_EQ(fileName, profile->GetFileName());
    EXPECT_EQ(0u, fileName.find(L"anna_"));
    EXPECT_EQ(L"Bob", Load(fileName)->GetName());
}

TEST_F(ProfileTest, MaxLevelMovesOnlyForwardOrToCompleted) {
    const auto profile = Create(L"Anna");
    profile->SetMaxLevel({1, 2}, false);
    const int writes = profile->writes;
    profile->SetMaxLevel({1, 2}, false);
    profile->SetMaxLevel({1, 1}, true);
    profile->SetMaxLevel({0, 9}, false);
    EXPECT_EQ(writes, profile->writes);
    EXPECT_EQ((LevelKey{1, 2}), profile->GetMaxLevel());
    profile->SetMaxLevel({1, 2}, true);
    EXPECT_EQ(writes + 1, profile->writes);
    EXPECT_TRUE(Load(profile->GetFileName())->IsCompleted());
}

TEST_F(ProfileTest, LevelStatisticsKeepTheBestTimePerModeAndLevel) {
    const auto profile = Create(L"Anna");
    for (const float time : {50.0f, 40.0f, 60.0f}) {
        GameFramework::ProfileLevelStatisticsBase* record = profile->CreateLevelStatistics();
        record->level = {0, 2};
        record->time = time;
        profile->AddLevelStatistics(record);
    }
    GameFramework::ProfileLevelStatisticsBase* otherMode = profile->CreateLevelStatistics();
    otherMode->mode = 1;
    otherMode->level = {0, 2};
    otherMode->time = 70.0f;
    profile->AddLevelStatistics(otherMode);

    const auto loaded = Load(profile->GetFileName());
    ASSERT_EQ(2u, loaded->GetLevelStatistics().size());
    EXPECT_EQ(40.0f, loaded->GetLevelStatistics()[0]->time);
    EXPECT_EQ(70.0f, loaded->GetLevelStatistics()[1]->time);
}

TEST_F(ProfileTest, ShownBitsSaveOnlyWhenTheyChange) {
    const auto profile = Create(L"Anna");
    const int writes = profile->writes;
    profile->SetShownBit(300, true);
    profile->SetShownBit(4, false);
    EXPECT_EQ(writes, profile->writes);
    EXPECT_FALSE(profile->IsShownBitSet(300));
    profile->SetShownBit(255, true);
    profile->SetShownBit(255, true);
    EXPECT_EQ(writes + 1, profile->writes);
    EXPECT_TRUE(Load(profile->GetFileName())->IsShownBitSet(255));
}

TEST_F(ProfileTest, CurrentLevelSavesOnChange) {
    const auto profile = Create(L"Anna");
    const int writes = profile->writes;
    profile->SetCurrentLevel({});
    EXPECT_EQ(writes, profile->writes);
    profile->SetCurrentLevel({0, 1});
    EXPECT_EQ((LevelKey{0, 1}), Load(profile->GetFileName())->GetCurrentLevel());
}

TEST_F(ProfileTest, GameScoreWrapsAtOneByte) {
    const auto profile = Create(L"Anna");
    profile->AddGameScore(200);
    profile->AddGameScore(100);
    EXPECT_EQ(44, profile->GetGameScore());
}

TEST_F(ProfileTest, LongNameIsSavedCutTo254Units) {
    const auto profile = Create(std::wstring(300, L'a'));
    profile->Rename(std::wstring(300, L'b'));
    EXPECT_TRUE(TakeErrors().empty());
    EXPECT_EQ(std::wstring(254, L'b'), Load(profile->GetFileName())->GetName());
    // A cut never parts the two units of a surrogate pair.
    profile->Rename(std::wstring(253, L'c') + L"\xD83D\xDE00" L"d");
    EXPECT_EQ(std::wstring(253, L'c'), Load(profile->GetFileName())->GetName());
}

TEST_F(ProfileTest, DeleteFilesRemovesTheFileAndASideFileButNoFolder) {
    const auto kept = Create(L"Anna");
    const auto deleted = Create(L"Bob");
    std::string side = Vantor::ToNarrow(deleted->GetFileName());
    side.erase(side.size() - 4);
    Write("profiles/" + side, "side");
    deleted->DeleteFiles();
    EXPECT_EQ(std::vector<std::string>{Vantor::ToNarrow(kept->GetFileName())}, FilesIn("profiles"));

    std::string keptSide = Vantor::ToNarrow(kept->GetFileName());
    keptSide.erase(keptSide.size() - 4);
    Write("profiles/" + keptSide + "/saved.txt", "keep");
    kept->DeleteFiles();
    EXPECT_EQ("keep", Read("profiles/" + keptSide + "/saved.txt"));
}

TEST_F(ProfileTest, DamagedFilesAreRefusedWithTheirErrorLogged) {
    const std::string good = HandMadeProfile();
    std::string hugeCount = good;
    hugeCount.replace(13 + 11 + 8, 4, std::string("\xff\xff\xff\x0f", 4));
    const struct {
        std::string bytes;
        std::string error;
    } cases[] = {
        {good.substr(0, good.size() - 1), "Incorrect + \"" },
        {hugeCount, "Failed to read 268435455 records from \""},
        {FileBytes().Name(L"Anna").File("MVPRF", 109), "Failed to read 1 bytes from \""},
        {FileBytes().Raw(good.substr(13)).File("MVPRF", 108), "format version (108), current is 109"},
    };
    for (const auto& damaged : cases) {
        Write("profiles/anna.prf", damaged.bytes);
        EXPECT_THROW(Load(L"anna.prf"), Vantor::Error);
        const std::vector<std::string> errors = TakeErrors();
        ASSERT_EQ(1u, errors.size());
        EXPECT_NE(std::string::npos, errors[0].find(damaged.error)) << errors[0];
        EXPECT_EQ(damaged.bytes, Read("profiles/anna.prf"));
    }
}

TEST_F(ProfileTest, FailedSavesKeepThePreviousFile) {
    const auto profile = Create(L"Anna");
    profile->SetCurrentLevel({0, 3});
    const std::string fileName = Vantor::ToNarrow(profile->GetFileName());
    ExpectFailedSavesKeepTheFile("profiles/" + fileName, [&] { return profile->Save(); });
    EXPECT_EQ((LevelKey{0, 3}), Load(profile->GetFileName())->GetCurrentLevel());
}

TEST_F(ProfileTest, FullDiskLosesNothing) {
    const auto profile = Create(L"Anna");
    profile->SetCurrentLevel({0, 3});
    const std::string before = ProfileFile(*profile);

    platform::seam::FailCallsAfter("WriteFile", 0, 1000000);
    profile->SetCurrentLevel({0, 4});
    profile->Rename(L"Bob");
    platform::seam::ClearInjectedFailures();
    EXPECT_EQ(before, ProfileFile(*profile));
    EXPECT_EQ(2u, TakeErrors().size());
    EXPECT_EQ(L"Bob", profile->GetName()) << "the change stays in memory";

    profile->SetMaxLevel({0, 4}, false);
    const auto loaded = Load(profile->GetFileName());
    EXPECT_EQ(L"Bob", loaded->GetName());
    EXPECT_EQ((LevelKey{0, 4}), loaded->GetCurrentLevel());
}

using ProfileDeathTest = ProfileTest;

TEST_F(ProfileDeathTest, ProcessEndingMidSaveLeavesTheOldFileLoadable) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto profile = Create(L"Anna");
    profile->SetCurrentLevel({0, 3});
    const std::string before = ProfileFile(*profile);
    EXPECT_EXIT(
        {
            profile->exitMidSave = true;
            profile->SetCurrentLevel({0, 4});
        },
        testing::ExitedWithCode(3), "");
    EXPECT_EQ(before, ProfileFile(*profile));
    EXPECT_EQ((LevelKey{0, 3}), Load(profile->GetFileName())->GetCurrentLevel());
}

}  // namespace
