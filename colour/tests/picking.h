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
    POINT Centre(size_t i) const; // screen pixels
    long Colour(size_t i) const { return colours_[i]; }
    size_t Count() const { return colours_.size(); }

  private:
    std::vector<long> colours_;
    POINT at_;
    std::vector<std::unique_ptr<rt::PictureBox>> boxes_;
};

// The display: its bits per pixel, and the colour it shows at a point.
int ScreenDepth();
COLORREF ScreenPixel(POINT p);
// A colour every display shows as it is: one of the system palette's fixed colours.
bool FixedColour(long colour);

// The centre of a control in screen pixels.
POINT CentreOf(const rt::Control& control);
// The centre of a window's child (or of the window) in screen pixels.
POINT CentreOf(HWND window);

// Real input, as the user gives it: the pointer moved to a point; the left
// button pressed, released, or both where the pointer is; a key pressed.
void MoveTo(POINT p);
void ButtonDown();
void ButtonUp();
void Click();
void PressKey(WORD vk);
// Starts a pick with a click on the Huepick button of a main window, which
// is brought in front first when it is not there.
void StartPick(HWND main, HWND button);
// Puts the pointer where no test window is.
void ParkPointer();

// The capture window of a process while it is shown: a visible, borderless,
// topmost window over the whole screen.
HWND ShownCaptureWindow(DWORD processId = GetCurrentProcessId());
// Waits for it to be shown and painted; null when it never was.
HWND AwaitCapture(DWORD processId = GetCurrentProcessId(), DWORD timeoutMs = 10000);
// Waits for it to be gone; whether it went.
bool AwaitCaptureGone(DWORD processId = GetCurrentProcessId(), DWORD timeoutMs = 10000);

// A user acting from a thread of its own while this thread runs the
// program's messages; returns when the user is done (fails the test when the
// user was not done within the time).
void AsUser(const std::function<void()>& acts, DWORD timeoutMs = 30000);

// The fields a pick fills, as the user reads them.
struct Fields {
    std::string X, Y, Hex, Long, R, G, B;
    bool operator==(const Fields&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Fields& f);
// The fields a pick at a point of this colour must show.
Fields Expected(POINT p, long colour);

// The process has no more GDI handles to give: every one is taken until the
// owner goes.
class GdiExhausted {
  public:
    GdiExhausted();
    ~GdiExhausted();
    GdiExhausted(const GdiExhausted&) = delete;
    GdiExhausted& operator=(const GdiExhausted&) = delete;
    size_t Taken() const { return taken_.size(); }

  private:
    std::vector<HBRUSH> taken_;
};

// A window of another program: a plain rectangle of one colour, at a place
// of the screen. `kind` "cover" is a topmost window shown without taking the
// activation; "painter" is an ordinary window that repaints slowly (it holds
// each paint for 400 ms) and turns from its first colour to its second when
// asked with Repaint().
class ForeignBlock {
  public:
    ForeignBlock(const std::string& kind, RECT place, long first, long second = 0);
    HWND hWnd() const { return hwnd_; }
    void Repaint() const; // takes the second colour
    bool Shown() const { return hwnd_ != nullptr; }

  private:
    rt::test::ChildProcess child_;
    HWND hwnd_ = nullptr;
};

// What a pick of block i gives: its colour; on a 256-colour display, for a
// colour outside the fixed ones, the colour the screen shows for it.
long Want(const Blocks& blocks, size_t i);

// The colours of the fixture's blocks.
extern const std::vector<long> kColours;

// The main window shown beside a row of known colours, Huepick's state as at start.
class PickingFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    // A pick as the user makes it: a click on Huepick, the pointer to the
    // point, a click; `whileShown` runs in between, with the capture window shown.
    void PickAt(POINT p, const std::function<void()>& whileShown = {});
    Fields Shown() const;
    long Want(size_t i) const; // of a block of the fixture

    huepick::frmMain form;
    Blocks blocks{kColours, {20, 20}};
};

} // namespace huepick::test
