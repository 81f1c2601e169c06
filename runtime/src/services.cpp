// The runtime's services that are not windows: the program's identity, the
// screen, the settings store, the clipboard, sequential files, the file system
// and the date.
#include "rt/services.h"

#include <windows.h>

#include <array>
#include <memory>

#include "files_internal.h"
#include "rt/convert.h"
#include "rt/error.h"
#include "rt/handles.h"

namespace rt {

namespace detail {

// The runtime's error for a failed file-system call.
[[noreturn]] void RaiseFileError(DWORD code) {
    switch (code) {
    case ERROR_FILE_NOT_FOUND: Raise(errFileNotFound);
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_NETPATH:
    case ERROR_INVALID_DRIVE: Raise(errPathNotFound);
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME: Raise(errBadFileNameOrNumber);
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: Raise(errFileAlreadyExists);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: Raise(errDiskFull);
    case ERROR_NOT_READY: Raise(71);
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT: Raise(errPermissionDenied);
    case ERROR_CRC:
    case ERROR_IO_DEVICE: Raise(errDeviceIO);
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY: Raise(errOutOfMemory);
    default: Raise(errPathFileAccess);
    }
}

std::wstring FullPath(const std::wstring& path) {
    DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (n == 0) return path;
    std::wstring out(n, L'\0');
    n = GetFullPathNameW(path.c_str(), n, out.data(), nullptr);
    out.resize(n);
    return out;
}

} // namespace detail

using detail::FullPath;
using detail::RaiseFileError;

namespace {

bool SameWidePath(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

std::wstring ModulePath() {
    std::wstring buf(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n < buf.size()) {
            buf.resize(n);
            return buf;
        }
        buf.resize(buf.size() * 2);
    }
}

std::wstring SettingsKey(const std::string& app, const std::string& section) {
    std::wstring key = L"Software\\Benchware\\" + Wide(app);
    if (!section.empty()) key += L"\\" + Wide(section);
    return key;
}

// The clipboard wants an owner window; a message-only window serves.
HWND ClipboardOwner() {
    static HWND owner = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"BenchwareClipboardOwner";
        RegisterClassW(&wc);
        return CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               wc.hInstance, nullptr);
    }();
    return owner;
}

// Open for the length of one clipboard operation. Another program may hold the
// clipboard for a moment, so opening is tried a few times.
class ClipboardSession {
  public:
    ClipboardSession() {
        for (int attempt = 0; attempt < 10; ++attempt) {
            if (OpenClipboard(ClipboardOwner())) return;
            Sleep(10);
        }
        Raise(521); // "Can't open Clipboard"
    }
    ~ClipboardSession() { CloseClipboard(); }
    ClipboardSession(const ClipboardSession&) = delete;
    ClipboardSession& operator=(const ClipboardSession&) = delete;
};

// ---- Sequential files ------------------------------------------------------

enum class Mode { Input, Output, Append, Binary };

constexpr int kMaxFileNumber = 511;
constexpr size_t kChunk = 64 * 1024;

struct SeqFile {
    FileHandle handle;
    Mode mode = Mode::Input;
    std::wstring fullPath;
    std::string buffer; // writing: bytes not yet written; reading: bytes not yet read
    size_t pos = 0;     // reading: next byte in buffer
    bool atEnd = false; // reading: the file has no more bytes beyond buffer

    void Flush() {
        size_t done = 0;
        while (done < buffer.size()) {
            DWORD written = 0;
            DWORD want = static_cast<DWORD>(std::min(buffer.size() - done, kChunk));
            if (!WriteFile(handle, buffer.data() + done, want, &written, nullptr) || written == 0) {
                DWORD code = GetLastError();
                buffer.erase(0, done);
                if (code == ERROR_DISK_FULL || code == ERROR_HANDLE_DISK_FULL) Raise(errDiskFull);
                Raise(errDeviceIO);
            }
            done += written;
        }
        buffer.clear();
    }

    // Makes a byte available to read; false at the end of the file.
    bool Fill() {
        if (pos < buffer.size()) return true;
        if (atEnd) return false;
        buffer.resize(kChunk);
        DWORD got = 0;
        if (!ReadFile(handle, buffer.data(), static_cast<DWORD>(kChunk), &got, nullptr)) {
            buffer.clear();
            pos = 0;
            Raise(errDeviceIO);
        }
        buffer.resize(got);
        pos = 0;
        if (got == 0) atEnd = true;
        return got > 0;
    }
};

std::array<std::unique_ptr<SeqFile>, kMaxFileNumber + 1>& Files() {
    static std::array<std::unique_ptr<SeqFile>, kMaxFileNumber + 1> files;
    return files;
}

// Flushes what the program wrote when it ends without closing its files.
struct FlushAtExit {
    FlushAtExit() { Files(); } // the table is built first, so it is still there at exit
    ~FlushAtExit() {
        for (auto& f : Files()) {
            if (f && f->mode != Mode::Input) {
                try {
                    f->Flush();
                } catch (...) {
                }
            }
        }
    }
} flushAtExit;

SeqFile& OpenFile(int fileNumber) {
    if (fileNumber < 1 || fileNumber > kMaxFileNumber || !Files()[fileNumber])
        Raise(errBadFileNameOrNumber);
    return *Files()[fileNumber];
}

// The program's own open file of that path (nullptr when none).
SeqFile* OpenByPath(const std::wstring& fullPath) {
    for (auto& f : Files())
        if (f && SameWidePath(f->fullPath, fullPath)) return f.get();
    return nullptr;
}

void Open(int fileNumber, const std::string& path, Mode mode) {
    if (fileNumber < 1 || fileNumber > kMaxFileNumber) Raise(errBadFileNameOrNumber);
    if (Files()[fileNumber]) Raise(errFileAlreadyOpen);
    if (path.empty()) Raise(errBadFileNameOrNumber);
    std::wstring wpath = Wide(path);
    std::wstring full = FullPath(wpath);
    // A file may be read through several numbers, but one being written is
    // the program's alone.
    if (SeqFile* other = OpenByPath(full); other && (mode != Mode::Input || other->mode != Mode::Input))
        Raise(errFileAlreadyOpen);

    // A read-only file is never replaced or added to (checked here as well, so
    // that a user whose rights override the attribute gets the same answer).
    if (mode != Mode::Input) {
        DWORD a = GetFileAttributesW(wpath.c_str());
        if (a != INVALID_FILE_ATTRIBUTES && (a & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
            Raise(errPathFileAccess);
    }
    auto file = std::make_unique<SeqFile>();
    file->mode = mode;
    file->fullPath = full;
    DWORD access = mode == Mode::Input    ? GENERIC_READ
                   : mode == Mode::Binary ? GENERIC_READ | GENERIC_WRITE
                                          : GENERIC_WRITE;
    DWORD disposition = mode == Mode::Input    ? OPEN_EXISTING
                        : mode == Mode::Output ? CREATE_ALWAYS
                                               : OPEN_ALWAYS;
    HANDLE h = CreateFileW(wpath.c_str(), access, FILE_SHARE_READ, nullptr, disposition,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) RaiseFileError(GetLastError());
    file->handle.Reset(h);
    if (mode == Mode::Append) SetFilePointer(file->handle, 0, nullptr, FILE_END);
    Files()[fileNumber] = std::move(file);
}

SeqFile& Writable(int fileNumber) {
    SeqFile& f = OpenFile(fileNumber);
    if (f.mode == Mode::Input || f.mode == Mode::Binary) Raise(errBadFileMode);
    return f;
}

void Write(int fileNumber, const std::string& text, bool lineEnd) {
    SeqFile& f = Writable(fileNumber);
    f.buffer += ToAnsi(text);
    if (lineEnd) f.buffer += "\r\n";
    if (f.buffer.size() >= kChunk) f.Flush();
}

} // namespace

bool detail::OpenByProgram(const std::wstring& fullPath) { return OpenByPath(fullPath) != nullptr; }


// ---- Identity ----------------------------------------------------------------

std::string AppInfo::Path() const {
    std::wstring exe = ModulePath();
    size_t slash = exe.find_last_of(L"\\/");
    std::wstring folder = slash == std::wstring::npos ? std::wstring() : exe.substr(0, slash);
    if (folder.size() == 2 && folder[1] == L':') folder += L'\\'; // a drive's root keeps its "\"
    return Utf8(folder);
}

AppInfo& App() {
    static AppInfo app = [] {
        AppInfo a;
        // Until main() names the program, it goes by its file name.
        std::wstring exe = ModulePath();
        size_t slash = exe.find_last_of(L"\\/");
        std::wstring name = slash == std::wstring::npos ? exe : exe.substr(slash + 1);
        size_t dot = name.find_last_of(L'.');
        if (dot != std::wstring::npos) name.resize(dot);
        a.Title = Utf8(name);
        return a;
    }();
    return app;
}

// ---- Screen ------------------------------------------------------------------

namespace Screen {

namespace {
int pointer = 0;

long PixelsPerInch(int index) {
    WindowDC dc(nullptr);
    int dpi = dc ? GetDeviceCaps(dc, index) : 96;
    return dpi > 0 ? dpi : 96;
}

const wchar_t* CursorOf(int value) {
    switch (value) {
    case 2: return IDC_CROSS;
    case 3: return IDC_IBEAM;
    case 5: case 15: return IDC_SIZEALL;
    case 6: return IDC_SIZENESW;
    case 7: return IDC_SIZENS;
    case 8: return IDC_SIZENWSE;
    case 9: return IDC_SIZEWE;
    case 10: return IDC_UPARROW;
    case 11: return IDC_WAIT;
    case 12: return IDC_NO;
    case 13: return IDC_APPSTARTING;
    case 14: return IDC_HELP;
    default: return IDC_ARROW;
    }
}
} // namespace

long TwipsPerPixelX() { return 1440 / PixelsPerInch(LOGPIXELSX); }
long TwipsPerPixelY() { return 1440 / PixelsPerInch(LOGPIXELSY); }
long Width() { return GetSystemMetrics(SM_CXSCREEN) * TwipsPerPixelX(); }
long Height() { return GetSystemMetrics(SM_CYSCREEN) * TwipsPerPixelY(); }

void SetMousePointer(int value) {
    pointer = value;
    // Shown at once, so that a long task that does not yield shows it too.
    SetCursor(LoadCursorW(nullptr, CursorOf(value)));
}

int MousePointer() { return pointer; }

} // namespace Screen

// ---- Settings ----------------------------------------------------------------

std::string GetSetting(const std::string& app, const std::string& section, const std::string& key,
                       const std::string& defaultValue) {
    if (app.empty() || section.empty() || key.empty()) return defaultValue;
    RegKey k;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, SettingsKey(app, section).c_str(), 0, KEY_QUERY_VALUE,
                      &k.Handle()) != ERROR_SUCCESS)
        return defaultValue;
    std::wstring name = Wide(key);
    DWORD type = 0, bytes = 0;
    if (RegQueryValueExW(k, name.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return defaultValue;
    std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    if (RegQueryValueExW(k, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value.data()),
                         &bytes) != ERROR_SUCCESS)
        return defaultValue;
    value.resize(bytes / sizeof(wchar_t));
    while (!value.empty() && value.back() == L'\0') value.pop_back();
    return Utf8(value);
}

void SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                 const std::string& value) {
    if (app.empty() || section.empty() || key.empty()) Raise(errInvalidProcedureCall);
    RegKey k;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, SettingsKey(app, section).c_str(), 0, nullptr, 0,
                        KEY_SET_VALUE, nullptr, &k.Handle(), nullptr) != ERROR_SUCCESS)
        Raise(335); // "Could not access system registry"
    std::wstring v = Wide(value);
    if (RegSetValueExW(k, Wide(key).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(v.c_str()),
                       static_cast<DWORD>((v.size() + 1) * sizeof(wchar_t))) != ERROR_SUCCESS)
        Raise(335);
}

void DeleteSetting(const std::string& app, const std::string& section) {
    if (app.empty()) Raise(errInvalidProcedureCall);
    LSTATUS rc = RegDeleteTreeW(HKEY_CURRENT_USER, SettingsKey(app, section).c_str());
    if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND) Raise(335);
    if (rc == ERROR_SUCCESS) RegDeleteKeyW(HKEY_CURRENT_USER, SettingsKey(app, section).c_str());
}

// ---- Clipboard ---------------------------------------------------------------

namespace Clipboard {

void Clear() {
    ClipboardSession session;
    if (!EmptyClipboard()) Raise(520); // "Can't empty Clipboard"
}

void SetText(const std::string& text) {
    std::wstring w = Wide(text);
    // The block is filled before the clipboard is touched: when that fails the
    // block is freed, the error raised, and the clipboard keeps what it had.
    size_t bytes = (w.size() + 1) * sizeof(wchar_t);
    GlobalMemory mem(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!mem) Raise(errOutOfMemory);
    {
        GlobalLocked<wchar_t> p(mem);
        if (!p) Raise(errOutOfMemory);
        memcpy(p.get(), w.c_str(), bytes);
    }
    ClipboardSession session;
    if (!EmptyClipboard()) Raise(520);
    if (!SetClipboardData(CF_UNICODETEXT, mem)) Raise(521); // still ours: freed on the way out
    mem.Release(); // the clipboard owns it now
}

std::string GetText() {
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) return {};
    ClipboardSession session;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (!data) return {};
    GlobalLocked<const wchar_t> p(data);
    if (!p) return {};
    size_t max = GlobalSize(data) / sizeof(wchar_t);
    size_t len = 0;
    while (len < max && p.get()[len]) ++len;
    return Utf8(std::wstring_view(p.get(), len));
}

} // namespace Clipboard

// ---- Sequential files --------------------------------------------------------

int FreeFile() {
    for (int n = 1; n <= kMaxFileNumber; ++n)
        if (!Files()[n]) return n;
    Raise(67); // "Too many files"
}

void OpenForOutput(int fileNumber, const std::string& path) { Open(fileNumber, path, Mode::Output); }
void OpenForAppend(int fileNumber, const std::string& path) { Open(fileNumber, path, Mode::Append); }
void OpenForInput(int fileNumber, const std::string& path) { Open(fileNumber, path, Mode::Input); }

void PrintLine(int fileNumber, const std::string& text) { Write(fileNumber, text, true); }
void PrintText(int fileNumber, const std::string& text) { Write(fileNumber, text, false); }

std::string LineInput(int fileNumber) {
    SeqFile& f = OpenFile(fileNumber);
    if (f.mode != Mode::Input) Raise(errBadFileMode);
    if (!f.Fill()) Raise(62); // "Input past end of file"
    std::string line;
    for (;;) {
        if (!f.Fill()) break;
        char c = f.buffer[f.pos++];
        if (c == '\r') {
            if (f.Fill() && f.buffer[f.pos] == '\n') ++f.pos;
            break;
        }
        if (c == '\n') break;
        line += c;
    }
    return FromAnsi(line);
}

bool Eof(int fileNumber) {
    SeqFile& f = OpenFile(fileNumber);
    if (f.mode != Mode::Input) return true;
    return !f.Fill();
}

void OpenForBinary(int fileNumber, const std::string& path) { Open(fileNumber, path, Mode::Binary); }

void Put(int fileNumber, long position, std::string_view bytes) {
    SeqFile& f = OpenFile(fileNumber);
    if (f.mode != Mode::Binary) Raise(errBadFileMode);
    if (position < 1) Raise(errBadRecordNumber);
    LARGE_INTEGER at;
    at.QuadPart = position - 1;
    if (!SetFilePointerEx(f.handle, at, nullptr, FILE_BEGIN)) RaiseFileError(GetLastError());
    f.buffer.assign(bytes);
    f.Flush();
}

void Close(int fileNumber) {
    if (fileNumber < 1 || fileNumber > kMaxFileNumber) Raise(errBadFileNameOrNumber);
    std::unique_ptr<SeqFile> f = std::move(Files()[fileNumber]);
    if (f && f->mode != Mode::Input) f->Flush(); // the handle closes with f even when this fails
}

void CloseAll() {
    bool failed = false;
    long number = 0;
    for (int n = 1; n <= kMaxFileNumber; ++n) {
        try {
            Close(n);
        } catch (const Error& e) {
            if (!failed) number = e.Number;
            failed = true;
        }
    }
    if (failed) Raise(number);
}

// ---- File system -------------------------------------------------------------

bool FileExists(const std::string& path) {
    if (path.empty()) return false;
    DWORD a = GetFileAttributesW(Wide(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool SamePath(const std::string& a, const std::string& b) { return SameWidePath(Wide(a), Wide(b)); }

std::vector<std::string> Dir(const std::string& pattern, int attributes) {
    std::wstring p = Wide(pattern);
    if (p.empty() || p.back() == L'\\' || p.back() == L'/' || p.back() == L':') p += L"*.*";
    std::vector<std::string> names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(p.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    // Normal, read-only and archive files always; hidden, system and folders
    // only when the mask asks for every such attribute the entry has.
    const DWORD special = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;
    do {
        std::wstring_view name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        if ((data.dwFileAttributes & special) & ~static_cast<DWORD>(attributes)) continue;
        names.push_back(Utf8(name));
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return names;
}

void Kill(const std::string& path) {
    if (path.empty()) Raise(errBadFileNameOrNumber);
    std::wstring w = Wide(path);
    DWORD a = GetFileAttributesW(w.c_str());
    if (a == INVALID_FILE_ATTRIBUTES) RaiseFileError(GetLastError());
    if (a & FILE_ATTRIBUTE_DIRECTORY) Raise(errPathFileAccess);
    if (OpenByPath(FullPath(w))) Raise(errFileAlreadyOpen);
    if (!DeleteFileW(w.c_str())) RaiseFileError(GetLastError());
}

void FileCopy(const std::string& from, const std::string& to) {
    if (from.empty() || to.empty()) Raise(errBadFileNameOrNumber);
    std::wstring src = Wide(from), dst = Wide(to);
    DWORD a = GetFileAttributesW(src.c_str());
    if (a == INVALID_FILE_ATTRIBUTES) {
        DWORD code = GetLastError();
        RaiseFileError(code == ERROR_PATH_NOT_FOUND ? ERROR_FILE_NOT_FOUND : code);
    }
    if (a & FILE_ATTRIBUTE_DIRECTORY) Raise(errFileNotFound);
    DWORD target = GetFileAttributesW(dst.c_str());
    if (target != INVALID_FILE_ATTRIBUTES &&
        (target & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        Raise(errPathFileAccess);
    if (!CopyFileW(src.c_str(), dst.c_str(), FALSE)) RaiseFileError(GetLastError());
}

long FileLen(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (path.empty() || !GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data))
        Raise(errFileNotFound);
    if (data.nFileSizeHigh != 0 || data.nFileSizeLow > 0x7FFFFFFF) Raise(errOverflow);
    return static_cast<long>(data.nFileSizeLow);
}

int GetAttr(const std::string& path) {
    DWORD a = path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(Wide(path).c_str());
    if (a == INVALID_FILE_ATTRIBUTES) Raise(errFileNotFound);
    return static_cast<int>(a & (vbReadOnly | vbHidden | vbSystem | vbDirectory | vbArchive));
}

void SetAttr(const std::string& path, int attributes) {
    if (attributes & ~(vbReadOnly | vbHidden | vbSystem | vbArchive)) Raise(errInvalidProcedureCall);
    std::wstring w = Wide(path);
    if (path.empty() || GetFileAttributesW(w.c_str()) == INVALID_FILE_ATTRIBUTES)
        Raise(errFileNotFound);
    if (OpenByPath(FullPath(w))) Raise(errFileAlreadyOpen);
    if (!SetFileAttributesW(w.c_str(), attributes ? static_cast<DWORD>(attributes)
                                                  : FILE_ATTRIBUTE_NORMAL))
        RaiseFileError(GetLastError());
}

std::string CurDir() {
    DWORD n = GetCurrentDirectoryW(0, nullptr);
    std::wstring buf(n, L'\0');
    n = GetCurrentDirectoryW(n, buf.data());
    buf.resize(n);
    return Utf8(buf);
}

void ChDir(const std::string& path) {
    if (path.empty() || !SetCurrentDirectoryW(Wide(path).c_str())) Raise(errPathNotFound);
}

std::string DateShort() {
    wchar_t buf[128];
    int n = GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, buf, 128);
    return n > 0 ? Utf8(std::wstring_view(buf, static_cast<size_t>(n - 1))) : std::string();
}

} // namespace rt
