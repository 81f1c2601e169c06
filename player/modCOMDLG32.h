// The shell's folder browser.
#pragma once

#include <windows.h>

#include <string>

namespace tunebox {

// Browse flags the program passes: file-system folders only, an edit box and
// the browser's new style.
inline constexpr long BIF_TUNEBOX_OPEN = 0x51;

// Lets the user choose a folder, the tree starting at FolderPath (empty: the
// shell's own start) under the Prompt (empty: "Select Folder:"). True with the
// folder's path in FolderPath, its display name in FolderName and the dialog's
// flags in BrowseFlags; False with both texts empty and the flags 0 on Cancel
// or when the chosen item has no file-system path.
bool CD_ShowFolder(HWND hWndOwner, long& BrowseFlags, std::string& FolderName,
                   std::string& FolderPath, std::string Prompt);

} // namespace tunebox
