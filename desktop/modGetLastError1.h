// The system's own text for a Win32 error code, optionally shown to the user.
#pragma once

#include <windows.h>

#include <string>

namespace decorum {

// Describes ErrorCode (0: the thread's last error). True when there was an
// error: ErrNumber holds the code and ErrText the system's text for it ("" when
// the system has none); the last error is cleared. False (outputs cleared,
// last error untouched) when there was none. ShowMessage shows the error in a box.
bool CheckApiError(DWORD ErrorCode, const std::string& ApiName, long& ErrNumber,
                   std::string& ErrText, bool ShowMessage);

// Raises the thread's last error as a runtime error: the system's number, the
// source ApiName & "()", the system's text. A call that failed without leaving
// a code raises "Invalid procedure call or argument" (5) from the same source.
[[noreturn]] void RaiseApiError(const std::string& ApiName);

} // namespace decorum
