// Rewriting a file through a temporary file in its folder, so that the user's
// file is at every moment either the old one or the new one, whole.
#include "rt/safefile.h"

#include <windows.h>

#include <algorithm>

#include "files_internal.h"
#include "rt/convert.h"
#include "rt/error.h"
#include "rt/handles.h"

namespace rt {

using detail::RaiseFileError;

namespace {

constexpr size_t kWriteChunk = 1 << 20;

// The attributes a replaced file keeps (read-only files are never replaced).
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// The temporary file, removed unless it took the original's place.
class TempFile {
  public:
    TempFile() = default;
    ~TempFile() {
        if (!path_.empty()) DeleteFileW(path_.c_str());
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    void Create(const std::wstring& folder) {
        wchar_t name[MAX_PATH];
        if (!GetTempFileNameW(folder.c_str(), L"~bw", 0, name)) RaiseFileError(GetLastError());
        path_ = name;
    }
    const std::wstring& Path() const { return path_; }
    void Kept() { path_.clear(); }

  private:
    std::wstring path_;
};

[[noreturn]] void RaiseWriteError(DWORD code) {
    if (code == ERROR_DISK_FULL || code == ERROR_HANDLE_DISK_FULL) Raise(errDiskFull);
    Raise(errDeviceIO);
}

// A file that another program holds open can be neither renamed nor replaced.
[[noreturn]] void RaiseReplaceError(DWORD code) {
    if (code == ERROR_ACCESS_DENIED || code == ERROR_SHARING_VIOLATION ||
        code == ERROR_LOCK_VIOLATION)
        Raise(errPermissionDenied);
    RaiseFileError(code);
}

void WriteAll(HANDLE file, std::string_view bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD want = static_cast<DWORD>(std::min(bytes.size() - done, kWriteChunk));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, want, &written, nullptr) || written == 0)
            RaiseWriteError(GetLastError());
        done += written;
    }
    if (!FlushFileBuffers(file)) RaiseWriteError(GetLastError());
}

// The text in the ANSI code page, or errNotInCodePage for the first character
// the code page has no place for.
std::string AnsiOrRefuse(std::string_view text) {
    std::wstring w = Wide(text);
    if (w.empty()) return {};
    if (GetACP() == CP_UTF8) return std::string(text);
    BOOL lost = FALSE;
    const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, w.data(),
                                      static_cast<int>(w.size()), nullptr, 0, nullptr, &lost);
    if (n > 0 && !lost) {
        std::string out(static_cast<size_t>(n), '\0');
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, w.data(), static_cast<int>(w.size()),
                            out.data(), n, nullptr, nullptr);
        return out;
    }
    long line = 1;
    for (size_t i = 0; i < w.size();) {
        const size_t len = IS_HIGH_SURROGATE(w[i]) && i + 1 < w.size() ? 2 : 1;
        char buf[8];
        BOOL bad = FALSE;
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, w.data() + i, static_cast<int>(len),
                            buf, sizeof buf, nullptr, &bad);
        if (bad)
            Raise(errNotInCodePage, {},
                  "The character \"" + Utf8(std::wstring_view(w.data() + i, len)) + "\" on line " +
                      CStr(line) +
                      " cannot be stored in the system's code page; the file was not written.");
        if (w[i] == L'\n' || (w[i] == L'\r' && (i + 1 == w.size() || w[i + 1] != L'\n'))) ++line;
        i += len;
    }
    Raise(errNotInCodePage); // not reached: some character was refused above
}

} // namespace

void ReplaceFileBytes(const std::string& path, std::string_view bytes) {
    if (path.empty()) Raise(errBadFileNameOrNumber);
    const std::wstring target = detail::FullPath(Wide(path));
    if (detail::OpenByProgram(target)) Raise(errFileAlreadyOpen);

    const DWORD attributes = GetFileAttributesW(target.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (!exists) {
        const DWORD code = GetLastError();
        if (code != ERROR_FILE_NOT_FOUND) RaiseFileError(code);
    } else {
        if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))
            Raise(errPathFileAccess);
        // Refused at once, before anything is written, when another program
        // holds the file open without letting it be replaced.
        FileHandle probe(CreateFileW(target.c_str(), DELETE,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, 0, nullptr));
        if (!probe.Valid()) RaiseReplaceError(GetLastError());
    }

    TempFile temp;
    temp.Create(target.substr(0, target.find_last_of(L'\\') + 1));
    {
        FileHandle out(CreateFileW(temp.Path().c_str(), GENERIC_WRITE, 0, nullptr,
                                   TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!out.Valid()) RaiseFileError(GetLastError());
        WriteAll(out, bytes);
    }
    if (exists) {
        const DWORD kept = attributes & kKeptAttributes;
        if (!SetFileAttributesW(temp.Path().c_str(), kept ? kept : FILE_ATTRIBUTE_NORMAL))
            RaiseFileError(GetLastError());
    }
    if (!MoveFileExW(temp.Path().c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        RaiseReplaceError(GetLastError());
    temp.Kept();
}

void ReplaceFileText(const std::string& path, std::string_view text) {
    ReplaceFileBytes(path, AnsiOrRefuse(text));
}

} // namespace rt
