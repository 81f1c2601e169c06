// What Huepick's tests share: known colours in a window of their own, real
// mouse and key input, a user acting from a thread of its own while the
// program's loop runs, and the capture window as the screen shows it.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <rt.h>

#include "frmMain.h"
#include "test_support.h"

namespace huepick::test {

// Known colours as 40 x 40 pixel blocks in a row, in a borderless window of
// their own whose top-left corner is at `at` (screen pixels).
class Blocks : public rt::Form {
  public:
    Blocks(std::vector<long> colours, POINT at);
    POINT Centre(size_t i) const { return {at_.x + static_cast<long>(i) * 40 + 20, at_.y + 20}; }
    long Colour(size_t i) const { return colours_[i]; }
    size_t Count() const { return colours_.size(); }

  private:
    std::vector<long> colours_;
    POINT at_;
    std::vector<std::unique_ptr<rt::PictureBox>> boxes_;
};

// The display's bits per pixel, and the colour it shows at a point.
int ScreenDepth();
COLORREF ScreenPixel(POINT p);
// The colour that a program started now reads at a point of the screen. On a
// 256-colour display under 32-bit Wine, this program reads some colours
// otherwise than the programs started after it once it has made a pick of its
// own: the brown block that X shows olive, and this program reads as olive,
// they read as green.
COLORREF ScreenPixelOfANewProgram(POINT p);
// What a pick of block i gives: its colour; on a 256-colour display, for a
// colour outside the system palette's fixed ones, the colour shown for it as
// `read` reads it (for a pick by another program: ScreenPixelOfANewProgram).
long Want(const Blocks& blocks, size_t i, COLORREF (*read)(POINT) = ScreenPixel);

// Real input, as the user gives it: the pointer moved to a point (until it
// stays there: a window appearing under it may still report where it was); a
// click of the left button where the pointer is; a key.
void MoveTo(POINT p);
void Click();
void PressKey(WORD vk);
POINT CentreOf(HWND window); // screen pixels
// Puts the pointer where no test window is.
void ParkPointer();
// A click on a main window's Huepick button, the window brought in front
// first with a click on its caption when it is not there.
void StartPick(HWND main, HWND button);

// The capture window of a process while it is shown: a visible, borderless,
// topmost window over the whole screen. Await: shown and painted (null when
// it never was); gone (whether it went).
HWND ShownCaptureWindow(DWORD processId = GetCurrentProcessId());
HWND AwaitCapture(DWORD processId = GetCurrentProcessId());
bool AwaitCaptureGone(DWORD processId = GetCurrentProcessId());

// A user acting from a thread of its own while this thread runs the
// program's messages; returns when the user is done.
void AsUser(const std::function<void()>& acts);

// The fields a pick fills, as the user reads them, and what a pick at a point
// of a colour must show in them.
struct Fields {
    std::string X, Y, Hex, Long, R, G, B;
    bool operator==(const Fields&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Fields& f);
Fields Expected(POINT p, long colour);

// The colours of the fixture's blocks.
extern const std::vector<long> kColours;

// The main window shown beside a row of known colours, Huepick's state as at
// start. A pick as the user makes it: a click on Huepick, the pointer to the
// point, a click; `whileShown` runs in between, with the capture window shown.
class PickingFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    void PickAt(POINT p, const std::function<void()>& whileShown = {});
    Fields Shown() const;
    long Want(size_t i) const { return test::Want(blocks, i); }

    huepick::frmMain form;
    Blocks blocks{kColours, {20, 20}};
};

} // namespace huepick::test
