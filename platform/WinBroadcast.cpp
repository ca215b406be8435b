#include "platform/WinBroadcast.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>

#include "platform/WinFolders.h"
#include "platform/WinMessageQueue.h"
#include "platform/WinWindowRegistry.h"

namespace platform::win {

namespace {

constexpr const char* kInboxSuffix = ".inbox";

struct Datagram {
    std::uint64_t message;
    std::uint64_t wParam;
    std::int64_t lParam;
};

struct Inbox {
    std::mutex mutex;
    int socket = -1;
    std::string folder;
    std::string path;
};

Inbox& TheInbox() {
    static Inbox inbox;
    return inbox;
}

// False for a path too long for a socket address.
bool AddressOf(const std::string& path, sockaddr_un& address) {
    address = {};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof(address.sun_path)) return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

void CloseInbox(Inbox& inbox) {
    if (inbox.socket < 0) return;
    close(inbox.socket);
    unlink(inbox.path.c_str());
    rmdir(inbox.folder.c_str());
    inbox.socket = -1;
    inbox.folder.clear();
    inbox.path.clear();
}

void OpenInbox(Inbox& inbox, const std::string& folder) {
    CloseInbox(inbox);
    const std::string path = folder + "/" + std::to_string(getpid()) + kInboxSuffix;
    sockaddr_un address;
    if (!AddressOf(path, address)) return;
    const int socket = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (socket < 0) return;
    unlink(path.c_str());  // left by an ended process of the same number
    if (bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0) {
        close(socket);
        return;
    }
    inbox.socket = socket;
    inbox.folder = folder;
    inbox.path = path;
}

void CloseAtExit() {
    Inbox& inbox = TheInbox();
    std::lock_guard lock(inbox.mutex);
    CloseInbox(inbox);
}

}  // namespace

void BroadcastToOtherProcesses(UINT message, WPARAM wParam, LPARAM lParam) {
    const std::optional<std::string> folder = SessionFolder();
    if (!folder) return;
    const int socket = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (socket < 0) return;
    const std::string own = std::to_string(getpid()) + kInboxSuffix;
    const Datagram datagram{message, static_cast<std::uint64_t>(wParam), static_cast<std::int64_t>(lParam)};
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(*folder, error)) {
        const std::string name = entry.path().filename().string();
        if (name == own || !name.ends_with(kInboxSuffix)) continue;
        sockaddr_un address;
        if (!AddressOf(entry.path().string(), address)) continue;
        if (sendto(socket, &datagram, sizeof(datagram), MSG_DONTWAIT, reinterpret_cast<const sockaddr*>(&address),
                   sizeof(address)) < 0 &&
            errno == ECONNREFUSED)
            unlink(entry.path().c_str());  // nobody reads it any more
    }
    close(socket);
}

void ReceiveBroadcasts() {
    // The inbox outlives the exit handler that closes it.
    Inbox& inbox = TheInbox();
    static const bool registered = std::atexit(CloseAtExit) == 0;
    (void)registered;
    const std::vector<HWND> windows = TopLevelWindows();
    std::lock_guard lock(inbox.mutex);
    if (windows.empty()) {
        CloseInbox(inbox);
        return;
    }
    const std::optional<std::string> folder = SessionFolder();
    if (!folder) return;
    if (inbox.folder != *folder) OpenInbox(inbox, *folder);
    if (inbox.socket < 0) return;
    Datagram datagram;
    while (recv(inbox.socket, &datagram, sizeof(datagram), 0) == static_cast<ssize_t>(sizeof(datagram))) {
        for (HWND window : windows)
            Post(window, static_cast<UINT>(datagram.message), static_cast<WPARAM>(datagram.wParam),
                 static_cast<LPARAM>(datagram.lParam));
    }
}

}  // namespace platform::win
