#include "modWaveHeader.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include <rt.h>

namespace tunebox {

namespace {

constexpr uint16_t kPCM = 0x0001, kFloat = 0x0003, kExtensible = 0xFFFE;
// The common tail of the sub-format identifiers of an extensible header,
// whose first two bytes are then the format tag.
constexpr unsigned char kSubFormatTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                              0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

class WaveFile {
  public:
    explicit WaveFile(const std::string& path)
        : file_(CreateFileW(rt::Wide(path).c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}

    int64_t Size() const {
        LARGE_INTEGER size{};
        return file_.Valid() && GetFileSizeEx(file_, &size) ? size.QuadPart : -1;
    }
    // `count` bytes at `offset`, all of them or false.
    bool Read(int64_t offset, void* into, DWORD count) const {
        LARGE_INTEGER at{};
        at.QuadPart = offset;
        DWORD got = 0;
        return SetFilePointerEx(file_, at, nullptr, FILE_BEGIN) &&
               ReadFile(file_, into, count, &got, nullptr) && got == count;
    }

  private:
    rt::FileHandle file_;
};

uint16_t Word(const unsigned char* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t DWord(const unsigned char* p) {
    return Word(p) | static_cast<uint32_t>(Word(p + 2)) << 16;
}

} // namespace

std::string WaveHeaderFault(const std::string& path) {
    WaveFile file(path);
    unsigned char riff[12];
    const int64_t size = file.Size();
    if (size < 12 || !file.Read(0, riff, sizeof riff) || std::memcmp(riff, "RIFF", 4) != 0 ||
        std::memcmp(riff + 8, "WAVE", 4) != 0)
        return {};
    // The chunks of the RIFF form, one after the other, each padded to an
    // even length, up to the end of the form or of the file.
    const int64_t end = std::min<int64_t>(size, 8 + static_cast<int64_t>(DWord(riff + 4)));
    int64_t at = 12;
    unsigned char chunk[8];
    while (at + 8 <= end && file.Read(at, chunk, sizeof chunk)) {
        const uint32_t length = DWord(chunk + 4);
        if (std::memcmp(chunk, "fmt ", 4) != 0) {
            at += 8 + static_cast<int64_t>(length) + (length & 1);
            continue;
        }
        // The format: tag, channels, samples per second, bytes per second,
        // block alignment, bits per sample; then an extension's size, valid
        // bits, channel mask and sub-format.
        unsigned char format[40] = {};
        if (length < 16 || at + 8 + 16 > end ||
            !file.Read(at + 8, format, static_cast<DWORD>(std::min<int64_t>(
                                           {length, sizeof format, end - (at + 8)}))))
            return {}; // a header cut short: the device refuses it itself
        uint16_t tag = Word(format);
        if (tag == kExtensible && length >= 40 && Word(format + 16) >= 22 &&
            std::memcmp(format + 26, kSubFormatTail, sizeof kSubFormatTail) == 0)
            tag = Word(format + 24);
        if (Word(format + 2) == 0) return "Its wave format header gives 0 channels.";
        if (DWord(format + 4) == 0) return "Its wave format header gives 0 samples per second.";
        if (Word(format + 12) == 0) return "Its wave format header gives a block alignment of 0.";
        // Compressed formats may leave the bits per sample at 0; plain
        // samples cannot.
        if ((tag == kPCM || tag == kFloat) && Word(format + 14) == 0)
            return "Its wave format header gives 0 bits per sample.";
        return {};
    }
    return {};
}

} // namespace tunebox
