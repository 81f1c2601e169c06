#include "fixture.h"

#include <cstdlib>

#include "displaymode.h"
#include "modCOMDLG32.h"
#include "modOS_Info.h"
#include "test_support.h"
#include "wallpaper.h"

namespace decorum::testing {

SavedColours::SavedColours() {
    for (int i = 0; i < static_cast<int>(colours_.size()); ++i)
        colours_[static_cast<size_t>(i)] = GetSysColor(i);
}

SavedColours::~SavedColours() {
    std::array<int, 31> indexes{};
    for (int i = 0; i < static_cast<int>(indexes.size()); ++i) indexes[static_cast<size_t>(i)] = i;
    std::array<COLORREF, 31> now{};
    for (int i = 0; i < 31; ++i) now[static_cast<size_t>(i)] = GetSysColor(i);
    if (now != colours_) SetSysColors(31, indexes.data(), colours_.data());
}

std::string WindowsFolder() {
    wchar_t folder[MAX_PATH] = {};
    GetWindowsDirectoryW(folder, MAX_PATH);
    return rt::Utf8(folder);
}

std::string WinIniFile() { return WindowsFolder() + "\\WIN.INI"; }

void WriteWinIniDesktop(const std::string& key, const std::string& value) {
    WritePrivateProfileStringW(L"Desktop", rt::Wide(key).c_str(), rt::Wide(value).c_str(),
                               rt::Wide(WinIniFile()).c_str());
}

namespace {


bool KeyExists(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, rt::Wide(path).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

void PutBack(HKEY root, const std::string& path, const std::string& name,
             const std::optional<std::string>& text) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, rt::Wide(path).c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    if (text) {
        const std::wstring w = rt::Wide(*text);
        RegSetValueExW(key, rt::Wide(name).c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(w.c_str()),
                       static_cast<DWORD>((w.size() + 1) * sizeof(wchar_t)));
    } else {
        RegDeleteValueW(key, rt::Wide(name).c_str());
    }
    RegCloseKey(key);
}

} // namespace

std::optional<std::string> RegistryText(HKEY root, const std::string& key,
                                        const std::string& name) {
    wchar_t text[1024] = {};
    DWORD size = sizeof text - sizeof(wchar_t), type = 0;
    if (RegGetValueW(root, rt::Wide(key).c_str(), rt::Wide(name).c_str(), RRF_RT_REG_SZ, &type,
                     text, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return rt::Utf8(text);
}

std::optional<std::string> WinIniDesktop(const std::string& key) {
    wchar_t text[1024] = {};
    const wchar_t* missing = L"\x01missing";
    GetPrivateProfileStringW(L"Desktop", rt::Wide(key).c_str(), missing, text, 1024,
                             rt::Wide(WinIniFile()).c_str());
    if (std::wstring(text) == missing) return std::nullopt;
    return rt::Utf8(text);
}

SavedWallpaper::SavedWallpaper() {
    for (auto [root, path] : {std::pair{HKEY_USERS, DefaultUser(kDesktopKey)},
                              {HKEY_USERS, DefaultUser(kGeneralKey)},
                              {HKEY_CURRENT_USER, std::string(kDesktopKey)},
                              {HKEY_CURRENT_USER, std::string(kGeneralKey)}}) {
        keys_.push_back({root, path, KeyExists(root, path)});
        for (const char* name : {"Wallpaper", "BackupWallpaper", "TileWallpaper", "WallpaperStyle"})
            registry_.push_back({root, path, name, RegistryText(root, path, name)});
    }
    winIni_ = {WinIniDesktop("Wallpaper"), WinIniDesktop("TileWallpaper"),
               WinIniDesktop("WallpaperStyle")};
    shown_ = WallpaperInForce();
}

SavedWallpaper::~SavedWallpaper() {
    for (const Value& v : registry_) PutBack(v.root, v.key, v.name, v.text);
    const char* names[] = {"Wallpaper", "TileWallpaper", "WallpaperStyle"};
    for (size_t i = 0; i < winIni_.size(); ++i)
        WritePrivateProfileStringW(L"Desktop", rt::Wide(names[i]).c_str(),
                                   winIni_[i] ? rt::Wide(*winIni_[i]).c_str() : nullptr,
                                   rt::Wide(WinIniFile()).c_str());
    for (const Key& k : keys_)
        if (!k.existed) RegDeleteKeyW(k.root, rt::Wide(k.path).c_str());
    std::wstring shown = rt::Wide(shown_);
    SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, shown.data(), SPIF_SENDWININICHANGE);
}

int ScreenDepth() {
    const char* depth = std::getenv("BENCHWARE_DEPTH");
    return depth ? std::atoi(depth) : 24;
}

int WindowsDepth() { return ScreenDepth() == 24 ? 32 : ScreenDepth(); }

void WriteBitmap(const std::string& path, int width, int height, COLORREF colour) {
    const int row = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(row * height);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::string pixels(info.biSizeImage, '\0');
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            char* p = &pixels[static_cast<size_t>(y * row + x * 3)];
            p[0] = static_cast<char>(GetBValue(colour));
            p[1] = static_cast<char>(GetGValue(colour));
            p[2] = static_cast<char>(GetRValue(colour));
        }
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
    bytes += pixels;
    rt::test::WriteBytes(path, bytes);
}

void ClickAt(HWND window, long x, long y) {
    rt::test::ClickAt(window, static_cast<int>(x / rt::Screen::TwipsPerPixelX()),
                      static_cast<int>(y / rt::Screen::TwipsPerPixelY()));
    rt::DoEvents();
}

void MainWindowTest::SetUp() {
    rt::App().Title = "Decorum";
    gPickedColor = 0;
    gPreviousColor = 0;
    gPreviousIndex = -1;
    gOSCode = 0;
}

void MainWindowTest::TearDown() {
    for (rt::Form* form : rt::Forms()) form->Unload();
    rt::DoEvents();
    SetVersionQuery(nullptr);
    CD_Calls() = {};
    DisplaySystem() = {};
}

frmMain& MainWindowTest::Start() {
    frmMain& form = frmMain::Get();
    form.Show();
    rt::DoEvents();
    return form;
}

} // namespace decorum::testing
