#include "rt/filebytes.h"

#include <windows.h>

#include <algorithm>
#include <new>

#include "files_internal.h"
#include "rt/convert.h"
#include "rt/error.h"
#include "rt/handles.h"

namespace rt {

namespace detail {

FileStamp StampOf(HANDLE file, bool* going) {
    // Asked as two small questions: the one that answers everything at once
    // also asks the volume, which costs far more.
    FILE_STANDARD_INFO standard;
    FILE_BASIC_INFO basic;
    if (!GetFileInformationByHandleEx(file, FileStandardInfo, &standard, sizeof standard) ||
        !GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof basic))
        RaiseFileError(GetLastError());
    if (going) *going = standard.DeletePending || standard.NumberOfLinks == 0;
    return FileStamp{standard.EndOfFile.QuadPart, basic.LastWriteTime.QuadPart};
}

} // namespace detail

void ReadFileBytes(const std::string& path, std::string& bytes, FileStamp* stamp) {
    bytes.clear();
    if (path.empty()) Raise(errBadFileNameOrNumber);
    FileHandle file(CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.Valid()) detail::RaiseFileError(GetLastError());
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size)) detail::RaiseFileError(GetLastError());
    if (static_cast<unsigned long long>(size.QuadPart) >= bytes.max_size()) Raise(errOutOfMemory);
    try {
        bytes.resize(static_cast<size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        Raise(errOutOfMemory);
    }
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 20));
        if (!ReadFile(file, bytes.data() + done, want, &got, nullptr)) {
            const DWORD code = GetLastError();
            bytes.clear();
            detail::RaiseFileError(code);
        }
        if (got == 0) break; // the file became shorter while it was read
        done += got;
    }
    bytes.resize(done);
    // No one has written the file while it was held open for reading.
    if (stamp) *stamp = detail::StampOf(file);
}

} // namespace rt
