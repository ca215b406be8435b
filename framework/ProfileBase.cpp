#include "framework/ProfileBase.h"

#include "engine/kernel/ContainerHelpers.h"
#include "engine/kernel/Error.h"
#include "engine/kernel/FileBinary.h"
#include "engine/kernel/FileError.h"
#include "engine/kernel/FileManager.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/Random.h"
#include "engine/kernel/StringHelpers.h"
#include "framework/FileHeader.h"
#include "framework/PlayerFile.h"
#include "framework/PlayerFileFields.h"
#include "framework/ProfileLevelStatisticsBase.h"

namespace GameFramework {

namespace {

// Characters of a file name before its extension (also the most letters taken from the
// name, which keeps file names of long names within the file system's limits), and the
// tries to find a free one.
constexpr std::size_t kFileNameLength = 16;
constexpr int kFileNameTries = 1024;
// Letters kept when every try was taken, leaving room for at least seven digits.
constexpr std::size_t kShortenedLetters = 8;
// Mode, stage and level bytes and the time.
constexpr std::uint32_t kStatisticsRecordSize = 7;

const wchar_t kExtension[] = L".prf";

wchar_t RandomDigit() { return static_cast<wchar_t>(Vantor::RandomRange(L'0', L'9')); }

std::uint8_t ReadByte(Vantor::FileBinary& file) {
    std::uint8_t value = 0;
    file.Read(&value, 1, 1);
    return value;
}

void WriteByte(Vantor::FileBinary& file, std::uint8_t value) { file.Write(&value, 1, 1); }

void ReadKey(Vantor::FileBinary& file, LevelKey& key) {
    key.stage = ReadByte(file);
    key.level = ReadByte(file);
}

void WriteKey(Vantor::FileBinary& file, const LevelKey& key) {
    WriteByte(file, key.stage);
    WriteByte(file, key.level);
}

bool SameLevel(const ProfileLevelStatisticsBase& a, const ProfileLevelStatisticsBase& b) {
    return a.mode == b.mode && a.level == b.level;
}

}  // namespace

ProfileBase::ProfileBase(const std::wstring& folder, const std::string& magic, std::int32_t version)
    : header_(new FileHeader(magic, version)), folder_(folder) {}

ProfileBase::~ProfileBase() {
    Vantor::DeleteAllAndClear(levelStatistics_);
    delete header_;
}

void ProfileBase::ResetGameProgress() {
    progress_ = kStartProgress;
    gameScore_ = 0;
}

ProfileLevelStatisticsBase* ProfileBase::CreateLevelStatistics() { return new ProfileLevelStatisticsBase; }

std::wstring ProfileBase::GetFilePath(const std::wstring& fileName) const {
    return folder_ + L"\\profiles\\" + fileName;
}

void ProfileBase::Open(int mode, const std::wstring& text) {
    if (mode == kCreateProfile)
        Create(text);
    else
        Load(text);
}

void ProfileBase::Create(const std::wstring& typedName) {
    name_ = Vantor::Trimmed(typedName);
    mode_ = 0;
    gameInProgress_ = false;
    currentLevel_ = LevelKey{};
    maxLevel_ = LevelKey{};
    completed_ = false;
    ResetGameProgress();
    SetFileName(ChooseFileName());
    Save();
}

void ProfileBase::Load(const std::wstring& fileName) {
    SetFileName(fileName);
    try {
        PlayerFile(*header_, GetFilePath(fileName_)).Read([this](Vantor::FileBinary& file) { ReadBody(file); });
    } catch (const Vantor::FileError& error) {
        Vantor::MessageManager::Instance()->PrintError(error.GetText());
        Vantor::DeleteAllAndClear(levelStatistics_);
        throw Vantor::Error("");
    }
}

void ProfileBase::SetFileName(const std::wstring& fileName) {
    fileName_ = fileName;
    sidePath_ = GetFilePath(fileName_);
    Vantor::FileManager::ChangeExtension(sidePath_, L"");
}

std::wstring ProfileBase::ChooseFileName() const {
    std::wstring letters;
    for (wchar_t character : Vantor::ToLower(name_))
        if (character >= L'a' && character <= L'z' && letters.size() < kFileNameLength) letters += character;
    // Letters that leave no room for digits give the same name at every try.
    const bool hasDigits = letters.size() < kFileNameLength - 1;
    for (int attempt = 0; attempt < (hasDigits ? kFileNameTries : 1); ++attempt) {
        std::wstring candidate = letters;
        if (hasDigits) {
            candidate += L'_';
            while (candidate.size() < kFileNameLength) candidate += RandomDigit();
        }
        candidate += kExtension;
        if (!IsFileNameTaken(candidate)) return candidate;
    }
    return FreeShortenedFileName(letters);
}

std::wstring ProfileBase::FreeShortenedFileName(const std::wstring& letters) const {
    const std::wstring prefix = letters.substr(0, kShortenedLetters) + L'_';
    const int digits = static_cast<int>(kFileNameLength - prefix.size());
    // Counting through every number of that many digits ends at a free name long
    // before the numbers run out.
    for (unsigned long long number = 0;; ++number) {
        std::wstring candidate = std::to_wstring(number);
        candidate = prefix + std::wstring(digits - candidate.size(), L'0') + candidate + kExtension;
        if (!IsFileNameTaken(candidate)) return candidate;
    }
}

bool ProfileBase::IsFileNameTaken(const std::wstring& fileName) const {
    return Vantor::FileManager::Instance()->Exists(GetFilePath(fileName));
}

bool ProfileBase::Save() {
    return PlayerFile(*header_, GetFilePath(fileName_)).Write([this](Vantor::FileBinary& file) { WriteBody(file); });
}

void ProfileBase::Rename(const std::wstring& name) {
    name_ = Vantor::Trimmed(name);
    Save();
}

void ProfileBase::DeleteFiles() {
    Vantor::FileManager::DeleteFile(GetFilePath(fileName_));
    Vantor::FileManager::DeleteFile(sidePath_);
}

void ProfileBase::AddLevelStatistics(ProfileLevelStatisticsBase* record) {
    bool merged = false;
    for (ProfileLevelStatisticsBase* existing : levelStatistics_) {
        if (!SameLevel(*existing, *record)) continue;
        existing->Merge(*record);
        merged = true;
        break;
    }
    if (merged)
        delete record;
    else
        levelStatistics_.push_back(record);
    Save();
}

void ProfileBase::SetCurrentLevel(const LevelKey& key) {
    if (key == currentLevel_) return;
    currentLevel_ = key;
    Save();
}

void ProfileBase::SetMaxLevel(const LevelKey& key, bool completed) {
    if (key < maxLevel_ || (key == maxLevel_ && !completed)) return;
    maxLevel_ = key;
    completed_ = completed;
    Save();
}

void ProfileBase::SetShownBit(unsigned n, bool value) {
    if (n >= kShownBitCount || IsShownBitSet(n) == value) return;
    const std::uint8_t bit = static_cast<std::uint8_t>(1u << (n % 8));
    if (value)
        shownBits_[n / 8] |= bit;
    else
        shownBits_[n / 8] &= static_cast<std::uint8_t>(~bit);
    Save();
}

bool ProfileBase::IsShownBitSet(unsigned n) const {
    return n < kShownBitCount && (shownBits_[n / 8] >> (n % 8) & 1) != 0;
}

void ProfileBase::WriteBody(Vantor::FileBinary& file) {
    PlayerFileFields::WriteName(file, name_);
    WriteByte(file, mode_);
    WriteByte(file, progress_);
    WriteByte(file, gameScore_);
    WriteKey(file, currentLevel_);
    WriteKey(file, maxLevel_);
    WriteByte(file, completed_ ? 1 : 0);
    const std::uint32_t count = static_cast<std::uint32_t>(levelStatistics_.size());
    file.Write(&count, sizeof(count), 1);
    for (const ProfileLevelStatisticsBase* record : levelStatistics_) WriteLevelStatistics(file, *record);
    file.Write(shownBits_, 1, sizeof(shownBits_));
    WriteByte(file, gameInProgress_ ? 1 : 0);
}

void ProfileBase::ReadBody(Vantor::FileBinary& file) {
    name_ = PlayerFileFields::ReadName(file);
    mode_ = ReadByte(file);
    progress_ = ReadByte(file);
    gameScore_ = ReadByte(file);
    ReadKey(file, currentLevel_);
    ReadKey(file, maxLevel_);
    completed_ = ReadByte(file) != 0;
    const std::uint32_t count = PlayerFileFields::ReadCount(file, kStatisticsRecordSize);
    for (std::uint32_t i = 0; i < count; ++i) {
        levelStatistics_.push_back(CreateLevelStatistics());
        ReadLevelStatistics(file, *levelStatistics_.back());
    }
    file.Read(shownBits_, 1, sizeof(shownBits_));
    gameInProgress_ = ReadByte(file) != 0;
}

void ProfileBase::WriteLevelStatistics(Vantor::FileBinary& file, const ProfileLevelStatisticsBase& record) {
    WriteByte(file, record.mode);
    WriteKey(file, record.level);
    file.Write(&record.time, sizeof(record.time), 1);
}

void ProfileBase::ReadLevelStatistics(Vantor::FileBinary& file, ProfileLevelStatisticsBase& record) {
    record.mode = ReadByte(file);
    ReadKey(file, record.level);
    file.Read(&record.time, sizeof(record.time), 1);
}

}  // namespace GameFramework
