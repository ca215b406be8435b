#pragma once
// One player's progress in the café: the framework's profile followed by the game's own
// fields (story flags, day, money, the café's mood, qualification points, machines
// bought and house upgrades built). The whole file is one "MVPRF" 109 file; the fields
// that are not saved start over at every load. Whoever changes a saved field calls
// Save afterwards.

#include <cstdint>
#include <string>
#include <vector>

#include "framework/ProfileBase.h"
#include "game/DayResult.h"

namespace Morvane {

class Profile : public GameFramework::ProfileBase {
public:
    static constexpr const char* kMagic = "MVPRF";
    static constexpr std::int32_t kVersion = 109;

    // Story flags: each event is told once, then its bit stays set.
    static constexpr std::uint32_t kFlagMeetingShown = 0x1;
    static constexpr std::uint32_t kFlagGreetingGiven = 0x2;
    static constexpr std::uint32_t kFlagFirstUpgradeOffered = 0x4;
    static constexpr std::uint32_t kFlagMechanicVisited = 0x8;
    static constexpr std::uint32_t kFlagFirstUpgradeTold = 0x10;
    static constexpr std::uint32_t kFlagStartBuildTold = 0x20;
    static constexpr std::uint32_t kFlagHouseUnlocked = 0x40;
    static constexpr std::uint32_t kFlagBuilderIntroduced = 0x80;
    static constexpr std::uint32_t kFlagFirstBuildTold = 0x100;
    static constexpr std::uint32_t kFlagLastBuildTold = 0x200;
    static constexpr std::uint32_t kFlagLastUpgradeTold = 0x400;
    static constexpr std::uint32_t kFlagLastTaskOn = 0x800;
    static constexpr std::uint32_t kFlagGameFinished = 0x1000;

    static constexpr float kStartMood = 0.5f;

    // mode ProfileBase::kCreateProfile: a new profile named text, saved at once;
    // kLoadProfile: the profile file named text (throws Vantor::Error when refused).
    Profile(int mode, const std::wstring& text, const std::wstring& folder);

    // The player starts over: the game's fields back to their start values, both
    // lists emptied, saved at once. Name, the framework's fields and file stay.
    void Reset();
    // Whether the name of some built house upgrade occurs anywhere in the text.
    bool IsHouseUpgradeBuilt(const std::string& text) const;

    std::uint32_t GetFlags() const { return flags_; }
    bool HasFlag(std::uint32_t flag) const { return (flags_ & flag) != 0; }
    void SetFlag(std::uint32_t flag) { flags_ |= flag; }
    std::int32_t GetDay() const { return day_; }
    void SetDay(std::int32_t day) { day_ = day; }
    std::int32_t GetMoney() const { return money_; }
    void SetMoney(std::int32_t money) { money_ = money; }
    float GetMood() const { return mood_; }
    void SetMood(float mood) { mood_ = mood; }
    std::int32_t GetQualification() const { return qualification_; }
    void SetQualification(std::int32_t points) { qualification_ = points; }
    // In order of purchase, respectively of building; the lists only grow.
    const std::vector<std::string>& GetMachines() const { return machines_; }
    void AddMachine(const std::string& name) { machines_.push_back(name); }
    const std::vector<std::string>& GetHouseUpgrades() const { return houseUpgrades_; }
    void AddHouseUpgrade(const std::string& name) { houseUpgrades_.push_back(name); }
    std::int32_t GetLastMachineDay() const { return lastMachineDay_; }
    void SetLastMachineDay(std::int32_t day) { lastMachineDay_ = day; }
    std::int32_t GetLastBuildDay() const { return lastBuildDay_; }
    void SetLastBuildDay(std::int32_t day) { lastBuildDay_ = day; }
    DayResult& GetDayResult() { return dayResult_; }
    const DayResult& GetDayResult() const { return dayResult_; }
    std::int32_t GetPlaysCounter() const { return playsCounter_; }
    void SetPlaysCounter(std::int32_t count) { playsCounter_ = count; }

protected:
    // The game's fields at their start values, then the framework's open.
    void Open(int mode, const std::wstring& text) override;
    // The framework's body, then the game's fields in the file's order.
    void WriteBody(Vantor::FileBinary& file) override;
    void ReadBody(Vantor::FileBinary& file) override;

private:
    void SetStartValues();

    std::uint32_t flags_ = 0;
    std::int32_t day_ = 0;
    std::int32_t money_ = 0;
    float mood_ = kStartMood;
    std::int32_t qualification_ = 0;
    std::vector<std::string> machines_;
    std::int32_t lastMachineDay_ = 0;
    std::vector<std::string> houseUpgrades_;
    std::int32_t lastBuildDay_ = 0;
    DayResult dayResult_;
    std::int32_t playsCounter_ = 0;
};

}  // namespace Morvane
