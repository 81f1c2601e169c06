#include "modSysTray.h"

#include <algorithm>

#include <rt.h>

#include "cSysTray.h"

namespace tunebox {

namespace {

// One replaced window: its procedure before, and the tray object that hears
// its notifications (owned by its form, which gives the window back when the
// object goes).
struct TrayEntry {
    HWND Window;
    WNDPROC OldProc;
    cSysTray* Object;
};

std::vector<TrayEntry>& Entries() {
    static std::vector<TrayEntry> entries;
    return entries;
}

UINT TrayCallbackMessage = 0;
bool RestoringAll = false;

std::vector<TrayEntry>::iterator Find(HWND hWnd) {
    auto& entries = Entries();
    return std::find_if(entries.begin(), entries.end(),
                        [hWnd](const TrayEntry& e) { return e.Window == hWnd; });
}

// Restores entry i's window and drops the entry; the last entry takes its place.
void Restore(size_t i) {
    auto& entries = Entries();
    SetWindowLongPtrW(entries[i].Window, GWLP_WNDPROC,
                      reinterpret_cast<LONG_PTR>(entries[i].OldProc));
    entries[i] = entries.back();
    entries.pop_back();
}

} // namespace

UINT GetTrayCallbackMessage() {
    if (TrayCallbackMessage == 0) TrayCallbackMessage = RegisterWindowMessageW(L"cSysTray_Comm_Message");
    return TrayCallbackMessage;
}

bool SubclassTrayWindow(HWND hWnd, cSysTray& Owner) {
    if (!hWnd || IsTrayWindowSubclassed(hWnd)) return false;
    Entries().push_back({hWnd, nullptr, &Owner});
    SetLastError(0);
    const LONG_PTR previous =
        SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TrayWindowProc));
    if (previous == 0 && GetLastError() != 0) {
        // Not replaced: no entry, so that the caller takes the other route.
        Entries().pop_back();
        return false;
    }
    Find(hWnd)->OldProc = reinterpret_cast<WNDPROC>(previous);
    return true;
}

bool IsTrayWindowSubclassed(HWND hWnd) { return hWnd && Find(hWnd) != Entries().end(); }

bool UnsubclassTrayWindow(HWND hWnd) {
    if (!hWnd) return false;
    if (!RestoringAll && !IsTrayWindowSubclassed(hWnd)) return false;
    const auto entry = Find(hWnd);
    if (entry == Entries().end()) return false;
    Restore(static_cast<size_t>(entry - Entries().begin()));
    return true;
}

void UnsubclassTrayOwner(HWND hWnd) {
    if (Entries().empty()) return;
    RestoringAll = true;
    while (UnsubclassTrayWindow(hWnd)) {
    }
    RestoringAll = false;
}

void UnsubclassTrayObject(const cSysTray& Owner) {
    auto& entries = Entries();
    for (size_t i = 0; i < entries.size();) {
        if (entries[i].Object == &Owner)
            Restore(i); // the last entry moved here: look at this place again
        else
            ++i;
    }
}

std::vector<HWND> TrayWindows() {
    std::vector<HWND> windows;
    for (const TrayEntry& e : Entries()) windows.push_back(e.Window);
    return windows;
}

LRESULT CALLBACK TrayWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    const auto entry = Find(hWnd);
    if (entry == Entries().end()) return DefWindowProcW(hWnd, uMsg, wParam, lParam);
    // Read before the event: its handler may give the window back, which
    // moves the entries.
    const WNDPROC oldProc = entry->OldProc;
    cSysTray* object = entry->Object;
    if (uMsg != 0 && uMsg == GetTrayCallbackMessage())
        rt::Dispatch([&] { object->RaiseTrayEvent(uMsg, wParam, lParam); });
    return CallWindowProcW(oldProc, hWnd, uMsg, wParam, lParam);
}

} // namespace tunebox
