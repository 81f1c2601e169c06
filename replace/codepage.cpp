#include "codepage.h"

#include <rt.h>

namespace sweeper {

namespace {

std::wstring ToWide(UINT cp, std::string_view bytes) {
    if (bytes.empty()) return {};
    const int n = MultiByteToWideChar(cp, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0)
        MultiByteToWideChar(cp, 0, bytes.data(), static_cast<int>(bytes.size()), w.data(), n);
    return w;
}

// The code page's bytes for a wide text; false when a character was stored as
// the default character or as a look-alike.
bool FromWide(UINT cp, std::wstring_view w, std::string& out) {
    out.clear();
    if (w.empty()) return true;
    const bool utf8 = cp == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* used = utf8 ? nullptr : &usedDefault;
    const int len = static_cast<int>(w.size());
    const int n = WideCharToMultiByte(cp, flags, w.data(), len, nullptr, 0, nullptr, used);
    if (n <= 0) return false;
    out.resize(static_cast<size_t>(n));
    WideCharToMultiByte(cp, flags, w.data(), len, out.data(), n, nullptr, used);
    return !usedDefault && ToWide(cp, out) == w;
}

} // namespace

CodePage::CodePage(UINT codePage) : number_(codePage == CP_ACP ? GetACP() : codePage) {
    CPINFO info{};
    if (GetCPInfo(number_, &info)) {
        for (int r = 0; r + 1 < MAX_LEADBYTES && info.LeadByte[r]; r += 2)
            for (int b = info.LeadByte[r]; b <= info.LeadByte[r + 1]; ++b) lead_[b] = true;
        doubleByte_ = info.MaxCharSize == 2;
    }
    for (int b = 0; b < 256; ++b) {
        upper_[b] = static_cast<unsigned char>(b);
        if (lead_[b]) continue;
        std::wstring w = ToWide(number_, std::string(1, static_cast<char>(b)));
        if (w.size() != 1) continue;
        CharUpperBuffW(w.data(), 1);
        std::string back;
        if (FromWide(number_, w, back) && back.size() == 1)
            upper_[b] = static_cast<unsigned char>(back[0]);
    }
}

std::optional<std::string> CodePage::Bytes(std::string_view utf8) const {
    std::string out;
    if (!FromWide(number_, rt::Wide(utf8), out)) return std::nullopt;
    return out;
}

std::string CodePage::Upper(std::string_view bytes) const {
    std::string out(bytes);
    const size_t n = out.size();
    for (size_t i = 0; i < n; ++i) {
        const auto b = static_cast<unsigned char>(out[i]);
        if (lead_[b] && i + 1 < n && out[i + 1] != '\r')
            ++i; // both bytes of the character stay
        else
            out[i] = static_cast<char>(upper_[b]);
    }
    return out;
}

} // namespace sweeper
