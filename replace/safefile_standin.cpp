#include "safefile_standin.h"

#include <windows.h>

#include <rt.h>

namespace rt {

void ReplaceFileBytes(const std::string& path, std::string_view bytes) {
    std::wstring target = Wide(path);
    DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        Raise(errPathFileAccess);
    std::wstring temp = target + L".~sweeper";
    HANDLE h = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) Raise(errPathFileAccess);
    size_t done = 0;
    bool ok = true;
    while (ok && done < bytes.size()) {
        DWORD w = 0;
        DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 20));
        ok = WriteFile(h, bytes.data() + done, want, &w, nullptr) && w > 0;
        done += w;
    }
    DWORD code = ok ? 0 : GetLastError();
    ok = ok && FlushFileBuffers(h);
    CloseHandle(h);
    if (ok && attributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesW(temp.c_str(), attributes);
    if (ok && !MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ok = false;
        code = GetLastError();
    }
    if (!ok) {
        DeleteFileW(temp.c_str());
        if (code == ERROR_DISK_FULL || code == ERROR_HANDLE_DISK_FULL) Raise(61);
        if (code == ERROR_SHARING_VIOLATION || code == ERROR_ACCESS_DENIED) Raise(errPermissionDenied);
        Raise(57);
    }
}

} // namespace rt
