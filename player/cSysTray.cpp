#include "cSysTray.h"

#include <shellapi.h>

#include <cmath>

#include "modSysTray.h"

namespace tunebox {

namespace {

constexpr size_t kTipLength = 63; // characters of a tip the shell shows
constexpr size_t kMaxSlots = 32767;

} // namespace

cSysTray::~cSysTray() {
    // The owner's window gets its procedure back, and no icon stays behind.
    UnsubclassTrayObject(*this);
    for (int slot = 1; slot <= IconCount(); ++slot) RemoveIconEntry(0, slot);
}

void cSysTray::ST_OwnerForm(rt::Form& form) {
    FormReference = &form;
    watch_ = form.WatchMouseMove([this](int Button, int Shift, float X, float Y) {
        FormReference_MouseMove(Button, Shift, X, Y);
    });
}

UINT cSysTray::CallbackMessage() {
    if (!AdvancedProcessing) return WM_MOUSEMOVE;
    const HWND h = FormReference->hWnd();
    UINT message = 0;
    if (IsTrayWindowSubclassed(h) || SubclassTrayWindow(h, *this)) message = GetTrayCallbackMessage();
    if (message == 0) {
        // This route cannot be had: the mouse moves of the owner form carry on.
        UnsubclassTrayWindow(h);
        AdvancedProcessing = false;
        return WM_MOUSEMOVE;
    }
    return message;
}

bool cSysTray::Notify(DWORD message, long IconID, HICON hIcon, const std::string& ToolTipText) {
    NOTIFYICONDATAW record{};
    record.cbSize = sizeof record;
    record.hWnd = FormReference->hWnd();
    record.uID = static_cast<UINT>(IconID);
    if (message != NIM_DELETE) {
        record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        record.uCallbackMessage = CallbackMessage();
        record.hIcon = hIcon;
        const std::wstring tip = rt::Wide(rt::Trim(ToolTipText)).substr(0, kTipLength);
        tip.copy(record.szTip, tip.size());
        record.szTip[tip.size()] = L'\0';
    }
    return Shell_NotifyIconW(message, &record) != FALSE;
}

bool cSysTray::ST_CreateIcon(long IconID, HICON hIcon, const std::string& ToolTipText) {
    if (!FormReference || IconIDExists(IconID)) return false;
    if (!Notify(NIM_ADD, IconID, hIcon, ToolTipText)) return false;
    AddIconID(IconID);
    return true;
}

bool cSysTray::ST_ModifyIcon(long IconID, HICON hIcon, const std::string& ToolTipText) {
    if (!FormReference || !IconIDExists(IconID)) return false;
    return Notify(NIM_MODIFY, IconID, hIcon, ToolTipText);
}

bool cSysTray::ST_DeleteIcon(long IconID) {
    if (!FormReference) return false;
    if (!DeletingByIndex && !IconIDExists(IconID)) return false;
    if (!Notify(NIM_DELETE, IconID, nullptr, {})) return false;
    if (!DeletingByIndex) RemoveIconEntry(IconID, 0);
    return true;
}

bool cSysTray::AddIconID(long IconID) {
    if (IconID < 1 || IconIDExists(IconID)) return false;
    for (size_t i = 0; i < IconInUse.size(); ++i)
        if (!IconInUse[i]) {
            IconIDs[i] = IconID;
            IconInUse[i] = true;
            return true;
        }
    if (IconIDs.size() >= kMaxSlots) return false;
    IconIDs.push_back(IconID);
    IconInUse.push_back(true);
    return true;
}

bool cSysTray::IconIDExists(long IconID) const {
    if (IconID < 1) return false;
    for (size_t i = 0; i < IconIDs.size(); ++i)
        if (IconInUse[i] && IconIDs[i] == IconID) return true;
    return false;
}

bool cSysTray::RemoveIconEntry(long IconID, int Index) {
    const int count = IconCount();
    if (count < 1 || (IconID <= 0 && Index <= 0) || (IconID <= 0 && Index > count)) return false;
    if (IconID <= 0) {
        // By slot: the icon leaves the notification area, then the slot is freed.
        const auto i = static_cast<size_t>(Index - 1);
        if (IconIDs[i] <= 0 || !IconInUse[i]) return false;
        DeletingByIndex = true;
        const bool deleted = ST_DeleteIcon(IconIDs[i]);
        DeletingByIndex = false;
        IconIDs[i] = 0;
        IconInUse[i] = false;
        return deleted;
    }
    // By ID, once the shell has removed it: its slots are freed.
    bool found = false;
    for (size_t i = 0; i < IconIDs.size(); ++i)
        if (IconInUse[i] && IconIDs[i] == IconID) {
            IconIDs[i] = 0;
            IconInUse[i] = false;
            found = true;
        }
    return found;
}

void cSysTray::Raise(UINT mouseMessage, long IconID) {
    std::function<void(long)>* event = nullptr;
    switch (mouseMessage) {
    case WM_MOUSEMOVE: event = &MouseMove; break;
    case WM_LBUTTONUP: event = &LeftClick; break;
    case WM_LBUTTONDBLCLK: event = &DblClick; break;
    case WM_RBUTTONUP: event = &RightClick; break;
    case WM_MBUTTONUP: event = &MiddleClick; break;
    default: return;
    }
    if (*event) (*event)(IconID);
}

void cSysTray::RaiseTrayEvent(UINT, WPARAM wParam, LPARAM lParam) {
    if (lParam < WM_MOUSEMOVE || lParam > WM_MBUTTONDBLCLK) return;
    Raise(static_cast<UINT>(lParam), static_cast<long>(wParam));
}

void cSysTray::FormReference_MouseMove(int, int, float X, float Y) {
    if (Y != 0) return;
    // The form's positions are in twips; the shell's message came as pixels.
    const float pixels = X / static_cast<float>(rt::Screen::TwipsPerPixelX());
    if (!(pixels >= 0 && pixels < 65536)) return;
    Raise(static_cast<UINT>(std::nearbyint(pixels)), 1);
}

} // namespace tunebox
