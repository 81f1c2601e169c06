// What the runtime's file services share: the error a failed file-system call
// raises, full paths, and whether the program holds a file open itself.
#pragma once

#include <windows.h>

#include <string>

#include "rt/filebytes.h"

namespace rt::detail {

[[noreturn]] void RaiseFileError(DWORD code);
std::wstring FullPath(const std::wstring& path);
// Whether one of the program's numbered files (sequential or binary) is this file.
bool OpenByProgram(const std::wstring& fullPath);
// What an open file is now; `going`, when asked, whether it is being deleted.
FileStamp StampOf(HANDLE file, bool* going = nullptr);

} // namespace rt::detail
