// Rewriting a user's file without ever leaving it half written: the new
// content goes to a temporary file in the same folder, is flushed to the disk,
// and then takes the original's place in one step, with the original's
// attributes. When anything fails the temporary file is removed, the original
// is exactly as it was, and a runtime error says why:
//   52  no file name;                 55  the program has the file open itself;
//   75  the file is read-only, or a folder, or the folder refuses a new file;
//   76  the folder does not exist;    70  another program holds the file open;
//   61  the disk is full;             57  the disk failed while writing.
// A file that does not exist yet is created the same way.
#pragma once

#include <string>
#include <string_view>

namespace rt {

// The file's new content, byte for byte.
void ReplaceFileBytes(const std::string& path, std::string_view bytes);

// The file's new content as text (UTF-8), stored in the system's ANSI code
// page. A character that the code page cannot store raises errNotInCodePage
// (its description names the character and its line) before anything is
// written: no character is ever stored as "?".
void ReplaceFileText(const std::string& path, std::string_view text);

} // namespace rt
