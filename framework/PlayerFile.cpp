#include "framework/PlayerFile.h"

#include <memory>

#include "engine/kernel/FileBinary.h"
#include "engine/kernel/FileError.h"
#include "engine/kernel/FileManager.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/StringHelpers.h"
#include "framework/FileHeader.h"

namespace GameFramework {

namespace {

// Enough for every damaged copy a player could collect.
constexpr int kSetAsideNames = 1000;

std::string Quoted(const std::wstring& path) { return "\"" + Vantor::ToNarrow(path) + "\""; }

std::wstring SetAsideName(const std::wstring& path, int attempt) {
    return path + L".damaged" + (attempt == 0 ? L"" : Vantor::ToWideString(attempt + 1, 0));
}

}  // namespace

PlayerFile::PlayerFile(const FileHeader& header, const std::wstring& path) : header_(header), path_(path) {}

void PlayerFile::Read(const Body& readBody) const {
    const std::unique_ptr<Vantor::FileBinary> file(header_.Open(path_, 0));
    readBody(*file);
    header_.Close(file.get());
}

bool PlayerFile::Write(const Body& writeBody) const {
    Vantor::MessageManager* log = Vantor::MessageManager::Instance();
    if (keptDamaged_) {
        log->PrintError("Not saving " + Quoted(path_) + " file over its damaged copy");
        return false;
    }
    const std::wstring temporary = TemporaryPath();
    try {
        WriteTemporary(temporary, writeBody);
        if (!Vantor::FileManager::MoveFile(temporary, path_, true))
            throw Vantor::FileError("Failed to rename " + Quoted(temporary) + " file");
        return true;
    } catch (const Vantor::FileError& error) {
        Vantor::FileManager::DeleteFile(temporary);
        log->PrintError("Failed to save " + Quoted(path_) + " file (" + error.GetText() + ")");
        return false;
    }
}

void PlayerFile::WriteTemporary(const std::wstring& temporary, const Body& writeBody) const {
    const std::unique_ptr<Vantor::FileBinary> file(header_.Open(temporary, 1));
    writeBody(*file);
    header_.Close(file.get());
    file->Flush();
}

void PlayerFile::SetAsideDamaged(const std::string& reason) {
    if (!Vantor::FileManager::ExistsOnDisk(path_)) return;
    Vantor::MessageManager* log = Vantor::MessageManager::Instance();
    for (int attempt = 0; attempt < kSetAsideNames; ++attempt) {
        const std::wstring aside = SetAsideName(path_, attempt);
        if (Vantor::FileManager::ExistsOnDisk(aside) || !Vantor::FileManager::MoveFile(path_, aside, false)) continue;
        log->PrintWarning("Damaged " + Quoted(path_) + " file set aside as " + Quoted(aside) + " (" + reason + ")");
        return;
    }
    keptDamaged_ = true;
    log->PrintError("Failed to set damaged " + Quoted(path_) + " file aside, it is kept and not written over (" +
                    reason + ")");
}

std::wstring PlayerFile::TemporaryPath() const {
    const std::wstring name = Vantor::Replaced(Vantor::FileManager::GetFileName(path_), L".", L"_");
    return Vantor::FileManager::GetFolder(path_) + L"\\~" + name + L".saving";
}

}  // namespace GameFramework
