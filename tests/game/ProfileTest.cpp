// The game's profile: start values, the game's fields after the framework's in the
// file (byte for byte), the fields that are not saved, Reset, the built-upgrade test,
// and files the profile manager leaves out.

#include "game/Profile.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/kernel/Random.h"
#include "engine/kernel/StringHelpers.h"
#include "game/ProfileManager.h"
#include "tests/framework/PlayerDataTestSupport.h"

namespace {

using frameworktest::FileBytes;
using GameFramework::ProfileBase;
using Morvane::Profile;

// A stored narrow string: the length with the terminating zero, the bytes, the zero.
FileBytes& Text(FileBytes& bytes, const std::string& text) {
    return bytes.U8(static_cast<int>(text.size() + 1)).Raw(text).U8(0);
}

// The framework's part of a profile named Anna: no statistics, no hint shown.
FileBytes FrameworkBody() {
    return FileBytes().Name(L"Anna").U8(0).U8(3).U8(0).U8(0).U8(0).U8(0).U8(0).U8(0).U32(0)
        .Raw(std::string(32, '\0')).U8(0);
}

// Every game field set, as the file's table lists them.
std::string HandMadeProfile() {
    FileBytes bytes = FrameworkBody();
    bytes.U32(0x41).U32(7).U32(1234).F32(0.75f).U32(310);
    Text(Text(bytes.U32(2), "coffee_machine_1"), "soda_machine_1");
    Text(bytes.U32(1), "house_roof");
    bytes.U32(6);
    return bytes.File("MVPRF", 109);
}

class GameProfileTest : public frameworktest::PlayerDataTest {
protected:
    void SetUp() override {
        PlayerDataTest::SetUp();
        Vantor::SeedRandom(5);
    }

    std::unique_ptr<Profile> Create(const std::wstring& name) {
        return std::make_unique<Profile>(ProfileBase::kCreateProfile, name, Folder());
    }
    std::unique_ptr<Profile> Load(const std::wstring& fileName) {
        return std::make_unique<Profile>(ProfileBase::kLoadProfile, fileName, Folder());
    }
    std::string FileOf(const Profile& profile) const {
        return Read("profiles/" + Vantor::ToNarrow(profile.GetFileName()));
    }
};

void ExpectStartValues(const Profile& profile) {
    EXPECT_EQ(0u, profile.GetFlags());
    EXPECT_EQ(0, profile.GetDay());
    EXPECT_EQ(0, profile.GetMoney());
    EXPECT_EQ(0.5f, profile.GetMood());
    EXPECT_EQ(0, profile.GetQualification());
    EXPECT_TRUE(profile.GetMachines().empty());
    EXPECT_TRUE(profile.GetHouseUpgrades().empty());
    EXPECT_EQ(0, profile.GetLastBuildDay());
    EXPECT_EQ(0, profile.GetLastMachineDay());
    EXPECT_EQ(0, profile.GetPlaysCounter());
    EXPECT_TRUE(profile.GetDayResult().shown);
}

TEST_F(GameProfileTest, NewProfileSavesAndLoadsWithItsStartValues) {
    const auto profile = Create(L"Anna");
    ExpectStartValues(*profile);
    const auto loaded = Load(profile->GetFileName());
    EXPECT_EQ(L"Anna", loaded->GetName());
    ExpectStartValues(*loaded);
    // The game's part follows the framework's at once, 28 bytes with two empty lists.
    EXPECT_EQ(FrameworkBody().U32(0).U32(0).U32(0).F32(0.5f).U32(0).U32(0).U32(0).U32(0).File("MVPRF", 109),
              FileOf(*profile));
}

TEST_F(GameProfileTest, HandMadeFileReadsBackEqualAndSavesTheSameBytes) {
    Write("profiles/anna_1.prf", HandMadeProfile());
    const auto profile = Load(L"anna_1.prf");
    EXPECT_EQ(L"Anna", profile->GetName());
    EXPECT_EQ(0x41u, profile->GetFlags());
    EXPECT_TRUE(profile->HasFlag(Profile::kFlagHouseUnlocked));
    EXPECT_FALSE(profile->HasFlag(Profile::kFlagGreetingGiven));
    EXPECT_EQ(7, profile->GetDay());
    EXPECT_EQ(1234, profile->GetMoney());
    EXPECT_EQ(0.75f, profile->GetMood());
    EXPECT_EQ(310, profile->GetQualification());
    EXPECT_EQ((std::vector<std::string>{"coffee_machine_1", "soda_machine_1"}), profile->GetMachines());
    EXPECT_EQ(std::vector<std::string>{"house_roof"}, profile->GetHouseUpgrades());
    EXPECT_EQ(6, profile->GetLastBuildDay());
    Write("profiles/anna_1.prf", "");
    ASSERT_TRUE(profile->Save());
    EXPECT_EQ(HandMadeProfile(), Read("profiles/anna_1.prf"));
}

TEST_F(GameProfileTest, FieldsNotSavedStartOverAtEveryLoad) {
    const auto profile = Create(L"Anna");
    profile->AddMachine("soda_machine_1");
    profile->SetLastMachineDay(4);
    profile->AddHouseUpgrade("house_roof");
    profile->SetLastBuildDay(3);
    profile->SetPlaysCounter(2);
    profile->GetDayResult() = Morvane::DayResult{false, 100, 20, 2, 9, 11, 0.8f};
    ASSERT_TRUE(profile->Save());
    const auto loaded = Load(profile->GetFileName());
    EXPECT_EQ(std::vector<std::string>{"soda_machine_1"}, loaded->GetMachines());
    EXPECT_EQ(0, loaded->GetLastMachineDay());
    EXPECT_EQ(3, loaded->GetLastBuildDay());
    EXPECT_EQ(0, loaded->GetPlaysCounter());
    EXPECT_TRUE(loaded->GetDayResult().shown);
    EXPECT_EQ(0, loaded->GetDayResult().tips);
}

TEST_F(GameProfileTest, ResetKeepsTheFrameworkPartAndSavesAtOnce) {
    Write("profiles/anna_1.prf", HandMadeProfile());
    const auto profile = Load(L"anna_1.prf");
    profile->SetShownBit(9, true);
    profile->SetProgress(6);
    profile->Reset();
    ExpectStartValues(*profile);
    EXPECT_EQ(L"Anna", profile->GetName());
    EXPECT_EQ(L"anna_1.prf", profile->GetFileName());
    EXPECT_EQ(6, profile->GetProgress());
    EXPECT_TRUE(profile->IsShownBitSet(9));
    const auto loaded = Load(L"anna_1.prf");
    ExpectStartValues(*loaded);
    EXPECT_EQ(6, loaded->GetProgress());
    EXPECT_TRUE(loaded->IsShownBitSet(9));
}

TEST_F(GameProfileTest, HouseUpgradeIsBuiltWhenItsNameOccursInTheText) {
    const auto profile = Create(L"Anna");
    EXPECT_FALSE(profile->IsHouseUpgradeBuilt("upgrade_roof"));
    EXPECT_FALSE(profile->IsHouseUpgradeBuilt(""));
    profile->AddHouseUpgrade("roof");
    profile->AddHouseUpgrade("garden_pool");
    const struct {
        const char* text;
        bool built;
    } cases[] = {{"roof", true},          {"upgrade_roof_left", true}, {"upgrade_garden_pool", true},
                 {"upgrade_ro", false},   {"garden", false},           {"pool", false},
                 {"upgrade_Roof", false}, {"", false}};
    for (const auto& entry : cases) EXPECT_EQ(entry.built, profile->IsHouseUpgradeBuilt(entry.text)) << entry.text;
}

TEST_F(GameProfileTest, ManagerMakesGameProfilesAndWritesItsIndex) {
    {
        Morvane::ProfileManager manager(nullptr, Folder());
        EXPECT_TRUE(manager.IsFirstRun());
        EXPECT_EQ(nullptr, manager.GetCurrent());
        manager.SelectProfile(manager.CreateProfileIfMissing(L"Anna"), true);
        manager.GetCurrent()->SetMoney(50);
        manager.GetCurrent()->Save();
    }
    EXPECT_EQ(FileBytes().Name(L"Anna").U32(0).File("TBPMF", 100), Read("profiles.pmf"));
    Morvane::ProfileManager manager(nullptr, Folder());
    EXPECT_FALSE(manager.IsFirstRun());
    ASSERT_NE(nullptr, manager.GetCurrent());
    EXPECT_EQ(50, manager.GetCurrent()->GetMoney());
}

TEST_F(GameProfileTest, ManagerLeavesRefusedFilesOutWithTheirErrorLine) {
    Write("profiles/anna_1.prf", HandMadeProfile());
    // Whatever the header says, the list's count is checked against the bytes left.
    FileBytes hugeList = FrameworkBody();
    hugeList.U32(0).U32(0).U32(0).F32(0.5f).U32(0).U32(1000).U32(0).U32(0);
    const struct {
        const char* file;
        std::string bytes;
        const char* errorPart;
    } cases[] = {
        {"old.prf", FrameworkBody().U32(0).U32(0).U32(0).F32(0.5f).U32(0).U32(0).U32(0).U32(0).File("MVPRF", 108),
         "108"},
        {"list.prf", hugeList.File("MVPRF", 109), "list of 1000 strings"},
        {"short.prf", FrameworkBody().U32(0).U32(0).File("MVPRF", 109), "short.prf"},
        {"magic.prf", FrameworkBody().File("GFPRF", 109), "magic.prf"},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.file);
        Write(std::string("profiles/") + entry.file, entry.bytes);
        TakeErrors();
        Morvane::ProfileManager manager(nullptr, Folder());
        ASSERT_EQ(1u, manager.GetProfiles().size());
        EXPECT_EQ(L"Anna", manager.GetProfiles()[0]->GetName());
        const std::vector<std::string> errors = TakeErrors();
        ASSERT_EQ(1u, errors.size());
        EXPECT_NE(std::string::npos, errors[0].find(entry.errorPart)) << errors[0];
        EXPECT_EQ(entry.bytes, Read(std::string("profiles/") + entry.file));
        std::filesystem::remove(home_.folder.Path() / "user" / "profiles" / entry.file);
    }
}

}  // namespace
