// What every test program's environment holds before any test starts, whether CTest
// or a person runs it: SDL's dummy audio driver (no sound card is needed, none is
// played to), no D-Bus session (SDL would try to start one and leak from the
// failed attempt) and shell requests only recorded, never carried out. Values already
// set are kept.

#include <cstdlib>

namespace {

const bool environmentSet = [] {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
    setenv("PLATFORM_SHELL", "record", 0);
    return true;
}();

}  // namespace
