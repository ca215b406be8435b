#include "platform/WinMutex.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <optional>
#include <memory>
#include <mutex>
#include <string>

#include "platform/Utf.h"
#include "platform/WinError.h"
#include "platform/WinFolders.h"
#include "platform/WinHandles.h"

namespace {

// The locked file of a name this process created first; shared by all its handles here.
// Released, the file goes (a process that opened it meanwhile still locks it first),
// and with the last one the session folder.
class MutexLock {
public:
    MutexLock(int descriptor, std::string folder, std::string path)
        : descriptor_(descriptor), folder_(std::move(folder)), path_(std::move(path)) {}
    ~MutexLock() {
        unlink(path_.c_str());
        close(descriptor_);
        rmdir(folder_.c_str());
    }
    MutexLock(const MutexLock&) = delete;
    MutexLock& operator=(const MutexLock&) = delete;

private:
    int descriptor_;
    std::string folder_;
    std::string path_;
};

class NamedMutex : public platform::KernelObject {
public:
    explicit NamedMutex(std::shared_ptr<MutexLock> lock) : lock_(std::move(lock)) {}

private:
    std::shared_ptr<MutexLock> lock_;  // null for a handle to a name held elsewhere
};

struct HeldNames {
    std::mutex mutex;
    // By lock file: one name in two session folders is two mutexes.
    std::map<std::string, std::weak_ptr<MutexLock>> byPath;
};

HeldNames& Held() {
    static HeldNames held;
    return held;
}

// Letters, digits and a few safe marks stay; every other byte of the UTF-8 name is
// written as %XX, so that any name makes one plain file name.
std::string FileNameOf(const std::wstring& name) {
    static const char* kHex = "0123456789ABCDEF";
    std::string file;
    for (unsigned char c : platform::Utf16ToUtf8(name)) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ' ||
                           c == '-' || c == '_';
        if (plain) {
            file += static_cast<char>(c);
        } else {
            file += '%';
            file += kHex[c >> 4];
            file += kHex[c & 15];
        }
    }
    return file + ".mutex";
}

bool IsStillNamed(int descriptor, const std::string& path) {
    struct stat opened {};
    struct stat named {};
    return fstat(descriptor, &opened) == 0 && stat(path.c_str(), &named) == 0 && opened.st_ino == named.st_ino &&
           opened.st_dev == named.st_dev;
}

HANDLE Handed(std::shared_ptr<MutexLock> lock, DWORD lastError) {
    HANDLE handle = platform::AddHandle(std::make_unique<NamedMutex>(std::move(lock)));
    SetLastError(lastError);
    return handle;
}

}  // namespace

HANDLE CreateMutexW(LPSECURITY_ATTRIBUTES, BOOL, LPCWSTR name) {
    if (!name || !*name) return Handed(nullptr, ERROR_SUCCESS);
    const std::optional<std::string> folder = platform::SessionFolder();
    if (!folder) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    const std::string path = *folder + "/" + FileNameOf(name);
    HeldNames& held = Held();
    std::lock_guard guard(held.mutex);
    if (std::shared_ptr<MutexLock> lock = held.byPath[path].lock()) return Handed(lock, ERROR_ALREADY_EXISTS);
    int descriptor = -1;
    // A lock taken on a file its holder removed meanwhile is no lock: try the new file.
    for (int attempt = 0; attempt < 8 && descriptor < 0; ++attempt) {
        descriptor = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (descriptor < 0) break;
        if (flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
            // Another process of the user holds the name.
            close(descriptor);
            return Handed(nullptr, ERROR_ALREADY_EXISTS);
        }
        if (!IsStillNamed(descriptor, path)) {
            close(descriptor);
            descriptor = -1;
        }
    }
    if (descriptor < 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    auto lock = std::make_shared<MutexLock>(descriptor, *folder, path);
    held.byPath[path] = lock;
    return Handed(lock, ERROR_SUCCESS);
}
