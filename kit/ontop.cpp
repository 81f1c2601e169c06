// Pinning a window above the others, or releasing it, without moving it.
#include <kit/kit.h>

namespace kit {

bool SetAlwaysOnTop(HWND hWnd, long OnTop) {
    // Only the runtime's True pins; any other value, 1 included, releases.
    HWND insertAfter = OnTop == vbTrue ? HWND_TOPMOST : HWND_NOTOPMOST;
    // A refused change (an invalid window, say) is no runtime error: it just
    // gives False, and nothing is shown.
    return SetWindowPos(hWnd, insertAfter, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE) != 0;
}

} // namespace kit
