#include "replacer.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <new>

#include <rt.h>

#include "safefile_standin.h"

namespace sweeper {

namespace {

// How far the search goes inside one line before the run is asked whether to
// stop, and how much work passes between two such questions.
constexpr size_t kWindow = 64 * 1024;

constexpr int kAllFiles = rt::vbNormal | rt::vbReadOnly | rt::vbHidden | rt::vbSystem | rt::vbArchive;

// The runtime error for a file that could not be opened or read.
[[noreturn]] void RaiseReadError(DWORD code) {
    switch (code) {
    case ERROR_FILE_NOT_FOUND: rt::Raise(rt::errFileNotFound);
    case ERROR_PATH_NOT_FOUND: rt::Raise(rt::errPathNotFound);
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: rt::Raise(rt::errPermissionDenied);
    case ERROR_ACCESS_DENIED: rt::Raise(rt::errPathFileAccess);
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY: rt::Raise(rt::errOutOfMemory);
    default: rt::Raise(57); // "Device I/O error"
    }
}

// The whole file, byte for byte. It is opened for reading with others allowed
// to read only: a file another program is writing is not taken.
std::string ReadAllBytes(const std::string& path, long length) {
    HANDLE file = CreateFileW(rt::Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) RaiseReadError(GetLastError());
    std::string bytes;
    DWORD code = ERROR_SUCCESS;
    try {
        bytes.resize(static_cast<size_t>(length));
        size_t done = 0;
        while (done < bytes.size()) {
            DWORD got = 0;
            const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 20));
            if (!ReadFile(file, bytes.data() + done, want, &got, nullptr)) {
                code = GetLastError();
                break;
            }
            if (got == 0) break; // shorter than when it was measured
            done += got;
        }
        bytes.resize(done);
    } catch (const std::bad_alloc&) {
        code = ERROR_OUTOFMEMORY;
    }
    CloseHandle(file);
    if (code != ERROR_SUCCESS) RaiseReadError(code);
    return bytes;
}

// Appends content[from, to) with every CR that stands alone (not followed by
// LF) written as CR LF, the line end the run writes.
void AppendLines(std::string& out, std::string_view content, size_t from, size_t to) {
    while (from < to) {
        const void* cr = std::memchr(content.data() + from, '\r', to - from);
        const size_t end = cr ? static_cast<size_t>(static_cast<const char*>(cr) - content.data()) : to;
        out.append(content.data() + from, end - from);
        if (!cr) return;
        out += '\r';
        if (end + 1 >= content.size() || content[end + 1] != '\n') out += '\n';
        from = end + 1;
    }
}

} // namespace

std::string BackupFileName(const std::string& date, const std::string& fileName) {
    std::string name = "[BACKUP " + date + "] " + fileName;
    for (auto [from, to] : {std::pair{'/', '_'}, {'\\', '_'}, {':', '.'}, {'*', '.'}, {'?', '.'},
                            {'|', '.'}, {'"', '\''}, {'>', '.'}, {'<', '.'}})
        std::replace(name.begin(), name.end(), from, to);
    return name;
}

long CountLines(std::string_view content) {
    if (content.empty()) return 0;
    long lines = static_cast<long>(std::count(content.begin(), content.end(), '\r'));
    const bool ended = content.back() == '\r' ||
                       (content.size() > 1 && content.back() == '\n' && content[content.size() - 2] == '\r');
    return ended ? lines : lines + 1;
}

long CountFileLines(const std::string& FilePath, long& ErrNumber, std::string& ErrDescription,
                    std::string& Content) {
    ErrNumber = 0;
    ErrDescription.clear();
    Content.clear();
    try {
        if (rt::Trim(FilePath).empty()) return -1;
        if (rt::Dir(FilePath, kAllFiles).empty()) return -1;
        const long length = rt::FileLen(FilePath);
        if (length < 1) return 0;
        Content = ReadAllBytes(FilePath, length);
        return CountLines(Content);
    } catch (const rt::Error& e) {
        ErrNumber = e.Number;
        ErrDescription = e.Description;
    } catch (const std::bad_alloc&) {
        ErrNumber = rt::errOutOfMemory;
        ErrDescription = rt::ErrorText(rt::errOutOfMemory);
    }
    Content.clear();
    Content.shrink_to_fit();
    return -1;
}

Replacer::Replacer(std::string searchKey, std::string replacement, bool ignoreCase,
                   const CodePage& codePage)
    : key_(std::move(searchKey)), replacement_(std::move(replacement)), ignoreCase_(ignoreCase),
      codePage_(codePage),
      searcher_(key_.data(), key_.data() + key_.size()) {}

size_t Replacer::Find(std::string_view haystack, size_t lineStart, size_t from, size_t limit,
                      size_t lineEnd, size_t& walked) const {
    const size_t m = key_.size();
    const char* base = haystack.data();
    while (from < limit && lineEnd - from >= m) {
        const char* last = base + std::min(lineEnd, limit + m - 1);
        const char* hit = std::search(base + from, last, searcher_);
        if (hit == last) return std::string_view::npos;
        const size_t p = static_cast<size_t>(hit - base);
        if (!codePage_.DoubleByte()) return p;
        // In a code page of double-byte characters a match must begin on a
        // character, not on the second byte of one.
        if (walked < lineStart) walked = lineStart;
        while (walked < p)
            walked += codePage_.LeadByte(static_cast<unsigned char>(base[walked])) &&
                              walked + 1 < lineEnd
                          ? 2
                          : 1;
        if (walked == p) return p;
        from = p + 1;
    }
    return std::string_view::npos;
}

Replacer::Result Replacer::Run(std::string_view content, const PollFunction& poll) const {
    Result r;
    const size_t n = content.size();
    const size_t m = key_.size();
    std::string upper;
    std::string_view haystack = content;
    if (ignoreCase_ && m > 0) {
        upper = codePage_.Upper(content);
        haystack = upper;
    }
    size_t copied = 0; // the new text holds content[0, copied) already
    size_t lineStart = 0;
    while (lineStart < n) {
        ++r.Lines;
        if (poll(r.Lines, r.Found)) {
            r.Stopped = true;
            r.Text.clear();
            return r;
        }
        const void* cr = std::memchr(content.data() + lineStart, '\r', n - lineStart);
        const size_t lineEnd = cr ? static_cast<size_t>(static_cast<const char*>(cr) - content.data()) : n;

        size_t from = lineStart, walked = lineStart, asked = lineStart;
        while (m > 0 && from < lineEnd) {
            const size_t limit = std::min(lineEnd, from + kWindow);
            const size_t p = Find(haystack, lineStart, from, limit, lineEnd, walked);
            if (p == std::string_view::npos) {
                from = limit;
            } else {
                if (r.Found == 0) r.Text.reserve(n + n / 8 + 2);
                ++r.Found;
                AppendLines(r.Text, content, copied, p);
                r.Text += replacement_;
                copied = from = p + m;
            }
            if (from - asked >= kWindow && from < lineEnd) {
                asked = from;
                if (poll(r.Lines, r.Found)) {
                    r.Stopped = true;
                    r.Text.clear();
                    return r;
                }
            }
        }
        lineStart = lineEnd + 1;
        if (lineStart < n && content[lineStart] == '\n') ++lineStart;
    }
    if (r.Found > 0) {
        AppendLines(r.Text, content, copied, n);
        if (r.Text.size() < 2 || r.Text.compare(r.Text.size() - 2, 2, "\r\n") != 0) r.Text += "\r\n";
    }
    return r;
}

void SaveReplaced(const std::string& filePath, const std::string& backupPath,
                  std::string_view original, std::string_view newText) {
    const std::wstring file = rt::Wide(filePath);
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) RaiseReadError(GetLastError());
    // A read-only file is not to be changed: refused before a backup is made.
    if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) rt::Raise(rt::errPathFileAccess);

    if (!backupPath.empty()) {
        // The new backup is complete before the old one of the same day goes;
        // an old backup that is read-only is replaced all the same.
        const std::wstring backup = rt::Wide(backupPath);
        const DWORD old = GetFileAttributesW(backup.c_str());
        const bool wasReadOnly = old != INVALID_FILE_ATTRIBUTES && (old & FILE_ATTRIBUTE_READONLY) &&
                                 !(old & FILE_ATTRIBUTE_DIRECTORY);
        if (wasReadOnly) SetFileAttributesW(backup.c_str(), old & ~FILE_ATTRIBUTE_READONLY);
        try {
            rt::ReplaceFileBytes(backupPath, original);
        } catch (...) {
            if (wasReadOnly) SetFileAttributesW(backup.c_str(), old);
            throw;
        }
        // As a copy of the file, the backup has the file's attributes.
        SetFileAttributesW(backup.c_str(), attributes);
    }
    rt::ReplaceFileBytes(filePath, newText);
}

} // namespace sweeper
