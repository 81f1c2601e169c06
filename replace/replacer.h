// The work of the replace run on one file, apart from its window: the file's
// lines counted, every occurrence of the search text replaced line by line in
// one pass, and the new text saved (after a dated backup when asked) so that
// the file is either as it was or wholly replaced.
//
// A file is handled as the bytes of the system code page, never converted: a
// line ends at CR or at CR LF (a lone LF is part of its line), and the new text
// ends every line in CR LF. Everything else passes through byte for byte.
#pragma once

#include <array>
#include <cstdint>
#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include <rt/error.h>
#include <rt/filebytes.h>

#include "codepage.h"

namespace sweeper {

// The name of the backup of `fileName` made on the day whose short date reads
// `date`: "[BACKUP <date>] <fileName>", with the characters a file name cannot
// hold replaced.
std::string BackupFileName(const std::string& date, const std::string& fileName);

// The lines of a file: -1 when there is no such file (or the path is blank), 0
// when it is empty, otherwise the number of its lines. Content receives the
// file's bytes (its room is reused from file to file), ReadAs what the file
// was as they were read. A file that cannot be read sets ErrNumber and
// ErrDescription and gives -1.
long CountFileLines(const std::string& FilePath, long& ErrNumber, std::string& ErrDescription,
                    std::string& Content, rt::FileStamp& ReadAs);

// Whether a file's bytes are text in the code page: they begin with no UTF-16
// or UTF-32 byte-order mark and hold no NUL byte. Written back as lines, any
// other file would be destroyed.
bool IsCodePageText(std::string_view content);

// The number of lines in a file's bytes (at least 1 unless it is empty).
long CountLines(std::string_view content);

// Asked before each line and, inside a long line, every few tens of
// kilobytes: the line being worked on (from 1) and the occurrences found in
// the file so far. Returns true to stop the file.
using PollFunction = std::function<bool(long line, int64_t found)>;

// One search and replacement, ready to run over any number of files.
class Replacer {
  public:
    // The search key and replacement are bytes of the code page; with
    // ignoreCase the key is compared with each line upper-cased.
    Replacer(std::string searchKey, std::string replacement, bool ignoreCase,
             const CodePage& codePage);
    Replacer(const Replacer&) = delete;
    Replacer& operator=(const Replacer&) = delete;

    struct Result {
        bool Stopped = false;
        long Lines = 0;
        int64_t Found = 0;
    };

    // Replaces in every line of a file's bytes. The new text goes to newText,
    // whose room is reused from file to file; it is left empty when nothing
    // was found or the file was stopped.
    Result Run(std::string_view content, const PollFunction& poll, std::string& newText) const;

  private:
    // The next occurrence of the key in the line [lineStart, lineEnd) that
    // begins in [from, limit), or npos. `walked` is a character boundary of the
    // line already found, for code pages of double-byte characters.
    size_t Find(std::string_view haystack, size_t lineStart, size_t from, size_t limit,
                size_t lineEnd, size_t& walked) const;

    std::string key_;
    std::string replacement_;
    bool ignoreCase_;
    const CodePage& codePage_;
    bool upperFirst_ = false;              // lines upper-cased whole before the search
    std::array<unsigned char, 256> fold_{}; // each byte as the search compares it
    std::array<size_t, 256> shift_{};       // how far a byte lets the search move on
};

// Saves a file's new text: first, when backupPath is not empty, its unchanged
// bytes to the backup (a same-day backup is replaced only once the new one is
// complete, even when it is read-only), then the new text in the file's place
// in one step. Raises the runtime error of a step that fails; the file is then
// as it was. A file that is no longer what was read (readAs) is left as it is
// without a backup: errChangedSinceRead.
void SaveReplaced(const std::string& filePath, const std::string& backupPath,
                  const rt::FileStamp& readAs, std::string_view original, std::string_view newText);

namespace seam {
// Called, when a test sets it, as each file's save begins: after the file was
// read, before anything of it is replaced.
inline void (*BeforeSave)(const std::string& filePath) = nullptr;
} // namespace seam

// Saves one file's new text, as SaveReplaced does, on a thread of its own, so
// that the run can read and replace the next file meanwhile. One save at a
// time: beside the files, at most one temporary file is being written.
class SaveBehind {
  public:
    SaveBehind() = default;
    // Waits for a save still under way.
    ~SaveBehind();
    SaveBehind(const SaveBehind&) = delete;
    SaveBehind& operator=(const SaveBehind&) = delete;

    // Begins saving; the save before must be finished. The save takes the
    // original bytes and the new text, and gives back room of its own for the
    // next file.
    void Begin(const std::string& filePath, const std::string& backupPath,
               const rt::FileStamp& readAs, std::string& original, std::string& newText);
    // Waits for the save under way, if any, and raises its failure. A file
    // left as it is because another program changed it since it was read is
    // no failure: its error is returned.
    std::optional<rt::Error> Finish();
    bool Pending() const { return pending_; }
    // The backup the save under way writes ("" when none).
    const std::string& BackupPath() const { return backupPath_; }

  private:
    friend struct SaveThread;
    void Serve();
    void Save();
    void* thread_ = nullptr;
    void* go_ = nullptr;   // signalled to begin a save, or to end the thread
    void* done_ = nullptr; // signalled when a save has ended
    bool pending_ = false;
    bool quit_ = false;
    std::string filePath_, backupPath_, original_, newText_;
    rt::FileStamp readAs_;
    std::exception_ptr failure_;
    std::optional<rt::Error> leftAlone_;
};

} // namespace sweeper
