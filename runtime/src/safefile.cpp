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
        code == ERROR_LOCK_VIOLATION || code == ERROR_UNABLE_TO_REMOVE_REPLACED)
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

[[noreturn]] void RaiseChanged() {
    Raise(errChangedSinceRead, {},
          "The file was changed or deleted by another program after it was read; it was left as "
          "it is now.");
}

// The file to be replaced, opened to be renamed. One that another program
// holds without letting it be renamed is refused (70); with `denyWriters` no
// other program can write it while the handle is open, though it can still be
// read, renamed and deleted.
HANDLE OpenToReplace(const std::wstring& target, bool denyWriters, const FileStamp* readAs) {
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_DELETE | (denyWriters ? 0 : FILE_SHARE_WRITE);
    const HANDLE file = CreateFileW(target.c_str(), DELETE | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                                    share, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        if (readAs && code == ERROR_FILE_NOT_FOUND) RaiseChanged();
        RaiseReplaceError(code);
    }
    return file;
}

// Whether the open file is still what was read: the same length and
// last-write time, and not being deleted.
bool StillAsRead(HANDLE file, const FileStamp& readAs) {
    FILE_STANDARD_INFO standard;
    if (GetFileInformationByHandleEx(file, FileStandardInfo, &standard, sizeof standard) &&
        (standard.DeletePending || standard.NumberOfLinks == 0))
        return false;
    return detail::StampOf(file) == readAs;
}

// Puts the written temporary file in place of the existing target with the
// platform's replace-file call, which keeps what the target was: its
// attributes and its own security. The old file steps aside under a name of
// its own first and is removed once the new one has taken its place; should
// the new one fail to, the old one goes back. With `readAs`, the target is
// checked once more right before, held so that no one writes it meanwhile.
// False where the file system cannot replace a file that way (or the target
// went while it was written, and no check was asked for): the caller then
// moves the temporary file over it in one step.
bool PutInPlace(TempFile& temp, const std::wstring& target, const FileStamp* readAs) {
    FileHandle held;
    if (readAs) {
        held.Reset(OpenToReplace(target, true, readAs));
        if (!StillAsRead(held, *readAs)) RaiseChanged();
    }
    std::wstring aside = temp.Path();
    aside.replace(aside.size() - 3, 3, L"old"); // "~bwXXXX.old" beside "~bwXXXX.tmp"
    if (ReplaceFileW(target.c_str(), temp.Path().c_str(), aside.c_str(),
                     REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr,
                     nullptr)) {
        temp.Kept();
        held.Reset();
        DeleteFileW(aside.c_str());
        return true;
    }
    const DWORD code = GetLastError();
    held.Reset();
    switch (code) {
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT_2:
        MoveFileExW(aside.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH);
        RaiseReplaceError(code);
    case ERROR_FILE_NOT_FOUND:
        if (readAs) RaiseChanged();
        return false;
    case ERROR_NOT_SUPPORTED:
    case ERROR_INVALID_FUNCTION:
    case ERROR_CALL_NOT_IMPLEMENTED:
    case ERROR_INVALID_PARAMETER:
        return false;
    default:
        RaiseReplaceError(code);
    }
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

void ReplaceFileBytes(const std::string& path, std::string_view bytes, const FileStamp* readAs) {
    if (path.empty()) Raise(errBadFileNameOrNumber);
    const std::wstring target = detail::FullPath(Wide(path));
    if (detail::OpenByProgram(target)) Raise(errFileAlreadyOpen);

    const DWORD attributes = GetFileAttributesW(target.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (!exists) {
        const DWORD code = GetLastError();
        if (readAs && code == ERROR_FILE_NOT_FOUND) RaiseChanged();
        if (code != ERROR_FILE_NOT_FOUND) RaiseFileError(code);
    } else {
        if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))
            Raise(errPathFileAccess);
        // Refused at once, before anything is written, when another program
        // holds the file open without letting it be replaced, or when it is
        // no longer what was read.
        FileHandle probe(OpenToReplace(target, false, readAs));
        if (readAs && !StillAsRead(probe, *readAs)) RaiseChanged();
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
        if (PutInPlace(temp, target, readAs)) return;
    }
    if (!MoveFileExW(temp.Path().c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        RaiseReplaceError(GetLastError());
    temp.Kept();
}

void CheckStillAsRead(const std::string& path, const FileStamp& readAs) {
    FileHandle file(OpenToReplace(detail::FullPath(Wide(path)), false, &readAs));
    if (!StillAsRead(file, readAs)) RaiseChanged();
}

void ReplaceFileText(const std::string& path, std::string_view text) {
    ReplaceFileBytes(path, AnsiOrRefuse(text));
}

} // namespace rt
