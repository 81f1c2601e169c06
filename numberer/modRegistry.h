// The program's registry reader.
#pragma once

#include <windows.h>

#include <string>

namespace tallyman::modRegistry {

// The text of a REG_SZ value under a key (HKEY_LOCAL_MACHINE, say), up to its
// first NUL; empty when the key or value is missing or holds another type.
std::string GetRegString(HKEY hKey, const std::string& strPath, const std::string& strValue);

} // namespace tallyman::modRegistry
