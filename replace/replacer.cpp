#include "replacer.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

#include <rt.h>
#include <rt/filebytes.h>


namespace sweeper {

namespace {

// How far the search goes inside one line before the run is asked whether to
// stop, and how much work passes between two such questions.
constexpr size_t kWindow = 64 * 1024;

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
                    std::string& Content, rt::FileStamp& ReadAs) {
    ErrNumber = 0;
    ErrDescription.clear();
    Content.clear();
    try {
        if (rt::Trim(FilePath).empty()) return -1;
        // What a directory search for the path with every file attribute
        // finds, and the file's length, in one question to the file system.
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExW(rt::Wide(FilePath).c_str(), GetFileExInfoStandard, &data) ||
            (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            return -1;
        if (data.nFileSizeHigh != 0 || data.nFileSizeLow > 0x7FFFFFFF) rt::Raise(rt::errOverflow);
        if (data.nFileSizeLow == 0) return 0;
        rt::ReadFileBytes(FilePath, Content, &ReadAs);
        return CountLines(Content);
    } catch (const rt::Error& e) {
        ErrNumber = e.Number;
        ErrDescription = e.Description;
    } catch (const std::bad_alloc&) {
        ErrNumber = rt::errOutOfMemory;
        ErrDescription = rt::ErrorText(rt::errOutOfMemory);
    }
    Content.clear();
    return -1;
}

bool IsCodePageText(std::string_view content) {
    if (content.starts_with("\xFF\xFE") || content.starts_with("\xFE\xFF")) return false;
    // A UTF-32 byte-order mark (FF FE 00 00, 00 00 FE FF) holds NUL bytes too.
    return content.find('\0') == std::string_view::npos;
}

Replacer::Replacer(std::string searchKey, std::string replacement, bool ignoreCase,
                   const CodePage& codePage)
    : key_(std::move(searchKey)), replacement_(std::move(replacement)), ignoreCase_(ignoreCase),
      codePage_(codePage) {
    // Case is ignored byte by byte as the search goes, except in a code page
    // of double-byte characters, whose second bytes keep their case: there the
    // lines are upper-cased once, character by character, before the search.
    upperFirst_ = ignoreCase_ && codePage_.DoubleByte();
    for (int b = 0; b < 256; ++b)
        fold_[b] = ignoreCase_ && !upperFirst_ ? codePage_.Upper(static_cast<unsigned char>(b))
                                               : static_cast<unsigned char>(b);
    const size_t m = key_.size();
    shift_.fill(m > 0 ? m : 1);
    for (size_t i = 0; i + 1 < m; ++i) shift_[static_cast<unsigned char>(key_[i])] = m - 1 - i;
}

size_t Replacer::Find(std::string_view haystack, size_t lineStart, size_t from, size_t limit,
                      size_t lineEnd, size_t& walked) const {
    const size_t m = key_.size();
    if (m == 0 || lineEnd - lineStart < m) return std::string_view::npos;
    const auto* hay = reinterpret_cast<const unsigned char*>(haystack.data());
    const auto* key = reinterpret_cast<const unsigned char*>(key_.data());
    const unsigned char keyLast = key[m - 1];
    const size_t lastStart = std::min(limit - 1, lineEnd - m);
    size_t i = from;
    while (i <= lastStart) {
        const unsigned char c = fold_[hay[i + m - 1]];
        if (c == keyLast) {
            size_t j = 0;
            while (j + 1 < m && fold_[hay[i + j]] == key[j]) ++j;
            if (j + 1 >= m) {
                if (!codePage_.DoubleByte()) return i;
                // In a code page of double-byte characters a match must begin
                // on a character, not on the second byte of one.
                if (walked < lineStart) walked = lineStart;
                while (walked < i)
                    walked += codePage_.LeadByte(hay[walked]) && walked + 1 < lineEnd ? 2 : 1;
                if (walked == i) return i;
                ++i;
                continue;
            }
        }
        i += shift_[c];
    }
    return std::string_view::npos;
}

Replacer::Result Replacer::Run(std::string_view content, const PollFunction& poll,
                               std::string& text) const {
    Result r;
    text.clear();
    const size_t n = content.size();
    const size_t m = key_.size();
    std::string upper;
    std::string_view haystack = content;
    if (upperFirst_ && m > 0) {
        upper = codePage_.Upper(content);
        haystack = upper;
    }
    size_t copied = 0; // the new text holds content[0, copied) already
    size_t lineStart = 0;
    while (lineStart < n) {
        ++r.Lines;
        if (poll(r.Lines, r.Found)) {
            r.Stopped = true;
            text.clear();
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
                if (r.Found == 0) text.reserve(n + n / 8 + 2);
                ++r.Found;
                AppendLines(text, content, copied, p);
                text += replacement_;
                copied = from = p + m;
            }
            if (from - asked >= kWindow && from < lineEnd) {
                asked = from;
                if (poll(r.Lines, r.Found)) {
                    r.Stopped = true;
                    text.clear();
                    return r;
                }
            }
        }
        lineStart = lineEnd + 1;
        if (lineStart < n && content[lineStart] == '\n') ++lineStart;
    }
    if (r.Found > 0) {
        AppendLines(text, content, copied, n);
        if (text.size() < 2 || text.compare(text.size() - 2, 2, "\r\n") != 0) text += "\r\n";
    }
    return r;
}

void SaveReplaced(const std::string& filePath, const std::string& backupPath,
                  const rt::FileStamp& readAs, std::string_view original,
                  std::string_view newText) {
    if (seam::BeforeSave) seam::BeforeSave(filePath);
    if (!backupPath.empty()) {
        // A file changed since it was read, or read-only, is not to be
        // changed: refused before a backup is made.
        rt::CheckStillAsRead(filePath, readAs);
        const int attributes = rt::GetAttr(filePath);
        if (attributes & (rt::vbReadOnly | rt::vbDirectory)) rt::Raise(rt::errPathFileAccess);

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
        rt::SetAttr(backupPath, attributes & (rt::vbHidden | rt::vbSystem | rt::vbArchive));
    }
    // The file itself, replaced whole (a read-only file is refused here).
    rt::ReplaceFileBytes(filePath, newText, &readAs);
}

SaveBehind::~SaveBehind() {
    if (!thread_) return;
    if (pending_) WaitForSingleObject(done_, INFINITE);
    quit_ = true;
    SetEvent(go_);
    WaitForSingleObject(thread_, INFINITE);
    for (HANDLE h : {thread_, go_, done_}) CloseHandle(h);
}

struct SaveThread {
    static DWORD WINAPI Main(LPVOID self) {
        static_cast<SaveBehind*>(self)->Serve();
        return 0;
    }
};

void SaveBehind::Serve() {
    for (;;) {
        WaitForSingleObject(go_, INFINITE);
        if (quit_) return;
        Save();
        SetEvent(done_);
    }
}

void SaveBehind::Save() {
    try {
        SaveReplaced(filePath_, backupPath_, readAs_, original_, newText_);
    } catch (const rt::Error& e) {
        if (e.Number == rt::errChangedSinceRead)
            leftAlone_ = e;
        else
            failure_ = std::current_exception();
    } catch (...) {
        failure_ = std::current_exception();
    }
}

void SaveBehind::Begin(const std::string& filePath, const std::string& backupPath,
                       const rt::FileStamp& readAs, std::string& original, std::string& newText) {
    filePath_ = filePath;
    backupPath_ = backupPath;
    readAs_ = readAs;
    original_.swap(original);
    newText_.swap(newText);
    if (!thread_) {
        go_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
        done_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
        if (go_ && done_) thread_ = CreateThread(nullptr, 0, &SaveThread::Main, this, 0, nullptr);
        if (!thread_) {
            // No thread to be had: the file is saved here and now.
            for (HANDLE h : {go_, done_})
                if (h) CloseHandle(h);
            go_ = done_ = nullptr;
            Save();
            return;
        }
    }
    pending_ = true;
    SetEvent(go_);
}

std::optional<rt::Error> SaveBehind::Finish() {
    if (pending_) WaitForSingleObject(done_, INFINITE);
    pending_ = false;
    backupPath_.clear();
    if (std::exception_ptr failure = std::exchange(failure_, nullptr)) std::rethrow_exception(failure);
    return std::exchange(leftAlone_, std::nullopt);
}

} // namespace sweeper
