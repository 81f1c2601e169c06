// The window the tests hand to Paneherd: a program of its own (a child run of
// the test program) with one window, and when asked a bystander window beside
// it in the same thread. It can be told to stop answering for a while and to
// refuse being brought in front, as windows of real programs do.
#pragma once

#include <windows.h>

#include <string>

#include "test_support.h"

namespace paneherd::testing {

inline constexpr wchar_t kTargetClass[] = L"PaneherdTarget";

class TargetProgram {
  public:
    struct Options {
        int X = 200, Y = 150, Width = 320, Height = 240;
        bool Bystander = false; // a second window, in front, that counts the keys it gets
    };
    explicit TargetProgram(const std::string& caption) : TargetProgram(caption, Options{}) {}
    TargetProgram(const std::string& caption, const Options& options);
    ~TargetProgram();
    TargetProgram(const TargetProgram&) = delete;
    TargetProgram& operator=(const TargetProgram&) = delete;

    HWND hWnd() const { return hwnd_; }
    HWND Bystander() const { return bystander_; }
    DWORD Id() const { return child_.Id(); }
    const std::string& Caption() const { return caption_; }

    // The window stops answering (its thread waits) until Release, or for 20
    // seconds at most; returns once it has stopped.
    void Hang();
    void Release();
    // From now on the window refuses to be activated.
    void RefuseFront();
    // Whether the bystander got a key since it opened.
    bool BystanderGotKeys() const;
    // Whether the program has ended (its windows gone).
    bool Ended() { return child_.Wait(0) != STILL_ACTIVE; }

  private:
    std::string caption_;
    std::string events_; // the names of the hang's two events begin with it
    HANDLE hung_ = nullptr, release_ = nullptr;
    rt::test::ChildProcess child_;
    HWND hwnd_ = nullptr, bystander_ = nullptr;
};

// The window's rectangle on the screen.
RECT Rect(HWND window);
bool Topmost(HWND window);

} // namespace paneherd::testing
