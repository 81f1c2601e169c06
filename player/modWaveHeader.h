// A wave file's format header, read before the file goes to the wave device:
// a header that describes no sound at all is refused here, since the device
// would take it and may end the program when it plays it.
#pragma once

#include <string>

namespace tunebox {

// Why no player can play the wave file at `path`, as a sentence for the user
// ("Its wave format header gives 0 channels."); empty when its header
// describes sound that can be played, and also when the file is no wave file
// whose header can be found (too short, damaged, not there): the device then
// says what is wrong with it.
std::string WaveHeaderFault(const std::string& path);

} // namespace tunebox
