// Which system Decorum runs on, as a small code: the main window hides the
// gradient title-bar samples on systems whose title bars have no gradient.
#pragma once

#include <windows.h>

#include <functional>

namespace decorum {

// 32 Win32s, 95, 98, 351 (NT 3.51), 40 (NT 4.0), 2000 (NT 5.x), 0 any other
// platform; left as it was for versions of a known platform it does not name.
extern long gOSCode;

// Reads the system's version and sets gOSCode; false (with a box) when the
// version cannot be read.
bool GetOSInfo();

// True for the systems whose title bars have no gradient (32, 40, 95, 351).
bool NoGradientCaptions(long osCode);

// The version query GetOSInfo makes: GetVersionExA unless a test hands the
// record in itself. An empty function puts the real query back.
using VersionQuery = std::function<BOOL(OSVERSIONINFOA&)>;
void SetVersionQuery(VersionQuery query);

} // namespace decorum
