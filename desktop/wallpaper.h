// Where the desktop wallpaper is kept, and telling the system to show it:
// the default user's and the current user's desktop keys, their Internet
// Explorer desktop keys and WIN.INI.
#pragma once

#include <string>

namespace decorum {

// The keys that keep it, each under HKEY_CURRENT_USER and, for the default
// user, under HKEY_USERS ".Default\".
inline constexpr const char* kDesktopKey = "Control Panel\\desktop";
inline constexpr const char* kGeneralKey =
    "Software\\Microsoft\\Internet Explorer\\Desktop\\General";
inline std::string DefaultUser(const char* key) { return std::string(".Default\\") + key; }

// The Windows folder, found when the main window loads; WIN.INI lies there.
extern std::string gWindowsFolder;
std::string WinIniPath(); // gWindowsFolder & "\WIN.INI"

// The four values, each written to the places that keep it:
// Wallpaper: both users' desktop and Internet Explorer keys, then WIN.INI;
// BackupWallpaper: both users' Internet Explorer keys (written with Wallpaper);
// TileWallpaper: both users' desktop and Internet Explorer keys, WIN.INI;
// WallpaperStyle: both users' desktop keys, WIN.INI.
void WriteWallpaperPath(const std::string& path);
void WriteTileWallpaper(const std::string& value);    // "1" tile, "0" centre
void WriteWallpaperStyle(const std::string& value);   // "2" stretch, "0" not

// Tells the system to show the wallpaper now and keep it (SPI_SETDESKWALLPAPER
// with SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE); its failure is raised as
// a runtime error with the system's number and text.
void ShowWallpaper(const std::string& path);

// The wallpaper the system shows now ("" for none).
std::string WallpaperInForce();

// Raises "File not found" (53) unless path names an existing file, and "Bad
// file name or number" (52) when it cannot be handed on as ANSI text.
void CheckWallpaperFile(const std::string& path);

// Whether the path ends in ".BMP", ".bmp" or ".Bmp" exactly.
bool LooksLikeBitmap(const std::string& path);

} // namespace decorum
