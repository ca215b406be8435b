#include "framework/ProfileManagerBase.h"

#include <algorithm>

#include "engine/kernel/ContainerHelpers.h"
#include "engine/kernel/Error.h"
#include "engine/kernel/FileBinary.h"
#include "engine/kernel/FileError.h"
#include "engine/kernel/FileManager.h"
#include "engine/kernel/StringHelpers.h"
#include "framework/FileHeader.h"
#include "framework/PlayerFile.h"
#include "framework/PlayerFileFields.h"
#include "framework/ProfileBase.h"

namespace GameFramework {

namespace {

// Stage and level bytes, the shortest stored name, the mode byte and the time.
constexpr std::uint32_t kLevelRecordSize = 8;

bool SameName(const std::wstring& a, const std::wstring& b) { return Vantor::ToLower(a) == Vantor::ToLower(b); }

}  // namespace

ProfileManagerBase::ProfileManagerBase(AudioManager* audioManager, const std::wstring& folder,
                                       const std::string& magic, std::int32_t version)
    : audioManager_(audioManager),
      header_(new FileHeader(magic, version)),
      folder_(folder),
      indexFile_(new PlayerFile(*header_, folder + L"\\profiles.pmf")) {}

ProfileManagerBase::~ProfileManagerBase() {
    delete indexFile_;
    Vantor::DeleteAllAndClear(profiles_);
    Vantor::DeleteAllAndClear(bestTimes_);
    delete header_;
}

void ProfileManagerBase::LoadAll() {
    LoadProfiles();
    SortProfiles();
    LoadIndex();
    if (current_ == nullptr && !profiles_.empty()) SelectProfile(profiles_.front(), true);
}

void ProfileManagerBase::LoadProfiles() {
    std::vector<std::wstring> paths;
    Vantor::FileManager::Instance()->ListFiles(folder_ + L"\\profiles", L".prf", false, paths);
    for (const std::wstring& path : paths) {
        // The listing matches a part of the name; only profile files are read.
        if (!Vantor::FileManager::HasExtension(path, L"prf")) continue;
        try {
            profiles_.push_back(CreateProfile(ProfileBase::kLoadProfile, Vantor::FileManager::GetFileName(path)));
        } catch (const Vantor::Error&) {
            // The profile logged why; its file stays as it is.
        }
    }
}

void ProfileManagerBase::LoadIndex() {
    try {
        indexFile_->Read([this](Vantor::FileBinary& file) { ReadIndex(file); });
    } catch (const Vantor::FileError& error) {
        indexFile_->SetAsideDamaged(error.GetText());
        firstRun_ = true;
        current_ = nullptr;
        Vantor::DeleteAllAndClear(bestTimes_);
        Save();
    }
}

void ProfileManagerBase::ReadIndex(Vantor::FileBinary& file) {
    const std::wstring currentName = PlayerFileFields::ReadName(file);
    if (!currentName.empty()) SelectProfile(FindProfile(currentName), false);
    const std::uint32_t count = PlayerFileFields::ReadCount(file, kLevelRecordSize);
    for (std::uint32_t i = 0; i < count; ++i) {
        auto* record = new LevelRecord;
        bestTimes_.push_back(record);
        file.Read(&record->level.stage, 1, 1);
        file.Read(&record->level.level, 1, 1);
        record->name = PlayerFileFields::ReadName(file);
        std::uint8_t mode = 0;
        file.Read(&mode, 1, 1);
        record->mode = mode;
        file.Read(&record->time, sizeof(record->time), 1);
    }
}

void ProfileManagerBase::WriteIndex(Vantor::FileBinary& file) {
    PlayerFileFields::WriteName(file, current_ != nullptr ? current_->GetName() : std::wstring());
    const std::uint32_t count = static_cast<std::uint32_t>(bestTimes_.size());
    file.Write(&count, sizeof(count), 1);
    for (const LevelRecord* record : bestTimes_) {
        file.Write(&record->level.stage, 1, 1);
        file.Write(&record->level.level, 1, 1);
        PlayerFileFields::WriteName(file, record->name);
        const std::uint8_t mode = static_cast<std::uint8_t>(record->mode);
        file.Write(&mode, 1, 1);
        file.Write(&record->time, sizeof(record->time), 1);
    }
}

bool ProfileManagerBase::Save() {
    return indexFile_->Write([this](Vantor::FileBinary& file) { WriteIndex(file); });
}

ProfileBase* ProfileManagerBase::FindProfile(const std::wstring& name) const {
    for (ProfileBase* profile : profiles_)
        if (SameName(profile->GetName(), name)) return profile;
    return nullptr;
}

void ProfileManagerBase::SortProfiles() {
    std::sort(profiles_.begin(), profiles_.end(), [](const ProfileBase* a, const ProfileBase* b) {
        return Vantor::ToLower(a->GetName()) < Vantor::ToLower(b->GetName());
    });
}

void ProfileManagerBase::SelectProfile(ProfileBase* profile, bool save) {
    current_ = profile;
    if (save) Save();
}

ProfileBase* ProfileManagerBase::CreateProfileIfMissing(const std::wstring& name) {
    if (ProfileBase* existing = FindProfile(name)) return existing;
    ProfileBase* profile = CreateProfile(ProfileBase::kCreateProfile, name);
    profiles_.push_back(profile);
    SortProfiles();
    Save();
    return profile;
}

void ProfileManagerBase::RenameProfile(const std::wstring& oldName, const std::wstring& newName) {
    ProfileBase* profile = FindProfile(oldName);
    if (profile == nullptr || FindProfile(newName) != nullptr) return;
    profile->Rename(newName);
    SortProfiles();
    Save();
}

void ProfileManagerBase::DeleteProfile(const std::wstring& name) {
    ProfileBase* profile = FindProfile(name);
    if (profile == nullptr) return;
    profile->DeleteFiles();
    std::erase(profiles_, profile);
    if (current_ == profile) SelectProfile(profiles_.empty() ? nullptr : profiles_.front(), false);
    delete profile;
    Save();
}

bool ProfileManagerBase::RecordBestTime(const LevelKey& level, const std::wstring& name, int mode, float time) {
    const auto found = std::find_if(bestTimes_.begin(), bestTimes_.end(), [&](const LevelRecord* record) {
        return record->level == level && record->mode == mode;
    });
    LevelRecord* record = nullptr;
    if (found != bestTimes_.end()) {
        record = *found;
        if (!(time < record->time)) return false;
    } else {
        record = new LevelRecord;
        record->level = level;
        record->mode = mode;
        bestTimes_.push_back(record);
    }
    record->name = name;
    record->time = time;
    Save();
    return true;
}

}  // namespace GameFramework
