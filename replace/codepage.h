// The system code page as the replace run sees a file: typed text turned into
// the code page's bytes (refused when a character has no place there), the
// upper case of each byte, and which bytes begin a double-byte character.
#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace sweeper {

class CodePage {
  public:
    // CP_ACP: the system's code page.
    explicit CodePage(UINT codePage = CP_ACP);

    UINT Number() const { return number_; }

    // The bytes of a UTF-8 text in this code page, or nothing when one of its
    // characters cannot be stored there exactly (no "?" and no look-alike).
    std::optional<std::string> Bytes(std::string_view utf8) const;

    // The text upper-cased as the runtime's UCase does it, byte by byte; the
    // two bytes of a double-byte character are left as they are, and a CR
    // always stands alone (it ends a line).
    std::string Upper(std::string_view bytes) const;
    unsigned char Upper(unsigned char byte) const { return upper_[byte]; }

    // Whether the code page has double-byte characters, and whether a byte
    // begins one.
    bool DoubleByte() const { return doubleByte_; }
    bool LeadByte(unsigned char byte) const { return lead_[byte]; }

  private:
    UINT number_;
    bool doubleByte_ = false;
    std::array<unsigned char, 256> upper_{};
    std::array<bool, 256> lead_{};
};

} // namespace sweeper
