#include "engine/kernel/EngineFile.h"

#include "platform/WinFiles.h"

namespace Vantor {

EngineFile::EngineFile(const std::wstring& path, int accessMode, int flushMode)
    : path_(path), accessMode_(accessMode), flushMode_(flushMode) {
    DWORD access = 0;
    DWORD share = 0;
    DWORD disposition = 0;
    if (accessMode == 0 || accessMode == 1) {
        access = GENERIC_READ;
        share = FILE_SHARE_READ;
        disposition = OPEN_EXISTING;
    } else if (accessMode == 2 || accessMode == 3) {
        access = GENERIC_WRITE;
        disposition = CREATE_ALWAYS;
    } else {
        throw OpenFailure{};
    }
    DWORD attributes = FILE_ATTRIBUTE_NORMAL;
    if (flushMode == 1 || flushMode == 2) attributes |= FILE_FLAG_WRITE_THROUGH;

    handle_ = CreateFileW(path.c_str(), access, share, nullptr, disposition, attributes, nullptr);
    if (handle_ == nullptr || handle_ == INVALID_HANDLE_VALUE) throw OpenFailure{};
    if (!IsWriting()) size_ = GetFileSize(handle_, nullptr);
}

EngineFile::~EngineFile() {
    if (unflushed_ && flushMode_ == 1) FlushFileBuffers(handle_);
    CloseHandle(handle_);
}

int EngineFile::Tell() const {
    return static_cast<int>(SetFilePointer(handle_, 0, nullptr, FILE_CURRENT));
}

int EngineFile::Seek(int origin, std::int32_t offset) {
    DWORD method = 0;
    switch (origin) {
        case 0: method = FILE_BEGIN; break;
        case 1: method = FILE_END; break;
        case 2: method = FILE_CURRENT; break;
        default: return Tell();
    }
    return static_cast<int>(SetFilePointer(handle_, offset, nullptr, method));
}

void EngineFile::Read(void* data, std::uint32_t count, std::uint32_t* bytesRead) {
    DWORD read = 0;
    if (!ReadFile(handle_, data, count, &read, nullptr)) read = 0;
    if (bytesRead != nullptr) *bytesRead = read;
}

void EngineFile::Write(const void* data, std::uint32_t count, std::uint32_t* bytesWritten) {
    DWORD written = 0;
    if (!WriteFile(handle_, data, count, &written, nullptr)) written = 0;
    unflushed_ = true;
    if (flushMode_ == 2) Flush();
    if (bytesWritten != nullptr) *bytesWritten = written;
}

bool EngineFile::Flush() {
    unflushed_ = false;
    return FlushFileBuffers(handle_) != FALSE;
}

}  // namespace Vantor
