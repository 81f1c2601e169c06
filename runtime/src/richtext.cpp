// The rich-text box over the RichEdit control: rich text streamed in and out,
// plain text, read-only when locked, opened at the top of the document.
#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <cstring>

#include "forms_internal.h"
#include "rt/convert.h"

namespace rt {

using namespace detail;

namespace {

struct Reader {
    const std::string* text;
    size_t pos;
};

DWORD CALLBACK ReadRtf(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* got) {
    auto* r = reinterpret_cast<Reader*>(cookie);
    size_t n = std::min(static_cast<size_t>(wanted), r->text->size() - r->pos);
    std::memcpy(buffer, r->text->data() + r->pos, n);
    r->pos += n;
    *got = static_cast<LONG>(n);
    return 0;
}

DWORD CALLBACK WriteRtf(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
    reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(buffer),
                                                   static_cast<size_t>(size));
    *done = size;
    return 0;
}

void StreamIn(HWND hwnd, const std::string& rtf) {
    Reader reader{&rtf, 0};
    EDITSTREAM es{};
    es.dwCookie = reinterpret_cast<DWORD_PTR>(&reader);
    es.pfnCallback = ReadRtf;
    SendMessageW(hwnd, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&es));
    // The document opens at its top.
    SendMessageW(hwnd, EM_SETSEL, 0, 0);
    SendMessageW(hwnd, WM_VSCROLL, SB_TOP, 0);
    SendMessageW(hwnd, EM_SCROLLCARET, 0, 0);
}

} // namespace

RichTextBox::RichTextBox(Container& parent) : Control(parent) {
    foreColor_ = 0x80000008;
    backColor_ = 0x80000005;
}

void RichTextBox::TextRTF(const std::string& rtf) {
    rtf_ = rtf;
    haveRtf_ = true;
    text_.clear();
    if (hwnd_) StreamIn(hwnd_, rtf);
}

std::string RichTextBox::TextRTF() const {
    if (!hwnd_) return rtf_;
    std::string out;
    EDITSTREAM es{};
    es.dwCookie = reinterpret_cast<DWORD_PTR>(&out);
    es.pfnCallback = WriteRtf;
    SendMessageW(hwnd_, EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&es));
    return out;
}

std::string RichTextBox::Text() const {
    if (!hwnd_) return text_;
    return Utf8(detail::WindowTextW(hwnd_));
}

void RichTextBox::Text(const std::string& text) {
    text_ = text;
    haveRtf_ = false;
    if (hwnd_) SetWindowTextW(hwnd_, Wide(text).c_str());
}

void RichTextBox::Locked(bool v) {
    locked_ = v;
    if (hwnd_) SendMessageW(hwnd_, EM_SETREADONLY, v, 0);
}

int RichTextBox::SelStart() const {
    if (!hwnd_) return 0;
    CHARRANGE r{};
    SendMessageW(hwnd_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&r));
    return static_cast<int>(r.cpMin);
}

void RichTextBox::SelStart(int v) {
    if (v < 0) Raise(errInvalidPropertyValue);
    if (!hwnd_) return;
    CHARRANGE r{v, v};
    SendMessageW(hwnd_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
    SendMessageW(hwnd_, EM_SCROLLCARET, 0, 0);
}

void RichTextBox::Create() {
    DWORD style = WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL;
    if (!locked_) style |= ES_WANTRETURN;
    if (scrollBars_ & 2) style |= WS_VSCROLL;
    if (scrollBars_ & 1) style |= WS_HSCROLL;
    if (locked_) style |= ES_READONLY;
    CreateWindowFor(RichEditClass(), style, WS_EX_CLIENTEDGE);
    SendMessageW(hwnd_, EM_SETEVENTMASK, 0, 0);
    if (haveRtf_)
        StreamIn(hwnd_, rtf_);
    else if (!text_.empty())
        SetWindowTextW(hwnd_, Wide(text_).c_str());
}

} // namespace rt
