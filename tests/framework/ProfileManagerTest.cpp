// The profile manager: profiles loaded and ordered by name, created, found, renamed
// and deleted, the current profile and the best times kept in "profiles.pmf", the first
// run, and damaged index files set aside rather than lost.

#include "framework/ProfileManagerBase.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/kernel/Random.h"
#include "engine/kernel/StringHelpers.h"
#include "tests/framework/PlayerDataTestSupport.h"

namespace {

using frameworktest::FileBytes;
using frameworktest::TestProfile;
using frameworktest::TestProfileManager;
using GameFramework::LevelKey;
using Names = std::vector<std::wstring>;

class ProfileManagerTest : public frameworktest::PlayerDataTest {
protected:
    void SetUp() override {
        PlayerDataTest::SetUp();
        Vantor::SeedRandom(11);
    }

    std::unique_ptr<TestProfileManager> Manager() { return std::make_unique<TestProfileManager>(Folder()); }

    // A manager that made the profiles, one after another.
    std::unique_ptr<TestProfileManager> ManagerWith(const Names& names) {
        auto manager = Manager();
        for (const std::wstring& name : names) manager->CreateProfileIfMissing(name);
        return manager;
    }

    static std::string Index(const std::wstring& current, const FileBytes& records = FileBytes().U32(0)) {
        return FileBytes().Name(current).Raw(records.Body()).File("TBPMF", 100);
    }
};

TEST_F(ProfileManagerTest, ProfilesAreOrderedByNameWithoutLetterCase) {
    ManagerWith({L"Bob", L"anna", L"Carl"});
    const auto manager = Manager();
    EXPECT_EQ((Names{L"anna", L"Bob", L"Carl"}), manager->Names());
    EXPECT_FALSE(manager->IsFirstRun());
}

TEST_F(ProfileManagerTest, FirstRunWritesAnIndexAndSelectsTheFirstProfile) {
    const auto first = Manager();
    EXPECT_TRUE(first->IsFirstRun());
    EXPECT_EQ(nullptr, first->Current());
    EXPECT_EQ(Index(L""), Read("profiles.pmf"));

    first->CreateProfileIfMissing(L"Bob");
    first->CreateProfileIfMissing(L"Anna");
    EXPECT_EQ(nullptr, first->Current()) << "a new profile is not made current";
    std::filesystem::remove(home_.folder.Path() / "user/profiles.pmf");
    const auto second = Manager();
    EXPECT_TRUE(second->IsFirstRun());
    EXPECT_EQ(L"Anna", second->Current()->GetName());
    EXPECT_EQ(Index(L"Anna"), Read("profiles.pmf"));
}

TEST_F(ProfileManagerTest, CurrentProfileIsKeptInTheIndex) {
    auto manager = ManagerWith({L"Anna", L"Bob"});
    manager->SelectProfile(manager->FindProfile(L"BOB"), true);
    EXPECT_EQ(Index(L"Bob"), Read("profiles.pmf"));
    EXPECT_EQ(L"Bob", Manager()->Current()->GetName());
}

TEST_F(ProfileManagerTest, IndexNamingAMissingProfileSelectsTheFirst) {
    ManagerWith({L"Carl", L"Bob"});
    Write("profiles.pmf", Index(L"Gone"));
    EXPECT_EQ(L"Bob", Manager()->Current()->GetName());
    EXPECT_EQ(Index(L"Bob"), Read("profiles.pmf"));
}

TEST_F(ProfileManagerTest, CreatingAnExistingNameInOtherCaseGivesThatProfile) {
    auto manager = ManagerWith({L"Anna"});
    const std::vector<std::string> files = FilesIn("profiles");
    EXPECT_EQ(manager->FindProfile(L"Anna"), manager->CreateProfileIfMissing(L"ANNA"));
    EXPECT_EQ(files, FilesIn("profiles"));
}

TEST_F(ProfileManagerTest, RenameRefusesTakenNamesAndKeepsTheOrder) {
    auto manager = ManagerWith({L"Anna", L"Bob", L"Carl"});
    manager->RenameProfile(L"Anna", L"carl");
    manager->RenameProfile(L"Nobody", L"Dora");
    EXPECT_EQ((Names{L"Anna", L"Bob", L"Carl"}), manager->Names());
    manager->RenameProfile(L"anna", L"Zoe");
    EXPECT_EQ((Names{L"Bob", L"Carl", L"Zoe"}), manager->Names());
    EXPECT_EQ((Names{L"Bob", L"Carl", L"Zoe"}), Manager()->Names());
}

TEST_F(ProfileManagerTest, DeletingTheCurrentProfileSelectsTheFirstRemaining) {
    auto manager = ManagerWith({L"Anna", L"Bob", L"Carl"});
    manager->SelectProfile(manager->FindProfile(L"Bob"), true);
    manager->DeleteProfile(L"Nobody");
    manager->DeleteProfile(L"bob");
    EXPECT_EQ((Names{L"Anna", L"Carl"}), manager->Names());
    EXPECT_EQ(L"Anna", manager->Current()->GetName());
    EXPECT_EQ(2u, FilesIn("profiles").size());
    manager->DeleteProfile(L"Anna");
    manager->DeleteProfile(L"Carl");
    EXPECT_EQ(nullptr, manager->Current());
    EXPECT_TRUE(FilesIn("profiles").empty());
    EXPECT_EQ(Index(L""), Read("profiles.pmf"));
}

TEST_F(ProfileManagerTest, BestTimesKeepTheFastestPerLevelAndMode) {
    auto manager = Manager();
    EXPECT_TRUE(manager->RecordBestTime({1, 2}, L"Anna", 0, 50.0f));
    EXPECT_FALSE(manager->RecordBestTime({1, 2}, L"Bob", 0, 50.0f));
    EXPECT_FALSE(manager->RecordBestTime({1, 2}, L"Bob", 0, 60.0f));
    EXPECT_TRUE(manager->RecordBestTime({1, 2}, L"Carl", 1, 70.0f));
    EXPECT_TRUE(manager->RecordBestTime({1, 2}, L"Dora", 0, 45.5f));
    EXPECT_TRUE(manager->RecordBestTime({2, 1}, L"Anna", 0, 10.0f));
    const std::string expected = Index(L"", FileBytes()
                                                .U32(3)
                                                .U8(1).U8(2).Name(L"Dora").U8(0).F32(45.5f)
                                                .U8(1).U8(2).Name(L"Carl").U8(1).F32(70.0f)
                                                .U8(2).U8(1).Name(L"Anna").U8(0).F32(10.0f));
    EXPECT_EQ(expected, Read("profiles.pmf"));

    const auto reloaded = Manager();
    ASSERT_EQ(3u, reloaded->GetBestTimes().size());
    EXPECT_EQ(L"Carl", reloaded->GetBestTimes()[1]->name);
    EXPECT_EQ(1, reloaded->GetBestTimes()[1]->mode);
    reloaded->Save();
    EXPECT_EQ(expected, Read("profiles.pmf"));
}

TEST_F(ProfileManagerTest, OnlyReadableProfileFilesAreListed) {
    ManagerWith({L"Anna"});
    Write("profiles/bob.PRF", FileBytes().Name(L"Bob").Raw(std::string(8, '\0')).U32(0)
                                  .Raw(std::string(33, '\0')).U16(0).File("MVPRF", 109));
    Write("profiles/carl.prf.bak", "not a profile");
    Write("profiles/dora.prfx", "not a profile");
    Write("profiles/eve.prf", "damaged");
    const auto manager = Manager();
    EXPECT_EQ((Names{L"Anna", L"Bob"}), manager->Names());
    const std::vector<std::string> errors = TakeErrors();
    ASSERT_EQ(1u, errors.size());
    EXPECT_NE(std::string::npos, errors[0].find("eve.prf")) << errors[0];
    EXPECT_EQ("damaged", Read("profiles/eve.prf"));
}

TEST_F(ProfileManagerTest, DamagedIndexIsSetAsideUnderAFreeName) {
    ManagerWith({L"Anna"});
    Write("profiles.pmf.damaged", "older");
    const std::string hugeCount = FileBytes().Name(L"Anna").U32(100000).File("TBPMF", 100);
    Write("profiles.pmf", hugeCount);
    const auto manager = Manager();
    EXPECT_TRUE(manager->IsFirstRun());
    EXPECT_EQ("older", Read("profiles.pmf.damaged"));
    EXPECT_EQ(hugeCount, Read("profiles.pmf.damaged2"));
    EXPECT_EQ(Index(L"Anna"), Read("profiles.pmf"));
    const std::vector<std::string> warnings = Warnings();
    ASSERT_EQ(1u, warnings.size());
    EXPECT_NE(std::string::npos, warnings[0].find("profiles.pmf\" file set aside as \"")) << warnings[0];
    EXPECT_NE(std::string::npos, warnings[0].find("profiles.pmf.damaged2\" (Failed to read 100000 records"));
}

TEST_F(ProfileManagerTest, DamagedIndexThatCannotBeSetAsideIsNeverWrittenOver) {
    ManagerWith({L"Anna", L"Bob"});
    const std::string damaged = FileBytes().Name(L"Anna").File("TBPMF", 99);
    Write("profiles.pmf", damaged);
    platform::seam::FailNextCalls("MoveFileExW", 1000000);
    auto manager = Manager();
    platform::seam::ClearInjectedFailures();
    manager->SelectProfile(manager->FindProfile(L"Bob"), true);
    manager->RecordBestTime({0, 0}, L"Bob", 0, 1.0f);
    EXPECT_EQ(damaged, Read("profiles.pmf"));
    EXPECT_FALSE(Exists("profiles.pmf.damaged"));
    EXPECT_FALSE(TakeErrors().empty());
}

TEST_F(ProfileManagerTest, FailedIndexSavesKeepThePreviousIndex) {
    auto manager = ManagerWith({L"Anna"});
    manager->RecordBestTime({0, 1}, L"Anna", 0, 3.0f);
    ExpectFailedSavesKeepTheFile("profiles.pmf", [&] { return manager->Save(); });
}

}  // namespace
