// Tunebox.exe started as a program of its own and driven from this process
// as a user would: the real mouse and keyboard on its windows, what it shows
// read back from its windows and from the screen.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tunebox::test {

// The path of a program built beside this test program.
std::string Beside(const std::string& program);

class RunningTunebox {
  public:
    // Starts the program and waits for its main window (unless a box comes
    // first, which the test then answers: see WaitForMain).
    explicit RunningTunebox(const std::string& program = Beside("Tunebox.exe"),
                            bool waitForMain = true);
    // Closes the program as its title bar does, or ends it.
    ~RunningTunebox();
    RunningTunebox(const RunningTunebox&) = delete;
    RunningTunebox& operator=(const RunningTunebox&) = delete;

    bool WaitForMain();
    HWND Main() const { return main_; }
    DWORD Id() const { return info_.dwProcessId; }
    // Whether the program has ended, waiting for it up to the time given.
    bool Ended(DWORD timeoutMs);

    // A control of the main window by its class and its design position
    // (twips inside the window), e.g. the wave list at 3675, 2910.
    HWND Control(const wchar_t* cls, long leftTwips, long topTwips) const;
    // A point of the main window's inside (twips) on the screen.
    POINT ScreenPoint(long xTwips, long yTwips) const;
    // The middle of a control on the screen.
    static POINT Middle(HWND control);
    // The middle of a list's line on the screen.
    static POINT LinePoint(HWND list, int line);
    // A shown top-level window of the program with this caption, waited for.
    HWND WaitForWindow(const std::string& caption, DWORD timeoutMs = 15000) const;
    // The texts of a box's children, one a line.
    static std::string BoxText(HWND box);

    // Brings the main window to the front, as a click on it would.
    void Activate() const;

  private:
    PROCESS_INFORMATION info_{};
    HWND main_ = nullptr;
};

// Waits while the pointer shows the hourglass (the program is busy), after
// giving it a moment to come up.
void WaitWhileBusy(DWORD timeoutMs = 10000);
// A window's text as the window itself gives it (another program's too).
std::string TextOf(HWND window);
// A drag of the real mouse from one point to another, in steps.
void Drag(POINT from, POINT to, int steps = 10);
// How many pixels of a window's area on the screen have this colour.
int PixelsOfColour(HWND window, COLORREF colour);

} // namespace tunebox::test
