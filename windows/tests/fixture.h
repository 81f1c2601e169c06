// What Paneherd's tests share: a target program of their own, Paneherd's main
// window started beside it with a scripted user, and real input.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include <rt/forms.h>
#include <rt/scripted_user.h>

#include "frmMain.h"
#include "test_support.h"

namespace paneherd::testing {

// A program of its own (a child run of the test program) with one window of
// 320 x 240 pixels and, when asked, a bystander window beside it in the same
// thread that counts the keys it gets. The window can be told to stop
// answering and to refuse being brought in front, as real programs' windows do.
class TargetProgram {
  public:
    TargetProgram(const std::string& caption, int x = 200, int y = 150, bool bystander = false);
    ~TargetProgram();
    TargetProgram(const TargetProgram&) = delete;
    TargetProgram& operator=(const TargetProgram&) = delete;
    HWND hWnd() const { return hwnd_; }
    HWND Bystander() const { return bystander_; }
    const std::string& Caption() const { return caption_; }
    // Its thread waits until Release (20 seconds at most); returns once it does.
    void Hang();
    void Release() { SetEvent(release_); }
    void RefuseFront();
    bool BystanderGotKeys() const;
    bool Ended() { return child_.Ended(); }

  private:
    std::string caption_, events_; // the names of the hang's two events begin with events_
    HANDLE hung_, release_;
    rt::test::ChildProcess child_;
    HWND hwnd_ = nullptr, bystander_ = nullptr;
};

class PaneherdTest : public ::testing::Test {
  protected:
    void TearDown() override {
        if (frmMain::Exists()) frmMain::Get().Unload();
        rt::DoEvents();
    }
    // Starts Paneherd, with the target chosen by its title and followed by
    // the four position fields when one is given.
    frmMain& Start(const TargetProgram* target = nullptr);
    // The messages shown, as "title|prompt|style".
    std::vector<std::string> Boxes() const;
    rt::ScriptedUser user;
};

RECT Rect(HWND window);
bool Topmost(HWND window);
std::string HandleText(HWND window);
POINT Centre(HWND window);
// Whether it comes to hold within a few seconds, the message loop running.
bool Eventually(const std::function<bool()>& holds);
void Pause(DWORD ms);
// Types into the field with the focus as the keyboard does (real input), or
// into a given field one character message after the other.
void TypeKeys(const std::string& text);
void Type(HWND field, const std::string& text);
// A click of one physical mouse button at a point of the screen (real input).
void ClickAt(POINT at, bool rightButton = false);

} // namespace paneherd::testing
