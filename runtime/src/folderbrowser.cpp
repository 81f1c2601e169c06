// The shell's folder browser as the real user sees it.
#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include "rt/interaction.h"

namespace rt {

_ITEMIDLIST* User::BrowseForFolder(_browseinfoW& info) {
    // The browser's new style (edit box, new folders) needs OLE on this thread.
    const HRESULT ole = OleInitialize(nullptr);
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
    if (SUCCEEDED(ole)) OleUninitialize();
    return chosen;
}

} // namespace rt
