#include "platform/DirectDrawGLSeams.h"

#include "platform/GLContext.h"

namespace platform::seam {

std::vector<DWORD> PresentedPicture(HWND window, int& width, int& height) {
    width = height = 0;
    platform::ddraw::GLContext* context = platform::ddraw::GLContext::Current();
    return context ? context->ReadWindow(window, width, height) : std::vector<DWORD>{};
}

}  // namespace platform::seam
