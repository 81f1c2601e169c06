// Rewriting a user's file without ever leaving it half written: the new
// content goes to a temporary file in the same folder, is flushed to the disk,
// and then takes the original's place in one step, with the original's
// attributes. When anything fails the temporary file is removed, the original
// is exactly as it was, and a runtime error says why:
//   52  no file name;                 55  the program has the file open itself;
//   75  the file is read-only, or a folder, or the folder refuses a new file;
//   76  the folder does not exist;    70  another program holds the file open;
//   61  the disk is full;             57  the disk failed while writing.
// A file that does not exist yet is created the same way. An existing file
// is replaced by the platform's replace-file call, so that it keeps its
// attributes and its own security where the file system lets it.
#pragma once

#include <string>
#include <string_view>

#include "rt/filebytes.h"

namespace rt {

// The file's new content, byte for byte. With `readAs` (what the file was when
// its content was read) the file is replaced only while it is still that:
// checked before anything is written, and again right before it is replaced;
// from that last check on no other program can write it. A file changed or
// deleted since it was read raises errChangedSinceRead and is left as it is.
void ReplaceFileBytes(const std::string& path, std::string_view bytes,
                      const FileStamp* readAs = nullptr);

// Raises errChangedSinceRead when the file is no longer what was read, and 70
// when another program holds it open so that it could not be replaced.
void CheckStillAsRead(const std::string& path, const FileStamp& readAs);

// The file's new content as text (UTF-8), stored in the system's ANSI code
// page. A character that the code page cannot store raises errNotInCodePage
// (its description names the character and its line) before anything is
// written: no character is ever stored as "?".
void ReplaceFileText(const std::string& path, std::string_view text);

} // namespace rt
