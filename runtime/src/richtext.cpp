// The rich-text box over the RichEdit control: rich text streamed in and out,
// plain text, the selection, change and mouse-down events, the back colour
// and the font applied to the whole text, read-only when locked, opened at the
// top of the document.
#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <climits>
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

CHARRANGE Selection(HWND hwnd) {
    CHARRANGE r{0, 0};
    if (hwnd) SendMessageW(hwnd, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&r));
    return r;
}

WNDPROC g_richProc = nullptr; // the rich-edit class's own procedure

// The rich-edit procedure replaced for the mouse-down event: the control
// handles the press first (the caret moves), then the program hears of it.
// Esc is refused.
LRESULT CALLBACK RichSubclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (RefusedByMultiLineBox(hwnd, msg, wp)) return 0;
    LRESULT r = CallWindowProcW(g_richProc, hwnd, msg, wp, lp);
    RaiseMouseDown<RichTextBox>(hwnd, msg, lp);
    return r;
}

} // namespace

RichTextBox::RichTextBox(Container& parent) : Control(parent) {
    foreColor_ = 0x80000008;
    backColor_ = 0x80000005;
}

template <class F> void RichTextBox::Quietly(F&& f) {
    ++quiet_;
    struct Done {
        int& n;
        ~Done() { --n; }
    } done{quiet_};
    f();
}

void RichTextBox::Changed() {
    if (Change) Change();
}

void RichTextBox::TextRTF(const std::string& rtf) {
    rtf_ = rtf;
    haveRtf_ = true;
    text_.clear();
    if (!hwnd_) return;
    Quietly([&] { StreamIn(hwnd_, rtf); });
    Changed();
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
    if (!hwnd_) return;
    Quietly([&] { SetWindowTextW(hwnd_, Wide(text).c_str()); });
    Changed();
}

void RichTextBox::Locked(bool v) {
    locked_ = v;
    if (hwnd_) SendMessageW(hwnd_, EM_SETREADONLY, v, 0);
}

int RichTextBox::SelStart() const { return static_cast<int>(Selection(hwnd_).cpMin); }

void RichTextBox::SelStart(int v) {
    if (v < 0) Raise(errInvalidPropertyValue);
    if (!hwnd_) return;
    CHARRANGE r{v, v};
    SendMessageW(hwnd_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
    SendMessageW(hwnd_, EM_SCROLLCARET, 0, 0);
}

int RichTextBox::SelLength() const {
    CHARRANGE r = Selection(hwnd_);
    return static_cast<int>(r.cpMax - r.cpMin);
}

void RichTextBox::SelLength(int v) {
    if (v < 0) Raise(errInvalidPropertyValue);
    if (!hwnd_) return;
    CHARRANGE r = Selection(hwnd_);
    r.cpMax = static_cast<LONG>(std::min<long long>(static_cast<long long>(r.cpMin) + v, LONG_MAX));
    SendMessageW(hwnd_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
}

std::string RichTextBox::SelText() const {
    if (!hwnd_) return {};
    CHARRANGE r = Selection(hwnd_);
    if (r.cpMax <= r.cpMin) return {};
    // Room for every line break to come out as CR LF.
    std::wstring buffer(static_cast<size_t>(r.cpMax - r.cpMin) * 2 + 1, L'\0');
    GETTEXTEX ex{};
    ex.cb = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    ex.flags = GT_SELECTION | GT_USECRLF;
    ex.codepage = 1200; // UTF-16
    LRESULT n = SendMessageW(hwnd_, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&ex),
                             reinterpret_cast<LPARAM>(buffer.data()));
    buffer.resize(static_cast<size_t>(std::max<LRESULT>(n, 0)));
    return Utf8(buffer);
}

void RichTextBox::SelText(const std::string& text) {
    if (!hwnd_) return;
    Quietly([&] {
        SendMessageW(hwnd_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(Wide(text).c_str()));
    });
    Changed();
}

void RichTextBox::BackColor(long color) {
    backColor_ = color;
    ApplyBackColor();
}

void RichTextBox::ApplyBackColor() {
    if (hwnd_) SendMessageW(hwnd_, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(ResolveColor(backColor_)));
}

void RichTextBox::SysColorsChanged() { ApplyBackColor(); }

// The font goes to the whole text and to what is typed next.
void RichTextBox::ApplyFont() {
    if (!hwnd_) return;
    const rt::Font& f = Font();
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof cf;
    cf.dwMask = CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT;
    cf.yHeight = static_cast<LONG>(f.Size * 20); // twips
    cf.dwEffects = (f.Bold ? CFE_BOLD : 0) | (f.Italic ? CFE_ITALIC : 0) |
                   (f.Underline ? CFE_UNDERLINE : 0) | (f.Strikethru ? CFE_STRIKEOUT : 0);
    std::wstring face = Wide(f.Name);
    lstrcpynW(cf.szFaceName, face.c_str(), LF_FACESIZE);
    Quietly([&] {
        SendMessageW(hwnd_, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&cf));
        SendMessageW(hwnd_, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
    });
}

void RichTextBox::Create() {
    DWORD style = WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL;
    if (!locked_) style |= ES_WANTRETURN;
    if (scrollBars_ & 2) style |= WS_VSCROLL;
    if (scrollBars_ & 1) style |= WS_HSCROLL;
    if (locked_) style |= ES_READONLY;
    Quietly([&] {
        CreateWindowFor(RichEditClass(), style, WS_EX_CLIENTEDGE);
        // The control's own limit (32,767 characters) would cut a paste or a load.
        SendMessageW(hwnd_, EM_EXLIMITTEXT, 0, INT_MAX);
        SendMessageW(hwnd_, EM_SETEVENTMASK, 0, ENM_CHANGE);
        WNDPROC own = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RichSubclass)));
        if (!g_richProc) g_richProc = own;
        ApplyBackColor();
        if (haveRtf_)
            StreamIn(hwnd_, rtf_);
        else if (!text_.empty())
            SetWindowTextW(hwnd_, Wide(text_).c_str());
    });
}

void RichTextBox::OnCommand(WORD code) {
    if (code == EN_CHANGE && quiet_ == 0) Changed();
}

} // namespace rt
