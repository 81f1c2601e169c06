#include "modCOMDLG32.h"

#include <shlobj.h>

#include <rt.h>
#include <rt/handles.h>

namespace tunebox {

namespace {

void FreeItemList(ITEMIDLIST* list) { CoTaskMemFree(list); }
// An item ID list the shell allocated, freed when its scope ends.
using ItemList = rt::Owned<ITEMIDLIST*, &FreeItemList>;

} // namespace

bool CD_ShowFolder(HWND hWndOwner, long& BrowseFlags, std::string& FolderName,
                   std::string& FolderPath, std::string Prompt) {
    try {
        if (BrowseFlags == 0) BrowseFlags = BIF_RETURNONLYFSDIRS;
        if (Prompt.empty()) Prompt = "Select Folder:";
        std::string start = FolderPath;
        if (BrowseFlags & (BIF_BROWSEFORCOMPUTER | BIF_BROWSEFORPRINTER)) start.clear();

        // The tree's root from the start path, given to the shell as the
        // Unicode text it reads; an empty one leaves the shell's own root.
        ItemList root(start.empty() ? nullptr : SHSimpleIDListFromPath(rt::Wide(start).c_str()));
        const std::wstring title = rt::Wide(Prompt);
        wchar_t displayName[MAX_PATH] = {};
        BROWSEINFOW info{};
        info.hwndOwner = hWndOwner;
        info.pidlRoot = root;
        info.pszDisplayName = displayName;
        info.lpszTitle = title.c_str();
        info.ulFlags = static_cast<UINT>(BrowseFlags);
        info.lpfn = nullptr;
        info.lParam = 0;
        info.iImage = 0;

        ItemList chosen(rt::CurrentUser().BrowseForFolder(info));
        wchar_t path[MAX_PATH] = {};
        if (!chosen || !SHGetPathFromIDListW(chosen, path)) {
            // Cancelled, or a choice that is no folder on disk.
            BrowseFlags = 0;
            FolderName.clear();
            FolderPath.clear();
            return false;
        }
        BrowseFlags = static_cast<long>(info.ulFlags);
        FolderName = rt::Utf8(displayName); // each up to its first NUL
        FolderPath = rt::Utf8(path);
        return true;
    } catch (const rt::Error& e) {
        rt::MsgBox(e.Source + " encountered the following error in the CD_ShowFolder function:\r\r"
                              "Error Number = " + rt::CStr(e.Number) +
                       "\rError Description = " + e.Description,
                   rt::vbExclamation, "  Error  -  " + e.Description);
        rt::Err().Clear();
        return false;
    }
}

} // namespace tunebox
