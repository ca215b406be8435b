#include "platform/WinWindowRegistry.h"

#include <algorithm>
#include <map>
#include <mutex>

#include "platform/WinDisplay.h"

namespace platform::win {

namespace {

// Frame metrics of the layer's windows (pixels).
constexpr LONG CaptionHeight = 23;
constexpr LONG SizingFrame = 8;
constexpr LONG FixedFrame = 3;
constexpr LONG Border = 1;
constexpr LONG ClientEdge = 2;
constexpr LONG MenuHeight = 19;

struct Registry {
    std::mutex mutex;
    std::map<HWND, std::unique_ptr<Window>> windows;
    std::vector<HWND> order;  // creation order
    std::vector<WindowClass> classes;
    uintptr_t nextHandle = 0x10000;
    ATOM nextAtom = 0xC000;
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

bool SameName(const std::wstring& a, const wchar_t* b) {
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i) {
        auto fold = [](wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : c; };
        if (fold(a[i]) != fold(b[i])) return false;
    }
    return i == a.size() && b[i] == 0;
}

std::vector<WindowClass>::iterator ClassPosition(Registry& registry, LPCWSTR nameOrAtom) {
    if (!nameOrAtom) return registry.classes.end();
    if (IS_INTRESOURCE(nameOrAtom)) {
        auto atom = static_cast<ATOM>(reinterpret_cast<uintptr_t>(nameOrAtom));
        return std::find_if(registry.classes.begin(), registry.classes.end(),
                            [atom](const WindowClass& c) { return c.atom == atom; });
    }
    return std::find_if(registry.classes.begin(), registry.classes.end(),
                        [nameOrAtom](const WindowClass& c) { return SameName(c.name, nameOrAtom); });
}

}  // namespace

Window* Find(HWND handle) {
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    auto it = registry.windows.find(handle);
    return it == registry.windows.end() ? nullptr : it->second.get();
}

Window* Add(std::unique_ptr<Window> window) {
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    Window* record = window.get();
    registry.order.push_back(window->handle);
    registry.windows[window->handle] = std::move(window);
    return record;
}

void Remove(HWND handle) {
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    registry.windows.erase(handle);
    registry.order.erase(std::remove(registry.order.begin(), registry.order.end(), handle), registry.order.end());
}

HWND NewHandle() {
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    // Handles are never reused, so a stale handle never names a newer window.
    registry.nextHandle += 0x10;
    return reinterpret_cast<HWND>(registry.nextHandle);
}

HWND DesktopHandle() { return reinterpret_cast<HWND>(static_cast<uintptr_t>(0x10000)); }

bool OwnerThread(HWND handle, std::thread::id& thread) {
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    auto it = registry.windows.find(handle);
    if (it == registry.windows.end()) return false;
    thread = it->second->thread;
    return true;
}

std::vector<HWND> TopLevelWindows() {
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    std::vector<HWND> result;
    for (HWND handle : registry.order)
        if (!(registry.windows[handle]->style & WS_CHILD)) result.push_back(handle);
    return result;
}

std::vector<HWND> Children(HWND parent) {
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    std::vector<HWND> result;
    for (HWND handle : registry.order)
        if (registry.windows[handle]->parent == parent) result.push_back(handle);
    return result;
}

HWND TopLevelOf(HWND handle) {
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    auto it = registry.windows.find(handle);
    while (it != registry.windows.end() && (it->second->style & WS_CHILD) && it->second->parent) {
        auto parent = registry.windows.find(it->second->parent);
        if (parent == registry.windows.end()) break;
        it = parent;
    }
    return it == registry.windows.end() ? nullptr : it->first;
}

HWND WindowFromPresentationId(uint32_t id) {
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    for (auto& [handle, window] : registry.windows)
        if (window->presentation.window && window->presentation.id == id) return handle;
    return nullptr;
}

const WindowClass* FindClass(LPCWSTR nameOrAtom) {
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    auto it = ClassPosition(registry, nameOrAtom);
    return it == registry.classes.end() ? nullptr : &*it;
}

ATOM AddClass(WindowClass windowClass) {
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    if (ClassPosition(registry, windowClass.name.c_str()) != registry.classes.end()) return 0;
    windowClass.atom = registry.nextAtom++;
    registry.classes.push_back(std::move(windowClass));
    return registry.classes.back().atom;
}

bool RemoveClass(LPCWSTR nameOrAtom) {
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    auto it = ClassPosition(registry, nameOrAtom);
    if (it == registry.classes.end()) return false;
    registry.classes.erase(it);
    return true;
}

bool ClassInUse(ATOM atom) {
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    return std::any_of(registry.windows.begin(), registry.windows.end(),
                       [atom](const auto& entry) { return entry.second->classAtom == atom; });
}

std::vector<std::unique_ptr<Window>> TakeAllWindows() {
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    std::vector<std::unique_ptr<Window>> all;
    for (auto& entry : registry.windows) all.push_back(std::move(entry.second));
    registry.windows.clear();
    registry.order.clear();
    return all;
}

void ClearClasses() {
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    registry.classes.clear();
}

RECT FrameInsets(DWORD style, DWORD exStyle, bool menu) {
    LONG side = 0;
    if (style & WS_THICKFRAME)
        side = SizingFrame;
    else if (style & WS_DLGFRAME)
        side = FixedFrame;
    else if (style & WS_BORDER)
        side = Border;
    if (exStyle & WS_EX_CLIENTEDGE) side += ClientEdge;
    LONG top = side;
    if ((style & WS_CAPTION) == WS_CAPTION) top += CaptionHeight;
    if (menu) top += MenuHeight;
    return RECT{side, top, side, side};
}

POINT ClientOrigin(const Window& window) {
    POINT origin{window.rect.left + window.frame.left, window.rect.top + window.frame.top};
    if ((window.style & WS_CHILD) && window.parent) {
        if (const Window* parent = Find(window.parent)) {
            POINT parentOrigin = ClientOrigin(*parent);
            origin.x += parentOrigin.x;
            origin.y += parentOrigin.y;
        }
    }
    return origin;
}

int ClientWidth(const Window& window) {
    if (window.minimized) return 0;
    return std::max<LONG>(0, window.rect.right - window.rect.left - window.frame.left - window.frame.right);
}

int ClientHeight(const Window& window) {
    if (window.minimized) return 0;
    return std::max<LONG>(0, window.rect.bottom - window.rect.top - window.frame.top - window.frame.bottom);
}

bool IsFullScreen(const Window& window) {
    if (!window.shown || window.minimized || (window.style & WS_CHILD)) return false;
    if ((window.style & WS_CAPTION) == WS_CAPTION || (window.style & WS_THICKFRAME)) return false;
    DisplayMode mode = CurrentDisplayMode();
    return window.rect.left <= 0 && window.rect.top <= 0 && window.rect.right >= mode.width &&
           window.rect.bottom >= mode.height;
}

bool IsOnCallingThread(const Window& window) { return window.thread == std::this_thread::get_id(); }

Window* FindOwn(HWND handle) {
    Window* window = Find(handle);
    return (window && IsOnCallingThread(*window)) ? window : nullptr;
}

}  // namespace platform::win
