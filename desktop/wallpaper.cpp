#include "wallpaper.h"

#include <windows.h>

#include <rt.h>

#include "modDecorum.h"
#include "modGetLastError1.h"

namespace decorum {

std::string gWindowsFolder;

namespace {

void WriteWinIni(const std::string& key, const std::string& value) {
    WritePrivateProfileStringA("Desktop", rt::ToAnsi(key).c_str(), rt::ToAnsi(value).c_str(),
                               rt::ToAnsi(WinIniPath()).c_str());
}

} // namespace

std::string WinIniPath() { return gWindowsFolder + "\\WIN.INI"; }

void WriteWallpaperPath(const std::string& path) {
    SetRegistryString(HKEY_USERS, DefaultUser(kDesktopKey), "Wallpaper", path);
    SetRegistryString(HKEY_USERS, DefaultUser(kGeneralKey), "Wallpaper", path);
    SetRegistryString(HKEY_USERS, DefaultUser(kGeneralKey), "BackupWallpaper", path);
    SetRegistryString(HKEY_CURRENT_USER, kDesktopKey, "Wallpaper", path);
    SetRegistryString(HKEY_CURRENT_USER, kGeneralKey, "Wallpaper", path);
    SetRegistryString(HKEY_CURRENT_USER, kGeneralKey, "BackupWallpaper", path);
    WriteWinIni("Wallpaper", path);
}

void WriteTileWallpaper(const std::string& value) {
    SetRegistryString(HKEY_USERS, DefaultUser(kDesktopKey), "TileWallpaper", value);
    SetRegistryString(HKEY_USERS, DefaultUser(kGeneralKey), "TileWallpaper", value);
    SetRegistryString(HKEY_CURRENT_USER, kDesktopKey, "TileWallpaper", value);
    SetRegistryString(HKEY_CURRENT_USER, kGeneralKey, "TileWallpaper", value);
    WriteWinIni("TileWallpaper", value);
}

void WriteWallpaperStyle(const std::string& value) {
    SetRegistryString(HKEY_USERS, DefaultUser(kDesktopKey), "WallpaperStyle", value);
    SetRegistryString(HKEY_CURRENT_USER, kDesktopKey, "WallpaperStyle", value);
    WriteWinIni("WallpaperStyle", value);
}

void ShowWallpaper(const std::string& path) {
    std::string ansi = rt::ToAnsi(path);
    SetLastError(0);
    if (!SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, ansi.data(),
                               SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE))
        RaiseApiError("SystemParametersInfoA");
}

std::string WallpaperInForce() {
    char path[MAX_PATH + 1] = {};
    if (!SystemParametersInfoA(SPI_GETDESKWALLPAPER, MAX_PATH, path, 0)) return {};
    return rt::FromAnsi(path);
}

void CheckWallpaperFile(const std::string& path) {
    if (rt::FromAnsi(rt::ToAnsi(path)) != path) rt::Raise(rt::errBadFileNameOrNumber);
    const DWORD attributes = GetFileAttributesW(rt::Wide(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        rt::Raise(rt::errFileNotFound);
}

bool LooksLikeBitmap(const std::string& path) {
    const std::string last = path.size() < 4 ? path : path.substr(path.size() - 4);
    return last == ".BMP" || last == ".bmp" || last == ".Bmp";
}

} // namespace decorum
