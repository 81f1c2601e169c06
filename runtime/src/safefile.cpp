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
    // The file now has this name.
    void MovedTo(const std::wstring& path) { path_ = path; }
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
    bool going = false;
    return detail::StampOf(file, &going) == readAs && !going;
}

// Puts the written temporary file in place of the existing target in one
// step, keeping what the target was. The platform's replace-file call keeps a
// file's attributes and its own security, but it takes the old file away
// before the new one comes: it is given a second name of the old file (a hard
// link beside it) to replace, and the new file, which then has what the old
// one was, takes the target's place in one step. Where the file system has no
// hard links or no replace-file call, the new file takes the target's place
// all the same, with the attributes it was given. With `readAs` the target
// is checked, through a handle that no program writing it may share, before
// the new file takes what it was and once more right before the move. The
// handle is not held in between: it would keep the replace-file call out of
// the same file as well.
void PutInPlace(TempFile& temp, const std::wstring& target, const FileStamp* readAs) {
    auto check = [&] {
        if (!readAs) return;
        FileHandle held(OpenToReplace(target, true, readAs));
        if (!StillAsRead(held, *readAs)) RaiseChanged();
    };
    check();
    std::wstring link = temp.Path(), aside = temp.Path(); // ~bwXXXX.lnk, ~bwXXXX.old
    link.replace(link.size() - 3, 3, L"lnk");
    aside.replace(aside.size() - 3, 3, L"old");
    if (CreateHardLinkW(link.c_str(), target.c_str(), nullptr)) {
        if (ReplaceFileW(link.c_str(), temp.Path().c_str(), aside.c_str(),
                         REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr,
                         nullptr))
            temp.MovedTo(link);
        else
            DeleteFileW(link.c_str());
        DeleteFileW(aside.c_str()); // only a name of the old file
    }
    check();
    if (!MoveFileExW(temp.Path().c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        RaiseReplaceError(GetLastError());
    temp.Kept();
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
        PutInPlace(temp, target, readAs);
        return;
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
