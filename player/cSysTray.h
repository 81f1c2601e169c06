// Icons in the notification area on behalf of one owner form, and the
// clicks on them as events.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <rt.h>

namespace tunebox {

// The owner form keeps the object; when the object goes, its icons leave the
// notification area and the owner's window procedure is given back.
//
// The shell tells of a click on an icon by one of two routes: as a mouse move
// of the owner form (the default; the click's message stands in the move's
// horizontal position, and the icon is always taken as icon 1), or, with
// ST_AdvancedProcessing, as a message of its own to the owner's window, whose
// procedure is replaced for it (the icon's ID comes along).
class cSysTray {
  public:
    cSysTray() = default;
    ~cSysTray();
    cSysTray(const cSysTray&) = delete;
    cSysTray& operator=(const cSysTray&) = delete;

    rt::Form* ST_OwnerForm() const { return FormReference; }
    void ST_OwnerForm(rt::Form& form);
    bool ST_AdvancedProcessing() const { return AdvancedProcessing; }
    void ST_AdvancedProcessing(bool v) { AdvancedProcessing = v; }

    // True when the shell took the icon. An icon ID below 1 is handed to the
    // shell but not kept, so it can be neither modified nor deleted here.
    bool ST_CreateIcon(long IconID, HICON hIcon, const std::string& ToolTipText = {});
    bool ST_ModifyIcon(long IconID, HICON hIcon, const std::string& ToolTipText = {});
    bool ST_DeleteIcon(long IconID);

    // The events, each with the icon's ID.
    std::function<void(long IconID)> LeftClick, MiddleClick, RightClick, DblClick, MouseMove;

    // For the replaced window procedure: one notification of an icon
    // (wParam its ID, lParam the mouse message).
    void RaiseTrayEvent(UINT uMsg, WPARAM wParam, LPARAM lParam);

    // The table of icons: one slot each, freed slots reused.
    int16_t IconCount() const { return static_cast<int16_t>(IconIDs.size()); }
    long IconIDAt(int slot) const { return IconIDs.at(static_cast<size_t>(slot - 1)); }
    bool IconInUseAt(int slot) const { return IconInUse.at(static_cast<size_t>(slot - 1)); }

  private:
    UINT CallbackMessage();
    bool Notify(DWORD message, long IconID, HICON hIcon, const std::string& ToolTipText);
    void Raise(UINT mouseMessage, long IconID);
    bool AddIconID(long IconID);
    bool IconIDExists(long IconID) const;
    bool RemoveIconEntry(long IconID, int Index);
    void FormReference_MouseMove(int Button, int Shift, float X, float Y);

    rt::Form* FormReference = nullptr;
    rt::FormWatch watch_; // the owner form's mouse moves reach this object
    bool AdvancedProcessing = false;
    std::vector<long> IconIDs;
    std::vector<bool> IconInUse;
    bool DeletingByIndex = false;
};

} // namespace tunebox
