// A whole file read as it is on disk, byte for byte.
#pragma once

#include <cstdint>
#include <string>

namespace rt {

// What a file was when it was read: its length and its last-write time. A
// file written since, or deleted and made anew, has another.
struct FileStamp {
    int64_t Length = -1;
    int64_t LastWrite = 0; // in the file system's own units
    bool operator==(const FileStamp&) const = default;
};

// Reads the file into `bytes`, whose room is reused (a caller reading many
// files keeps one buffer). Others may read the file meanwhile, but a file that
// another program is writing is refused: error 70. Errors 53 and 76 for a
// missing file or folder, 7 when the file does not fit in memory. When asked,
// `stamp` receives what the file was as it was read.
void ReadFileBytes(const std::string& path, std::string& bytes, FileStamp* stamp = nullptr);

} // namespace rt
