#include "platform/WinMessageQueue.h"

#include <deque>
#include <map>
#include <mutex>
#include <thread>

#include "platform/WinInput.h"
#include "platform/WinWindowRegistry.h"

namespace platform::win {

namespace {

struct QueueEntry {
    MSG message{};
    std::wstring text;
    std::function<void()> action;
};

struct ThreadQueue {
    std::deque<QueueEntry> entries;
    DWORD translationSequence = 0;  // the key-down message taken last
    std::wstring translationText;
};

struct Queues {
    std::mutex mutex;
    std::map<std::thread::id, ThreadQueue> byThread;
    DWORD nextSequence = 0;
};

Queues& TheQueues() {
    static Queues queues;
    return queues;
}

bool IsKeyDownMessage(UINT message) { return message == WM_KEYDOWN || message == WM_SYSKEYDOWN; }

bool Passes(const MSG& message, HWND filterWindow, UINT filterMin, UINT filterMax) {
    if (filterWindow && message.hwnd != filterWindow) return false;
    if (filterMin == 0 && filterMax == 0) return true;
    return message.message >= filterMin && message.message <= filterMax;
}

bool TargetThread(HWND window, std::thread::id& thread) {
    if (!window) {
        thread = std::this_thread::get_id();
        return true;
    }
    return OwnerThread(window, thread);
}

}  // namespace

DWORD Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam, std::wstring text) {
    std::thread::id thread;
    if (!TargetThread(window, thread)) return 0;
    QueueEntry entry;
    entry.message = MSG{window, message, wParam, lParam, input::TimeStamp(), input::CursorPosition(), 0};
    entry.text = std::move(text);
    Queues& queues = TheQueues();
    std::lock_guard lock(queues.mutex);
    if (++queues.nextSequence == 0) ++queues.nextSequence;
    entry.message.lPrivate = queues.nextSequence;
    queues.byThread[thread].entries.push_back(std::move(entry));
    return queues.nextSequence;
}

bool PostAction(HWND window, std::function<void()> action) {
    std::thread::id thread;
    if (!TargetThread(window, thread)) return false;
    QueueEntry entry;
    entry.action = std::move(action);
    Queues& queues = TheQueues();
    std::lock_guard lock(queues.mutex);
    queues.byThread[thread].entries.push_back(std::move(entry));
    return true;
}

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* record = Find(window);
    if (!record || !record->procedure) return 0;
    if (!IsOnCallingThread(*record)) {
        PostAction(window, [=] { Send(window, message, wParam, lParam); });
        return 0;
    }
    return record->procedure(window, message, wParam, lParam);
}

bool AttachText(DWORD sequence, const std::wstring& text) {
    Queues& queues = TheQueues();
    std::lock_guard lock(queues.mutex);
    for (auto& [thread, queue] : queues.byThread) {
        if (queue.translationSequence == sequence) {
            queue.translationText += text;
            return true;
        }
        for (QueueEntry& entry : queue.entries) {
            if (!entry.action && entry.message.lPrivate == sequence) {
                entry.text += text;
                return true;
            }
        }
    }
    return false;
}

void DiscardMessagesFor(HWND window) {
    Queues& queues = TheQueues();
    std::lock_guard lock(queues.mutex);
    for (auto& [thread, queue] : queues.byThread)
        std::erase_if(queue.entries, [window](const QueueEntry& e) { return !e.action && e.message.hwnd == window; });
}

bool Take(MSG& message, HWND filterWindow, UINT filterMin, UINT filterMax, bool remove) {
    Queues& queues = TheQueues();
    std::unique_lock lock(queues.mutex);
    ThreadQueue* queue = &queues.byThread[std::this_thread::get_id()];
    for (size_t i = 0; i < queue->entries.size();) {
        QueueEntry& entry = queue->entries[i];
        if (entry.action) {
            std::function<void()> action = std::move(entry.action);
            queue->entries.erase(queue->entries.begin() + static_cast<std::ptrdiff_t>(i));
            lock.unlock();
            action();
            lock.lock();
            queue = &queues.byThread[std::this_thread::get_id()];
            continue;  // the action may have changed the queue: look again from the same place
        }
        if (!Passes(entry.message, filterWindow, filterMin, filterMax)) {
            ++i;
            continue;
        }
        message = entry.message;
        if (remove) {
            if (IsKeyDownMessage(message.message)) {
                queue->translationSequence = message.lPrivate;
                queue->translationText = std::move(entry.text);
            }
            queue->entries.erase(queue->entries.begin() + static_cast<std::ptrdiff_t>(i));
        }
        return true;
    }
    return false;
}

std::wstring TakeTranslation(const MSG& message) {
    Queues& queues = TheQueues();
    std::lock_guard lock(queues.mutex);
    ThreadQueue& queue = queues.byThread[std::this_thread::get_id()];
    if (message.lPrivate == 0 || queue.translationSequence != message.lPrivate) return {};
    queue.translationSequence = 0;
    return std::move(queue.translationText);
}

void PostAtFront(const std::vector<MSG>& messages) {
    Queues& queues = TheQueues();
    std::lock_guard lock(queues.mutex);
    ThreadQueue& queue = queues.byThread[std::this_thread::get_id()];
    for (auto it = messages.rbegin(); it != messages.rend(); ++it) {
        QueueEntry entry;
        entry.message = *it;
        if (++queues.nextSequence == 0) ++queues.nextSequence;
        entry.message.lPrivate = queues.nextSequence;
        queue.entries.push_front(std::move(entry));
    }
}

void ClearQueues() {
    Queues& queues = TheQueues();
    std::lock_guard lock(queues.mutex);
    queues.byThread.clear();
}

}  // namespace platform::win
