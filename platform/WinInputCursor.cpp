// Icons and cursors: the system's built-in ones, the program's cursor resources as
// aliases of them, the program's icon pictures, the current cursor and the display
// counter.

#include <SDL.h>

#include <map>
#include <mutex>

#include "platform/Backend.h"
#include "platform/SdlEvents.h"
#include "platform/WinInput.h"
#include "platform/WinUser.h"

namespace {

constexpr WORD ArrowId = 32512;
constexpr uintptr_t CursorHandleBase = 0x50000;
constexpr uintptr_t IconHandleBase = 0x60000;
constexpr uintptr_t ProgramIconHandleBase = 0x70000;

struct SystemCursor {
    WORD id;
    SDL_SystemCursor sdl;
};

constexpr SystemCursor SystemCursors[] = {
    {32512, SDL_SYSTEM_CURSOR_ARROW},    {32513, SDL_SYSTEM_CURSOR_IBEAM},  {32514, SDL_SYSTEM_CURSOR_WAIT},
    {32515, SDL_SYSTEM_CURSOR_CROSSHAIR}, {32644, SDL_SYSTEM_CURSOR_SIZEWE}, {32645, SDL_SYSTEM_CURSOR_SIZENS},
    {32646, SDL_SYSTEM_CURSOR_SIZEALL},  {32648, SDL_SYSTEM_CURSOR_NO},     {32649, SDL_SYSTEM_CURSOR_HAND},
};

struct CursorState {
    std::mutex mutex;
    HCURSOR current = nullptr;
    bool currentChosen = false;  // until SetCursor, the arrow
    int displayCount = 0;
    std::map<WORD, WORD> resources;      // program resource -> system cursor id
    std::map<WORD, SDL_Cursor*> shapes;  // created SDL cursors, kept for the program's life
    std::map<WORD, platform::IconPicture> icons;  // program resource -> picture
};

CursorState& State() {
    static CursorState state;
    return state;
}

const SystemCursor* FindSystemCursor(WORD id) {
    for (const SystemCursor& cursor : SystemCursors)
        if (cursor.id == id) return &cursor;
    return nullptr;
}

HCURSOR CursorHandle(WORD id) { return reinterpret_cast<HCURSOR>(CursorHandleBase + id); }

WORD CursorId(HCURSOR cursor) { return static_cast<WORD>(reinterpret_cast<uintptr_t>(cursor) - CursorHandleBase); }

HCURSOR Current(CursorState& state) { return state.currentChosen ? state.current : CursorHandle(ArrowId); }

// The SDL cursor follows the current cursor and the counter (shown at 0 or more).
void Apply(CursorState& state) {
    if (platform::IsHeadless() || !platform::sdl::VideoStarted() || !platform::sdl::OnVideoThread()) return;
    HCURSOR cursor = Current(state);
    bool visible = state.displayCount >= 0 && cursor;
    if (visible) {
        WORD id = CursorId(cursor);
        SDL_Cursor*& shape = state.shapes[id];
        if (!shape)
            if (const SystemCursor* system = FindSystemCursor(id)) shape = SDL_CreateSystemCursor(system->sdl);
        if (shape) SDL_SetCursor(shape);
    }
    SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

}  // namespace

namespace platform {

void DefineCursorResource(WORD resourceId, LPCWSTR systemCursor) {
    CursorState& state = State();
    std::lock_guard lock(state.mutex);
    state.resources[resourceId] = static_cast<WORD>(reinterpret_cast<uintptr_t>(systemCursor));
}

void DefineIconResource(WORD resourceId, IconPicture picture) {
    CursorState& state = State();
    std::lock_guard lock(state.mutex);
    state.icons[resourceId] = std::move(picture);
}

const IconPicture* FindIconPicture(HICON icon) {
    auto handle = reinterpret_cast<uintptr_t>(icon);
    if (handle <= ProgramIconHandleBase || handle > ProgramIconHandleBase + 0xFFFF) return nullptr;
    CursorState& state = State();
    std::lock_guard lock(state.mutex);
    auto found = state.icons.find(static_cast<WORD>(handle - ProgramIconHandleBase));
    // Pictures stay where they are until the resources are reset.
    return found == state.icons.end() ? nullptr : &found->second;
}

}  // namespace platform

namespace platform::input {

void ResetCursor() {
    CursorState& state = State();
    std::lock_guard lock(state.mutex);
    state.current = nullptr;
    state.currentChosen = false;
    state.displayCount = 0;
    state.resources.clear();
    state.icons.clear();
    Apply(state);
}

}  // namespace platform::input

HICON LoadIconW(HINSTANCE instance, LPCWSTR name) {
    if (!IS_INTRESOURCE(name)) return nullptr;
    auto id = reinterpret_cast<uintptr_t>(name);
    if (!instance) return name == IDI_APPLICATION ? reinterpret_cast<HICON>(IconHandleBase + id) : nullptr;
    CursorState& state = State();
    std::lock_guard lock(state.mutex);
    if (id == 0 || !state.icons.count(static_cast<WORD>(id))) return nullptr;
    return reinterpret_cast<HICON>(ProgramIconHandleBase + id);
}

HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR name) {
    if (!IS_INTRESOURCE(name)) return nullptr;
    auto id = static_cast<WORD>(reinterpret_cast<uintptr_t>(name));
    if (!instance) return FindSystemCursor(id) ? CursorHandle(id) : nullptr;
    CursorState& state = State();
    std::lock_guard lock(state.mutex);
    auto resource = state.resources.find(id);
    if (resource == state.resources.end() || !FindSystemCursor(resource->second)) return nullptr;
    return CursorHandle(resource->second);
}

HCURSOR SetCursor(HCURSOR cursor) {
    CursorState& state = State();
    std::lock_guard lock(state.mutex);
    HCURSOR previous = Current(state);
    state.current = cursor;
    state.currentChosen = true;
    Apply(state);
    return previous;
}

int ShowCursor(BOOL show) {
    CursorState& state = State();
    std::lock_guard lock(state.mutex);
    state.displayCount += show ? 1 : -1;
    Apply(state);
    return state.displayCount;
}
