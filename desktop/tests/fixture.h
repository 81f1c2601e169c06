// What Decorum's tests share: the system state they change put back after
// each test, reading the registry and WIN.INI as the system keeps them, and the
// colour depth of the screen the tests run on.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include <rt.h>
#include <rt/scripted_user.h>

#include "frmMain.h"

namespace decorum::testing {

// Every system colour as it was, put back when the scope ends.
class SavedColours {
  public:
    SavedColours();
    ~SavedColours();
    SavedColours(const SavedColours&) = delete;
    SavedColours& operator=(const SavedColours&) = delete;
    COLORREF Original(int index) const { return colours_[static_cast<size_t>(index)]; }

  private:
    std::array<COLORREF, 31> colours_{};
};

// The wallpaper values in the registry and WIN.INI and the wallpaper shown,
// put back when the scope ends.
class SavedWallpaper {
  public:
    SavedWallpaper();
    ~SavedWallpaper();
    SavedWallpaper(const SavedWallpaper&) = delete;
    SavedWallpaper& operator=(const SavedWallpaper&) = delete;

  private:
    struct Value {
        HKEY root;
        std::string key, name;
        std::optional<std::string> text;
    };
    struct Key {
        HKEY root;
        std::string path;
        bool existed;
    };
    std::vector<Value> registry_;
    std::vector<Key> keys_;
    std::array<std::optional<std::string>, 3> winIni_;
    std::string shown_;
};

// A text value from the registry; nothing when it is missing.
std::optional<std::string> RegistryText(HKEY root, const std::string& key,
                                        const std::string& name);
// A key of WIN.INI's [Desktop] section in the Windows folder; nothing when missing.
std::optional<std::string> WinIniDesktop(const std::string& key);

// The depth the tests' screen was started with (24 unless told otherwise)
// and the bits per pixel Windows programs see on it.
int ScreenDepth();
int WindowsDepth();

// A bitmap file of one colour, written for the wallpaper.
void WriteBitmap(const std::string& path, int width, int height, COLORREF colour);

// The Windows folder and its WIN.INI, as the system names them.
std::string WindowsFolder();
std::string WinIniFile();
void WriteWinIniDesktop(const std::string& key, const std::string& value);

// Clicks the left mouse button at a spot of a window's client area (twips),
// as a user does. The click reaches the program through the system's input
// queue: wait for what it does.
void ClickAt(HWND window, long x, long y);

// The main window started as the program starts it, with the system's
// colours and wallpaper put back and every seam the system's own after each
// test, and a scripted user answering its boxes.
class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    frmMain& Start();
    SavedColours colours;
    SavedWallpaper wallpaper;
    rt::ScriptedUser user;
};

} // namespace decorum::testing
