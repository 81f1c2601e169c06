// What Tunebox's tests share besides the sound: a copy of a program without
// audio drivers, the notification area and the real mouse, a window that
// receives the devices' notifications, and a device's mode.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "support/sound.h"

namespace tunebox::test {

// A copy of a program under a name of its own, whose audio drivers are
// switched off through the per-program settings of the Windows layer (Wine),
// so that it runs on a machine without sound devices. The settings and the
// copy go with the object.
class SilencedCopy {
  public:
    SilencedCopy(const std::string& program, const std::string& name);
    ~SilencedCopy();
    SilencedCopy(const SilencedCopy&) = delete;
    SilencedCopy& operator=(const SilencedCopy&) = delete;
    const std::string& Path() const { return path_; }

  private:
    std::string name_, path_;
};

// The name of this test program's file, without its folder.
std::string OwnFileName();

// Whether a volume read from the mixer is the one set there. 32-bit Wine
// keeps a volume as a fraction of the full scale and gives about half of all
// values back one below what was set (0 and the full scale exactly); 64-bit
// Wine gives every value back as set.
bool ReadsAsSet(long read, long set);

// ---- The notification area of the shared desktop

// An icon filled with one colour (its own, owned by the caller).
HICON SolidIcon(COLORREF color);
// Where the notification area shows an icon of this colour (the middle of
// the pixels that have it), or {-1, -1} when it shows none.
POINT FindTrayIcon(COLORREF color);
// A click by the real mouse at a point of the screen: left, right or middle
// button, once or twice.
void ClickAt(POINT at, int button = 1, bool twice = false);
// Moves the real mouse to a point of the screen.
void MoveMouseTo(POINT at);
// The text of a shown tool tip of another program (the notification area's),
// waiting for one to come up; empty when none does.
std::string ShownToolTip(DWORD timeoutMs = 4000);

// A hidden window that counts the devices' completion notifications.
class NotifyWindow {
  public:
    NotifyWindow();
    ~NotifyWindow();
    NotifyWindow(const NotifyWindow&) = delete;
    NotifyWindow& operator=(const NotifyWindow&) = delete;
    HWND hWnd() const { return hwnd_; }
    // The notification codes received, in order (MCI_NOTIFY_SUCCESSFUL ...).
    std::vector<WPARAM> Codes;

  private:
    HWND hwnd_ = nullptr;
};

// A device's answer to a status request, straight from the device.
std::string DeviceStatus(const std::string& alias, const std::string& item);

} // namespace tunebox::test
