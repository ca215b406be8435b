#include "framework/HighScoresTable.h"

#include <algorithm>

#include "engine/kernel/ContainerHelpers.h"
#include "engine/kernel/FileBinary.h"
#include "engine/kernel/FileError.h"
#include "framework/FileHeader.h"
#include "framework/HighScoreEntry.h"
#include "framework/PlayerFile.h"
#include "framework/PlayerFileFields.h"

namespace GameFramework {

namespace {

// The shortest stored name and the key, score and number.
constexpr std::uint32_t kEntrySize = 1 + 3 * 4;

bool RanksBefore(const HighScoreEntry* a, const HighScoreEntry* b) {
    return a->score != b->score ? a->score > b->score : a->number < b->number;
}

std::int32_t ReadInt(Vantor::FileBinary& file) {
    std::int32_t value = 0;
    file.Read(&value, sizeof(value), 1);
    return value;
}

void WriteInt(Vantor::FileBinary& file, std::int32_t value) { file.Write(&value, sizeof(value), 1); }

}  // namespace

HighScoresTable::HighScoresTable(std::int32_t limit, const std::wstring& folder)
    : header_(new FileHeader("GFHSF", 101)),
      limit_(limit),
      folder_(folder),
      file_(new PlayerFile(*header_, folder + L"\\high_scores.hsf")) {
    Load();
}

HighScoresTable::~HighScoresTable() {
    delete file_;
    Vantor::DeleteAllAndClear(entries_);
    delete header_;
}

void HighScoresTable::Load() {
    try {
        file_->Read([this](Vantor::FileBinary& file) { ReadTable(file); });
    } catch (const Vantor::FileError& error) {
        file_->SetAsideDamaged(error.GetText());
        Clear();
    }
}

void HighScoresTable::ReadTable(Vantor::FileBinary& file) {
    nextNumber_ = ReadInt(file);
    const std::uint32_t count = PlayerFileFields::ReadCount(file, kEntrySize);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::wstring name = PlayerFileFields::ReadName(file);
        const std::int32_t key = ReadInt(file);
        const std::int32_t score = ReadInt(file);
        AddEntry(name, key, score, ReadInt(file));
    }
}

void HighScoresTable::WriteTable(Vantor::FileBinary& file) const {
    WriteInt(file, nextNumber_);
    WriteInt(file, static_cast<std::int32_t>(entries_.size()));
    for (const HighScoreEntry* entry : entries_) {
        PlayerFileFields::WriteName(file, entry->name);
        WriteInt(file, entry->key);
        WriteInt(file, entry->score);
        WriteInt(file, entry->number);
    }
}

bool HighScoresTable::Save() {
    return file_->Write([this](Vantor::FileBinary& file) { WriteTable(file); });
}

HighScoreEntry* HighScoresTable::AddEntry(const std::wstring& name, std::int32_t key, std::int32_t score,
                                          std::int32_t number) {
    entries_.push_back(new HighScoreEntry{name, key, score, number});
    return entries_.back();
}

HighScoreEntry* HighScoresTable::Insert(const std::wstring& name, std::int32_t key, std::int32_t score) {
    HighScoreEntry* entry = AddEntry(name, key, score, nextNumber_++);
    std::sort(entries_.begin(), entries_.end(), RanksBefore);
    const auto ahead = std::count_if(entries_.begin(), std::find(entries_.begin(), entries_.end(), entry),
                                     [key](const HighScoreEntry* other) { return other->key == key; });
    const bool stays = ahead < limit_;
    Trim(key);
    Save();
    return stays ? entry : nullptr;
}

void HighScoresTable::Trim(std::int32_t key) {
    std::int32_t kept = 0;
    for (HighScoreEntry*& entry : entries_) {
        if (entry->key != key || kept++ < limit_) continue;
        delete entry;
        entry = nullptr;
    }
    Vantor::RemoveNulls(entries_);
}

unsigned HighScoresTable::GetCount(std::int32_t key) const {
    return static_cast<unsigned>(
        std::count_if(entries_.begin(), entries_.end(), [key](const HighScoreEntry* entry) { return entry->key == key; }));
}

HighScoreEntry* HighScoresTable::GetEntry(std::int32_t key, int i) const {
    if (i < 0) return nullptr;
    for (HighScoreEntry* entry : entries_)
        if (entry->key == key && i-- == 0) return entry;
    return nullptr;
}

void HighScoresTable::Clear() {
    nextNumber_ = 0;
    Vantor::DeleteAllAndClear(entries_);
    Save();
}

}  // namespace GameFramework
