#include "platform/Backend.h"

#include <cstdlib>
#include <cstring>

namespace platform {

Backend ActiveBackend() {
    static const Backend backend = [] {
        const char* name = std::getenv("PLATFORM_BACKEND");
        return (name && std::strcmp(name, "headless") == 0) ? Backend::Headless : Backend::Sdl;
    }();
    return backend;
}

}  // namespace platform
