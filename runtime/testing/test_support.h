// What the test programs of every module share: the number of a raised error,
// the real user for a scope, temporary folders and files, finding and pressing
// windows, driving a modal box from a timer, waiting with a time limit, and a
// fixture that shows a small form.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "rt/interaction.h"
#include "rt/services.h"

namespace rt::test {

// The number of the runtime error `f` raises, 0 when it raises none; the
// error's description too when asked.
long ErrorOf(const std::function<void()>& f, std::string* description = nullptr);

// The real user (real boxes and dialogs, the real printer) for a scope.
class RealUser {
  public:
    RealUser() : previous_(&CurrentUser()) { SetUser(nullptr); }
    ~RealUser() { SetUser(previous_); }
    RealUser(const RealUser&) = delete;
    RealUser& operator=(const RealUser&) = delete;

  private:
    User* previous_;
};

// A fresh folder under the temporary folder; on destruction every file the
// program has open is closed and the folder goes with all that is in it.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes, DWORD attributes = 0);

bool HaveDefaultPrinter();

// A drive letter that names a folder that does not exist: a drive that
// cannot be read, for every process of the desktop, gone again at the end of
// the scope.
class LostDrive {
  public:
    LostDrive();
    ~LostDrive();
    LostDrive(const LostDrive&) = delete;
    LostDrive& operator=(const LostDrive&) = delete;
    bool Defined() const { return defined_; }
    // As the drive list names it ("q:").
    std::string Name() const;

  private:
    wchar_t letter_ = 0;
    bool defined_ = false;
};

// The user's decimal separator, digit-group separator and currency sign set
// for a scope, as the control panel sets them (for this program and every
// program started meanwhile); the earlier ones back at the end.
class UserNumberSymbols {
  public:
    UserNumberSymbols(const std::string& decimal, const std::string& group,
                      const std::string& currency);
    ~UserNumberSymbols();
    UserNumberSymbols(const UserNumberSymbols&) = delete;
    UserNumberSymbols& operator=(const UserNumberSymbols&) = delete;

  private:
    std::vector<std::pair<LCTYPE, std::wstring>> previous_;
};

// ---- Child processes

// A second run of this test program that runs one registered function instead
// of the tests: for what needs another process (a writer to be killed, a window
// of another program). Registered at static initialisation:
//   const int kWriter = RegisterChild("writer", &WriterMain);
using ChildMain = int (*)(const std::string& argument);
int RegisterChild(const char* name, ChildMain main);
// Called first by the test programs' main: runs the child asked for on the
// command line and gives its exit status, or -1 when this is no child run.
int RunChildIfAsked(int argc, char** argv);

// A child started with its argument; terminated (if still running) when the
// owner goes.
class ChildProcess {
  public:
    ChildProcess(const std::string& name, const std::string& argument);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    DWORD Id() const { return info_.dwProcessId; }
    void Kill();
    // The exit status once ended within the time, otherwise STILL_ACTIVE.
    DWORD Wait(DWORD timeoutMs);
    // Whether it ended within the time.
    bool Ended(DWORD timeoutMs = 0) { return Wait(timeoutMs) != STILL_ACTIVE; }

  protected:
    ChildProcess() = default;
    // Starts the program with its command line in a folder (the test
    // program's own current folder when empty); whether it started.
    bool Start(const std::wstring& exe, std::wstring command, const std::string& folder = {});

  private:
    PROCESS_INFORMATION info_{};
};

// A program built beside the test program (Faultbook.exe, Sweeper.exe),
// started as a user starts it, in a folder; ended if still running when the
// owner goes.
class Program : public ChildProcess {
  public:
    explicit Program(const std::string& exeName, const std::string& folder = {});
    // Its visible top-level window with this caption, waited for; nullptr
    // when none came within the time.
    HWND Window(const std::string& caption, DWORD timeoutMs = 20000) const;
};

// The closes other programs send to a window (window tools, Paneherd's
// Close, the system at log-off): WM_CLOSE, and the system menu's Close.
struct SentClose {
    const char* name;
    UINT msg;
    WPARAM wp;
};
inline constexpr SentClose kSentCloses[] = {{"WM_CLOSE", WM_CLOSE, 0},
                                            {"SC_CLOSE", WM_SYSCOMMAND, SC_CLOSE}};
// Sends the close to a window of another process as SendMessage does;
// whether the window had handled it within the time.
bool Send(HWND window, const SentClose& close, DWORD timeoutMs = 20000);
// Starts the program once for each sent close, waits for its main window
// (`started` first answers what the program asks at its start), sends the
// close and expects the program to end by itself, status 0; `ended` then
// checks what it left behind.
void ExpectEndsOnSentCloses(const std::string& exeName, const std::string& caption,
                            const std::function<void(Program&)>& started = {},
                            const std::function<void()>& ended = {});

// Starts the program, waits for its main window, lets `open` make it show
// the box captioned `box` (another program typing into one of its fields,
// say), then sends WM_CLOSE (the system menu's Close does nothing on a window
// a box has disabled) and expects the program to end by itself, status 0,
// the box gone with it.
void ExpectEndsOnCloseSentOverBox(const std::string& exeName, const std::string& caption,
                                  const std::string& box, const std::function<void(HWND main)>& open);
// Puts a text into a field of another program as that program would: the
// change's handlers run before the sender goes on, unless they open a box,
// which the sender does not wait for.
void PutText(HWND field, const std::string& text);
// A program's main window that lays out its contents from its size and keeps
// its place and its font size in the settings store, for the checks below,
// which start the program and drive it from this process.
struct KeptWindow {
    std::string exeName, caption;          // "Glyphdeck.exe", "  Glyphdeck"
    std::string app, section, fontSizeKey; // where it keeps its settings
    const wchar_t* contents = nullptr;     // class of the control filling the window
    std::function<void(Program&)> started; // answers what it asks at its start
};
// Maximised by the title bar's button, the contents fill the window with the
// margins they have in a normal window; restored, window and contents are
// back exactly; closed maximised, the program starts again as a normal
// window where it stood before.
void ExpectContentsFillTheMaximisedWindow(const KeptWindow& window);
// A place kept on a bigger screen, far off the screen, of no size or bigger
// than the screen opens wholly inside the work area (moved where it fits,
// shrunk where it does not, the design size for no size) and is kept so; a
// place on the screen opens as kept.
void ExpectKeptPlacesOpenOnTheScreen(const KeptWindow& window);
// The design font size 9.75 kept as "9.75" reads as 9.75 (shown and kept as
// 10) under a "." and a "," locale, and "9,75" kept under a "," locale too;
// a size no font dialog gives (975, 0, -3) leaves the design size.
void ExpectKeptFontSizesReadInEveryLocale(const KeptWindow& window);

// A top-level window of another program (a second process) with the focus of
// its own: what must never reach other programs can be checked on it.
class ForeignWindow {
  public:
    explicit ForeignWindow(const std::string& caption);
    HWND hWnd() const { return hwnd_; }
    // Brings it in front of every window; whether it got there.
    bool ToFront();
    // Whether a key reached it since it opened.
    bool GotKeys() const;
    // After a moment in which a key sent anywhere would have arrived: whether
    // it is still in front and no key reached it.
    bool UntouchedInFront() const;

  private:
    std::string caption_;
    ChildProcess child_;
    HWND hwnd_ = nullptr;
};

// ---- Windows

std::string WindowText(HWND w);
// A direct child of a class (and with a text, when given).
HWND Child(HWND parent, const wchar_t* cls, const wchar_t* text = nullptr);
// The first window of a class anywhere below a window.
HWND Descendant(HWND parent, const wchar_t* cls);
// A visible top-level window with this caption in a process (this one by default).
HWND FindShownWindow(const std::string& caption, DWORD processId = GetCurrentProcessId());
// This thread's visible dialog box, whatever its caption.
HWND FindShownDialog();

// What the screen shows at a pixel of a window, once the window has painted.
COLORREF ShownPixel(HWND w, int x, int y);

// A double-click on a list box's line, as the mouse gives it to the list.
void DoubleClickLine(HWND list, int line);
// The lines of a list box, as any process can read them.
std::vector<std::string> ListLines(HWND list);
// What a list box shows of its selection, as any process can read it: the
// first line in view, the caret (where the focus rectangle is drawn while the
// list has the focus), the anchor a Shift+click selects from, and the
// selected lines.
struct ListSelection {
    int top = 0, caret = 0, anchor = 0;
    std::vector<int> selected;
    bool operator==(const ListSelection&) const = default;
};
ListSelection SelectionOf(HWND list);
void PrintTo(const ListSelection& s, std::ostream* out);

// A left click of the real mouse at a pixel of a window's client area, its
// top-level window brought to the front first. The click is only sent: the
// caller lets the program handle it (WaitFor).
void ClickAt(HWND window, int x, int y);

// Posts the click of a dialog's button, as the button itself reports it.
void PressButton(HWND dialog, int id);
// Posts a key's down and up to a window (for a box's own loop to pick up).
void PostKey(HWND target, WORD vk);
// Posts a key, Ctrl held or not, and lets the program's loop handle it.
void PressKey(HWND target, WORD vk, bool ctrl = false);
// A key struck on the keyboard (Ctrl held or not), down and up, to whatever
// has the focus (an open menu, say); only sent.
void TapKey(WORD vk, bool ctrl = false);
// A key struck with others held down (VK_MENU for Alt+E, VK_SHIFT for
// Shift+F10), to whatever has the focus; only sent.
void TapKeyWith(std::initializer_list<WORD> held, WORD vk);
// A key struck on the keyboard (Ctrl held or not) with a window in front:
// whichever process owns the window gets it through its own message loop.
// This process's messages run for a moment afterwards.
void StrikeKey(HWND window, WORD vk, bool ctrl = false);

// Lets the program's messages run until `done` holds or `timeoutMs` has passed;
// whether it came to hold.
bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs = 20000);

// Runs `step` from a thread timer while a modal loop (a box, a dialog, a menu)
// runs, until it returns true, meaning it found what it looked for and acted.
// One that never does fails the test after about ten seconds and closes the
// active window, so that no test hangs. One at a time.
class WhileModal {
  public:
    explicit WhileModal(std::function<bool()> step);
    ~WhileModal();
    WhileModal(const WhileModal&) = delete;
    WhileModal& operator=(const WhileModal&) = delete;
};

// A fixture with a form of type F shown for each test and unloaded after it.
template <class F> class FormFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        form.Show();
        DoEvents();
    }
    void TearDown() override { form.Unload(); }
    F form;
};

} // namespace rt::test
