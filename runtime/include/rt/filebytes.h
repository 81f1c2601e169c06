// A whole file read as it is on disk, byte for byte.
#pragma once

#include <string>

namespace rt {

// Reads the file into `bytes`, whose room is reused (a caller reading many
// files keeps one buffer). Others may read the file meanwhile, but a file that
// another program is writing is refused: error 70. Errors 53 and 76 for a
// missing file or folder, 7 when the file does not fit in memory.
void ReadFileBytes(const std::string& path, std::string& bytes);

} // namespace rt
