#include "modHuepick.h"

#include <rt/convert.h>
#include <rt/handles.h>
#include <rt/services.h>

#include <algorithm>
#include <vector>

namespace huepick {

int SelectedCursor = 0;
long SelectedColor = 0;
long PointX = 0;
long PointY = 0;
bool PickMade = false;

Channels ColorChannels(long color) {
    const auto c = static_cast<unsigned long>(color);
    return {static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
            static_cast<int>((c >> 16) & 0xFF)};
}

std::string HexText(long color) {
    const Channels c = ColorChannels(color);
    std::string text;
    for (int part : {c.Red, c.Green, c.Blue}) {
        std::string digits = rt::Hex(part);
        text += (digits.size() < 2 ? "0" : "") + digits;
    }
    return text;
}

COLORREF PictureColor(const rt::Picture& picture, long x, long y) {
    if (!picture.Bitmap()) return CLR_INVALID;
    const SIZE size = picture.Pixels();
    if (x < 0 || y < 0 || x >= size.cx || y >= size.cy) return CLR_INVALID;
    rt::MemoryDC memory;
    rt::Selected selected(memory, picture.Bitmap());
    HPALETTE palette = picture.Palette(), before = nullptr;
    if (palette) {
        before = SelectPalette(memory, palette, FALSE);
        RealizePalette(memory);
    }
    const COLORREF color = GetPixel(memory, x, y);
    if (palette) SelectPalette(memory, before, FALSE);
    return color;
}

namespace {

constexpr DWORD kPaintLimitMs = 1000; // the longest wait for the others' repainting
constexpr DWORD kShownMs = 50;        // for what they painted to reach the screen

struct Covered {
    RECT area;
    DWORD self;
    std::vector<HWND> windows; // visible windows of other threads over the area, children too
};

BOOL CALLBACK CollectChild(HWND w, LPARAM p) {
    auto* covered = reinterpret_cast<Covered*>(p);
    if (IsWindowVisible(w)) covered->windows.push_back(w);
    return TRUE;
}

BOOL CALLBACK CollectTop(HWND w, LPARAM p) {
    auto* covered = reinterpret_cast<Covered*>(p);
    RECT r, common;
    if (!IsWindowVisible(w) || !GetWindowRect(w, &r) || !IntersectRect(&common, &r, &covered->area))
        return TRUE;
    if (GetWindowThreadProcessId(w, nullptr) == covered->self) return TRUE;
    covered->windows.push_back(w);
    EnumChildWindows(w, CollectChild, p);
    return TRUE;
}

bool AnyToPaint(const std::vector<HWND>& windows) {
    return std::any_of(windows.begin(), windows.end(),
                       [](HWND w) { return IsWindow(w) && GetUpdateRect(w, nullptr, FALSE); });
}

} // namespace

void WaitForScreen(const RECT& area) {
    rt::DoEvents(); // our own windows repaint here
    Covered covered{area, GetCurrentThreadId(), {GetDesktopWindow()}};
    EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&covered));
    // Each window has begun to paint what was uncovered...
    const DWORD start = GetTickCount();
    while (AnyToPaint(covered.windows) && GetTickCount() - start < kPaintLimitMs) {
        Sleep(10);
        rt::DoEvents();
    }
    // ...and has finished: its thread answers once its paint handler returned.
    std::vector<DWORD> threads;
    for (HWND w : covered.windows) {
        const DWORD thread = GetWindowThreadProcessId(w, nullptr);
        if (std::find(threads.begin(), threads.end(), thread) != threads.end()) continue;
        threads.push_back(thread);
        const DWORD spent = GetTickCount() - start;
        DWORD_PTR answer = 0;
        if (spent < kPaintLimitMs)
            SendMessageTimeoutW(w, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kPaintLimitMs - spent, &answer);
    }
    rt::DoEvents();
    Sleep(kShownMs);
}

} // namespace huepick
