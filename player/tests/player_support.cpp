#include "player_support.h"

#include <mmsystem.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <numbers>

#include <gtest/gtest.h>

#include <rt.h>

#include "test_support.h"

namespace tunebox::test {

namespace {

void Put16(std::string& out, uint16_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>(v >> 8);
}
void Put32(std::string& out, uint32_t v) {
    Put16(out, static_cast<uint16_t>(v & 0xFFFF));
    Put16(out, static_cast<uint16_t>(v >> 16));
}
void PutBig32(std::string& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((v >> shift) & 0xFF);
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream f(rt::Wide(path).c_str(), std::ios::binary);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(f.good()) << path;
}

uint16_t Get16(const std::string& s, size_t at) {
    return static_cast<uint16_t>(static_cast<unsigned char>(s[at]) |
                                 static_cast<unsigned char>(s[at + 1]) << 8);
}
uint32_t Get32(const std::string& s, size_t at) {
    return Get16(s, at) | static_cast<uint32_t>(Get16(s, at + 2)) << 16;
}

int g_monitors = 0;

} // namespace

void WriteTone(const std::string& path, double seconds, double frequency, double amplitude,
               int rate) {
    const auto n = static_cast<uint32_t>(seconds * rate);
    std::string data;
    data.reserve(n * 2);
    for (uint32_t i = 0; i < n; ++i)
        Put16(data, static_cast<uint16_t>(static_cast<int16_t>(
                        amplitude * 32767 * std::sin(2 * std::numbers::pi * frequency * i / rate))));
    std::string out = "RIFF";
    Put32(out, 36 + static_cast<uint32_t>(data.size()));
    out += "WAVEfmt ";
    Put32(out, 16);
    Put16(out, 1);                         // PCM
    Put16(out, 1);                         // mono
    Put32(out, static_cast<uint32_t>(rate));
    Put32(out, static_cast<uint32_t>(rate) * 2);
    Put16(out, 2);
    Put16(out, 16);
    out += "data";
    Put32(out, static_cast<uint32_t>(data.size()));
    WriteFileBytes(path, out + data);
}

void WriteMidi(const std::string& path, int notes) {
    std::string track;
    track += std::string("\x00\xFF\x51\x03\x07\xA1\x20", 7); // 120 beats a minute
    track += std::string("\x00\xC0\x00", 3);                 // piano
    for (int i = 0; i < notes; ++i) {
        const char key = static_cast<char>(60 + i % 12);
        track += std::string("\x00\x90", 2) + key + '\x64';
        track += std::string("\x60\x80", 2) + key + '\x40'; // a quarter note later
    }
    track += std::string("\x00\xFF\x2F\x00", 4);
    std::string out = "MThd";
    PutBig32(out, 6);
    out += std::string("\x00\x00\x00\x01\x00\x60", 6); // format 0, one track, 96 ticks a beat
    out += "MTrk";
    PutBig32(out, static_cast<uint32_t>(track.size()));
    WriteFileBytes(path, out + track);
}

double WaveData::Seconds() const {
    if (!Channels || !Rate) return 0;
    return static_cast<double>(Samples.size()) / Channels / Rate;
}

WaveData ReadWave(const std::string& path) {
    WaveData wave;
    std::ifstream f(rt::Wide(path).c_str(), std::ios::binary);
    std::string s((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    if (s.size() < 12 || s.compare(0, 4, "RIFF") != 0 || s.compare(8, 4, "WAVE") != 0) return wave;
    for (size_t at = 12; at + 8 <= s.size();) {
        const std::string id = s.substr(at, 4);
        const uint32_t size = Get32(s, at + 4);
        const size_t body = at + 8;
        if (id == "fmt " && body + 16 <= s.size()) {
            wave.Channels = Get16(s, body + 2);
            wave.Rate = static_cast<int>(Get32(s, body + 4));
            wave.Bits = Get16(s, body + 14);
        } else if (id == "data" && wave.Bits == 16) {
            const size_t end = std::min(s.size(), body + size);
            for (size_t i = body; i + 1 < end; i += 2)
                wave.Samples.push_back(static_cast<short>(Get16(s, i)));
        }
        at = body + size + (size & 1);
    }
    return wave;
}

double ToneLevel(const std::vector<short>& samples, int rate, double frequency) {
    if (samples.empty()) return 0;
    // The sine's amplitude from its correlation with the frequency (Goertzel).
    const double w = 2 * std::numbers::pi * frequency / rate;
    double re = 0, im = 0;
    for (size_t i = 0; i < samples.size(); ++i) {
        re += samples[i] * std::cos(w * static_cast<double>(i));
        im += samples[i] * std::sin(w * static_cast<double>(i));
    }
    return 2 * std::hypot(re, im) / static_cast<double>(samples.size());
}

bool StartUnixCommand(const std::string& command) {
    // Wine starts a Unix program as it is; it runs beside us, unsupervised.
    std::wstring line = L"/bin/sh -c \"" + rt::Wide(command) + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
        return false;
    if (pi.hProcess) CloseHandle(pi.hProcess);
    if (pi.hThread) CloseHandle(pi.hThread);
    return true;
}

SoundMonitor::SoundMonitor() {
    base_ = "/tmp/tunebox-monitor-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++g_monitors);
    std::wstring raw = L"Z:" + rt::Wide(base_) + L".raw";
    for (wchar_t& c : raw)
        if (c == L'/') c = L'\\';
    DeleteFileW(raw.c_str());
    // The shell records its own process number, which parec then takes over.
    StartUnixCommand("echo $$ > " + base_ + ".pid; exec /usr/bin/parec -d nul.monitor --raw "
                     "--format=s16le --channels=1 --rate=" + std::to_string(kRate) +
                     " --latency-msec=10 > " + base_ + ".raw");
    const DWORD until = GetTickCount() + 5000;
    while (file_ == INVALID_HANDLE_VALUE && GetTickCount() < until) {
        Sleep(10);
        file_ = CreateFileW(raw.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
    }
    std::vector<short> block;
    if (file_ != INVALID_HANDLE_VALUE && !NextBlock(block, 5000)) {
        CloseHandle(file_);
        file_ = INVALID_HANDLE_VALUE;
    }
}

SoundMonitor::~SoundMonitor() {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
    StartUnixCommand("kill $(cat " + base_ + ".pid) 2>/dev/null; rm -f " + base_ + ".pid " +
                     base_ + ".raw");
}

bool SoundMonitor::NextBlock(std::vector<short>& block, DWORD timeoutMs) {
    constexpr DWORD kBytes = kRate / 100 * 2;
    block.resize(kBytes / 2);
    const DWORD until = GetTickCount() + timeoutMs;
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file_, block.data(), kBytes, &got, nullptr)) return false;
        if (got == kBytes) return true;
        // Not all there yet: read it again once more has come.
        SetFilePointer(file_, -static_cast<LONG>(got), nullptr, FILE_CURRENT);
        if (GetTickCount() > until) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 3, QS_ALLINPUT);
        rt::DoEvents();
    }
}

void SoundMonitor::Skip() {
    if (file_ == INVALID_HANDLE_VALUE) return;
    rt::DoEvents();
    SetFilePointer(file_, 0, nullptr, FILE_END);
    // Keep to whole samples.
    LARGE_INTEGER at{};
    SetFilePointerEx(file_, at, &at, FILE_CURRENT);
    if (at.QuadPart & 1) SetFilePointer(file_, -1, nullptr, FILE_CURRENT);
}

double SoundMonitor::Level(double frequency, DWORD ms) {
    std::vector<short> all, block;
    for (DWORD heard = 0; heard < ms; heard += 10) {
        if (!NextBlock(block, 2000)) break;
        all.insert(all.end(), block.begin(), block.end());
    }
    return ToneLevel(all, kRate, frequency);
}

bool SoundMonitor::FallsSilent(double frequency, DWORD timeoutMs) {
    Skip();
    for (DWORD waited = 0; waited < timeoutMs; waited += 200)
        if (Level(frequency, 200) < 300) return true;
    return false;
}

double SoundMonitor::WaitForSound(double frequency, DWORD timeoutMs, double threshold) {
    const DWORD start = GetTickCount();
    std::vector<short> block;
    while (GetTickCount() - start < timeoutMs) {
        if (!NextBlock(block, timeoutMs)) return -1;
        if (ToneLevel(block, kRate, frequency) > threshold) return (GetTickCount() - start) / 1000.0;
    }
    return -1;
}

// ---------------------------------------------------------------------------

HICON SolidIcon(COLORREF color) {
    const int size = GetSystemMetrics(SM_CXICON);
    HDC screen = GetDC(nullptr);
    HBITMAP image = CreateCompatibleBitmap(screen, size, size);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, image);
    RECT all{0, 0, size, size};
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    HBITMAP mask = CreateBitmap(size, size, 1, 1, nullptr); // all shown
    HDC maskDc = CreateCompatibleDC(nullptr);
    old = SelectObject(maskDc, mask);
    PatBlt(maskDc, 0, 0, size, size, BLACKNESS);
    SelectObject(maskDc, old);
    DeleteDC(maskDc);
    ICONINFO info{TRUE, 0, 0, mask, image};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    DeleteObject(image);
    return icon;
}

POINT FindTrayIcon(COLORREF color) {
    RECT bar{};
    HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
    if (!tray || !GetWindowRect(tray, &bar)) return {-1, -1};
    const int w = bar.right - bar.left, h = bar.bottom - bar.top;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP shot = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(dc, shot);
    BitBlt(dc, 0, 0, w, h, screen, bar.left, bar.top, SRCCOPY);
    long sumX = 0, sumY = 0, n = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (GetPixel(dc, x, y) == color) sumX += x, sumY += y, ++n;
    SelectObject(dc, old);
    DeleteObject(shot);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    if (n < 16) return {-1, -1};
    return {bar.left + static_cast<LONG>(sumX / n), bar.top + static_cast<LONG>(sumY / n)};
}

void MoveMouseTo(POINT at) {
    // As a hand moves it: the pointer goes to the point, the window below it
    // hears the move, and the pointer rests there a moment. (The pointer is
    // also placed directly: a move sent alone can be lost by the system.)
    SetCursorPos(at.x, at.y);
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    move.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &move, sizeof move);
    rt::test::WaitFor([] { return false; }, 60);
}

void ClickAt(POINT at, int button, bool twice) {
    MoveMouseTo({at.x - 2, at.y});
    MoveMouseTo(at);
    const DWORD down = button == 2 ? MOUSEEVENTF_RIGHTDOWN
                       : button == 4 ? MOUSEEVENTF_MIDDLEDOWN
                                     : MOUSEEVENTF_LEFTDOWN;
    const DWORD up = button == 2 ? MOUSEEVENTF_RIGHTUP
                     : button == 4 ? MOUSEEVENTF_MIDDLEUP
                                   : MOUSEEVENTF_LEFTUP;
    for (int i = 0; i < (twice ? 2 : 1); ++i) {
        INPUT press[2]{};
        press[0].type = press[1].type = INPUT_MOUSE;
        press[0].mi.dwFlags = down;
        press[1].mi.dwFlags = up;
        SendInput(2, press, sizeof(INPUT));
    }
}

namespace {

BOOL CALLBACK FindShownTip(HWND w, LPARAM p) {
    wchar_t cls[32] = {};
    GetClassNameW(w, cls, 32);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid != GetCurrentProcessId() && IsWindowVisible(w) &&
        lstrcmpiW(cls, L"tooltips_class32") == 0) {
        *reinterpret_cast<HWND*>(p) = w;
        return FALSE;
    }
    return TRUE;
}

} // namespace

std::string ShownToolTip(DWORD timeoutMs) {
    std::string text;
    rt::test::WaitFor(
        [&] {
            HWND tip = nullptr;
            EnumWindows(FindShownTip, reinterpret_cast<LPARAM>(&tip));
            // Its text is the tip shown, asked of the window itself.
            wchar_t shown[256] = {};
            DWORD_PTR length = 0;
            if (tip && SendMessageTimeoutW(tip, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(shown),
                                           SMTO_ABORTIFHUNG, 1000, &length))
                text = rt::Utf8(shown);
            return !text.empty();
        },
        timeoutMs);
    return text;
}

namespace {

std::wstring OverridesKey(const std::string& name) {
    return L"Software\\Wine\\AppDefaults\\" + rt::Wide(name) + L"\\DllOverrides";
}

} // namespace

SilencedCopy::SilencedCopy(const std::string& program, const std::string& name) : name_(name) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    path_ = rt::Utf8(temp) + name;
    CopyFileW(rt::Wide(program).c_str(), rt::Wide(path_).c_str(), FALSE);
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, OverridesKey(name).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &key, nullptr) == ERROR_SUCCESS) {
        for (const wchar_t* driver : {L"winepulse.drv", L"winealsa.drv", L"wineoss.drv"})
            RegSetValueExW(key, driver, 0, REG_SZ, reinterpret_cast<const BYTE*>(L"disabled"),
                           sizeof L"disabled");
        RegCloseKey(key);
    }
}

SilencedCopy::~SilencedCopy() {
    RegDeleteTreeW(HKEY_CURRENT_USER,
                   (L"Software\\Wine\\AppDefaults\\" + rt::Wide(name_)).c_str());
    DeleteFileW(rt::Wide(path_).c_str());
}

std::string OwnFileName() {
    wchar_t self[MAX_PATH];
    std::wstring path(self, GetModuleFileNameW(nullptr, self, MAX_PATH));
    return rt::Utf8(path.substr(path.find_last_of(L"\\/") + 1));
}

// ---------------------------------------------------------------------------

namespace {

LRESULT CALLBACK NotifyProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == MM_MCINOTIFY) {
        auto* codes = reinterpret_cast<std::vector<WPARAM>*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (codes) codes->push_back(wp);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

} // namespace

NotifyWindow::NotifyWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = NotifyProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TuneboxTestNotify";
    RegisterClassW(&wc);
    hwnd_ = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            wc.hInstance, nullptr);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&Codes));
}

NotifyWindow::~NotifyWindow() {
    if (hwnd_) DestroyWindow(hwnd_);
}

std::string DeviceStatus(const std::string& alias, const std::string& item) {
    wchar_t answer[260] = {};
    const std::wstring command = rt::Wide("status " + alias + " " + item);
    if (mciSendStringW(command.c_str(), answer, 260, nullptr) != 0) return "(error)";
    return rt::Utf8(answer);
}

} // namespace tunebox::test
