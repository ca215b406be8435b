#include "game/Profile.h"

#include <algorithm>

#include "engine/kernel/FileBinary.h"

namespace Morvane {

namespace {

template <typename Value>
void WriteValue(Vantor::FileBinary& file, const Value& value) {
    file.Write(&value, sizeof(Value), 1);
}

template <typename Value>
void ReadValue(Vantor::FileBinary& file, Value& value) {
    file.Read(&value, sizeof(Value), 1);
}

}  // namespace

Profile::Profile(int mode, const std::wstring& text, const std::wstring& folder)
    : ProfileBase(folder, kMagic, kVersion) {
    Open(mode, text);
}

void Profile::SetStartValues() {
    flags_ = 0;
    day_ = 0;
    money_ = 0;
    mood_ = kStartMood;
    qualification_ = 0;
    lastMachineDay_ = 0;
    lastBuildDay_ = 0;
    dayResult_ = DayResult{};
    playsCounter_ = 0;
}

void Profile::Open(int mode, const std::wstring& text) {
    SetStartValues();
    ProfileBase::Open(mode, text);
}

void Profile::Reset() {
    SetStartValues();
    machines_.clear();
    houseUpgrades_.clear();
    Save();
}

bool Profile::IsHouseUpgradeBuilt(const std::string& text) const {
    return std::any_of(houseUpgrades_.begin(), houseUpgrades_.end(),
                       [&text](const std::string& name) { return text.find(name) != std::string::npos; });
}

void Profile::WriteBody(Vantor::FileBinary& file) {
    ProfileBase::WriteBody(file);
    WriteValue(file, flags_);
    WriteValue(file, day_);
    WriteValue(file, money_);
    WriteValue(file, mood_);
    WriteValue(file, qualification_);
    file.WriteStringList(machines_);
    file.WriteStringList(houseUpgrades_);
    WriteValue(file, lastBuildDay_);
}

void Profile::ReadBody(Vantor::FileBinary& file) {
    ProfileBase::ReadBody(file);
    ReadValue(file, flags_);
    ReadValue(file, day_);
    ReadValue(file, money_);
    ReadValue(file, mood_);
    ReadValue(file, qualification_);
    file.ReadStringList(machines_);
    file.ReadStringList(houseUpgrades_);
    ReadValue(file, lastBuildDay_);
}

}  // namespace Morvane
