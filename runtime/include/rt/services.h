// The runtime's services that are not windows: program identity, the screen,
// the settings store, the clipboard, sequential files, the file system, the
// date, yielding and keystrokes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rt {

// The program's identity, set by its main() before the first form loads.
struct AppInfo {
    std::string Title;
    int Major = 1;
    int Minor = 0;
    int Revision = 0;
    std::string Path() const; // folder of the executable, no trailing backslash
};
AppInfo& App();

// The screen in twips, and the twips-per-pixel factors.
namespace Screen {
long Width();
long Height();
long TwipsPerPixelX();
long TwipsPerPixelY();
// Mouse pointer for the whole program: 0 default, 11 hourglass.
void SetMousePointer(int pointer);
int MousePointer();
} // namespace Screen

// Per-user settings store: application, section, key, text value.
std::string GetSetting(const std::string& app, const std::string& section,
                       const std::string& key, const std::string& defaultValue = {});
void SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                 const std::string& value);
// Removes a whole section (or, with an empty section, the application's key).
void DeleteSetting(const std::string& app, const std::string& section = {});

namespace Clipboard {
void Clear();
void SetText(const std::string& text);
std::string GetText();
} // namespace Clipboard

// Sequential files. Text is UTF-8 inside and in the system's ANSI code page on
// disk; a line read ends at CR or CR LF, a line written ends in CR LF.
int FreeFile();
void OpenForOutput(int fileNumber, const std::string& path);
void OpenForAppend(int fileNumber, const std::string& path);
void OpenForInput(int fileNumber, const std::string& path);
void PrintLine(int fileNumber, const std::string& text); // text + CR LF
void PrintText(int fileNumber, const std::string& text); // text only (Print #n, text;)
std::string LineInput(int fileNumber);
bool Eof(int fileNumber);
// Binary access: the file is opened (created when missing, never emptied) for
// reading and writing; Put writes bytes as they are, from a byte position
// counted from 1 (error 63 below 1).
void OpenForBinary(int fileNumber, const std::string& path);
void Put(int fileNumber, long position, std::string_view bytes);
void Close(int fileNumber);
void CloseAll(); // Close with no file number: every open file of the program

// The file system.
enum FileAttribute : int {
    vbNormal = 0, vbReadOnly = 1, vbHidden = 2, vbSystem = 4, vbDirectory = 16, vbArchive = 32
};
bool FileExists(const std::string& path);
// Whether two paths name one file as the file system compares names (case ignored).
bool SamePath(const std::string& a, const std::string& b);
// Names (not paths) of the entries matching a pattern with the attribute mask.
std::vector<std::string> Dir(const std::string& pattern, int attributes = vbNormal);
void Kill(const std::string& path);                              // errors 53, 75
void FileCopy(const std::string& from, const std::string& to);   // errors 53, 75
long FileLen(const std::string& path);                           // error 53
// A file's or folder's attributes (a mask of FileAttribute values); error 53.
int GetAttr(const std::string& path);
// Sets read-only, hidden, system and archive (any other bit: error 5); errors
// 53, and 55 for a file the program has open.
void SetAttr(const std::string& path, int attributes);
std::string CurDir();
void ChDir(const std::string& path);
std::string DateShort(); // today's date in the short form of the user's locale

// Yield to the message loop once: every waiting message is handled.
void DoEvents();
// Activate a top-level window of this desktop by its caption (exact match
// first, then a caption beginning with the text); error 5 when none has it.
void AppActivate(const std::string& caption);
// Send keys to the focused control of the foreground window. Understands plain
// characters and {DOWN}, {UP}, {LEFT}, {RIGHT}, {ENTER}, {TAB}, {ESC}, {HOME},
// {END}, {DEL}, {BS}, {F1}..{F12}; + ^ % prefixes for Shift, Ctrl, Alt.
void SendKeys(const std::string& keys);

} // namespace rt
