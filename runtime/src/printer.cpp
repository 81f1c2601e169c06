// The printer object and printing a job on the default printer: the text line
// by line in the job's font, a new page whenever the page is full.
#include "rt/printer.h"

#include <windows.h>
#include <winspool.h>

#include <vector>

#include "real_user.h"
#include "rt/convert.h"
#include "rt/error.h"
#include "rt/interaction.h"
#include "rt/services.h"

namespace rt {

void PrinterObject::Print(const std::string& text) {
    pending_ += text;
    pending_ += "\r\n";
    started_ = true;
}

void PrinterObject::EndDoc() {
    if (!started_) return; // nothing printed: no page goes out
    PrintJob job{std::move(pending_), TextFont, Copies, Orientation};
    KillDoc();
    CurrentUser().Print(job);
}

void PrinterObject::KillDoc() {
    pending_.clear();
    started_ = false;
}

PrinterObject& Printer() {
    static PrinterObject printer;
    return printer;
}

namespace detail {
namespace {

[[noreturn]] void PrinterFailed() { Raise(errPrinterError, {}, "Printer error"); }

class PrinterHandle {
  public:
    explicit PrinterHandle(const std::wstring& name) {
        if (!OpenPrinterW(const_cast<wchar_t*>(name.c_str()), &h_, nullptr)) h_ = nullptr;
    }
    ~PrinterHandle() {
        if (h_) ClosePrinter(h_);
    }
    PrinterHandle(const PrinterHandle&) = delete;
    PrinterHandle& operator=(const PrinterHandle&) = delete;
    HANDLE Get() const { return h_; }

  private:
    HANDLE h_ = nullptr;
};

class DeviceContext {
  public:
    explicit DeviceContext(HDC dc) : dc_(dc) {}
    ~DeviceContext() {
        if (dc_) DeleteDC(dc_);
    }
    DeviceContext(const DeviceContext&) = delete;
    DeviceContext& operator=(const DeviceContext&) = delete;
    HDC Get() const { return dc_; }

  private:
    HDC dc_;
};

class FontObject {
  public:
    explicit FontObject(HFONT f) : f_(f) {}
    ~FontObject() {
        if (f_) DeleteObject(f_);
    }
    FontObject(const FontObject&) = delete;
    FontObject& operator=(const FontObject&) = delete;
    HFONT Get() const { return f_; }

  private:
    HFONT f_;
};

std::wstring DefaultPrinter() {
    DWORD size = 0;
    GetDefaultPrinterW(nullptr, &size);
    if (size == 0) return {};
    std::wstring name(size, L'\0');
    if (!GetDefaultPrinterW(name.data(), &size)) return {};
    name.resize(wcslen(name.c_str()));
    return name;
}

// The printer's settings with the job's copies and orientation.
std::vector<char> JobSettings(const std::wstring& name, const PrintJob& job) {
    PrinterHandle printer(name);
    if (!printer.Get()) PrinterFailed();
    wchar_t* device = const_cast<wchar_t*>(name.c_str());
    LONG size = DocumentPropertiesW(nullptr, printer.Get(), device, nullptr, nullptr, 0);
    if (size <= 0) PrinterFailed();
    std::vector<char> buffer(static_cast<size_t>(size));
    auto* dm = reinterpret_cast<DEVMODEW*>(buffer.data());
    if (DocumentPropertiesW(nullptr, printer.Get(), device, dm, nullptr, DM_OUT_BUFFER) != IDOK)
        PrinterFailed();
    dm->dmCopies = static_cast<short>(job.Copies < 1 ? 1 : job.Copies);
    dm->dmOrientation =
        static_cast<short>(job.Orientation == 2 ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT);
    dm->dmFields |= DM_COPIES | DM_ORIENTATION;
    DocumentPropertiesW(nullptr, printer.Get(), device, dm, dm, DM_IN_BUFFER | DM_OUT_BUFFER);
    return buffer;
}

HFONT CreateJobFont(HDC dc, const Font& font) {
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(static_cast<int>(font.Size * 10 + 0.5), GetDeviceCaps(dc, LOGPIXELSY),
                          720);
    lf.lfWeight = font.Bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = font.Italic;
    lf.lfUnderline = font.Underline;
    lf.lfStrikeOut = font.Strikethru;
    lf.lfCharSet = DEFAULT_CHARSET;
    std::wstring face = Wide(font.Name);
    lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
    return CreateFontIndirectW(&lf);
}

// The job's lines; CR LF, CR or LF end a line, and the last line end starts no line.
std::vector<std::wstring> Lines(const std::string& text) {
    std::vector<std::wstring> lines;
    std::wstring wide = Wide(text), line;
    for (size_t i = 0; i < wide.size(); ++i) {
        wchar_t c = wide[i];
        if (c == L'\r' || c == L'\n') {
            if (c == L'\r' && i + 1 < wide.size() && wide[i + 1] == L'\n') ++i;
            lines.push_back(std::move(line));
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(std::move(line));
    return lines;
}

} // namespace

void PrintOnDefaultPrinter(const PrintJob& job) {
    std::wstring name = DefaultPrinter();
    if (name.empty()) PrinterFailed();
    std::vector<char> settings = JobSettings(name, job);
    DeviceContext dc(CreateDCW(L"WINSPOOL", name.c_str(), nullptr,
                               reinterpret_cast<DEVMODEW*>(settings.data())));
    if (!dc.Get()) PrinterFailed();
    FontObject font(CreateJobFont(dc.Get(), job.TextFont));
    struct Deselect {
        HDC dc;
        ~Deselect() { SelectObject(dc, GetStockObject(DEVICE_DEFAULT_FONT)); }
    } deselect{dc.Get()};

    std::wstring docName = Wide(App().Title.empty() ? std::string("Document") : App().Title);
    DOCINFOW doc{};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = docName.c_str();
    if (StartDocW(dc.Get(), &doc) <= 0) PrinterFailed();

    bool ok = true;
    const int pageHeight = GetDeviceCaps(dc.Get(), VERTRES);
    auto startPage = [&] {
        if (StartPage(dc.Get()) <= 0) return false;
        if (font.Get()) SelectObject(dc.Get(), font.Get());
        SetBkMode(dc.Get(), TRANSPARENT);
        return true;
    };
    ok = startPage();
    TEXTMETRICW tm{};
    GetTextMetricsW(dc.Get(), &tm);
    const int lineHeight = tm.tmHeight + tm.tmExternalLeading > 0 ? tm.tmHeight + tm.tmExternalLeading
                                                                  : 1;
    int y = 0;
    for (const std::wstring& line : Lines(job.Text)) {
        if (!ok) break;
        if (y > 0 && y + lineHeight > pageHeight) {
            ok = EndPage(dc.Get()) > 0 && startPage();
            y = 0;
            if (!ok) break;
        }
        if (!line.empty())
            TabbedTextOutW(dc.Get(), 0, y, line.c_str(), static_cast<int>(line.size()), 0,
                           nullptr, 0);
        y += lineHeight;
    }
    if (ok) ok = EndPage(dc.Get()) > 0;
    if (!ok) {
        AbortDoc(dc.Get());
        PrinterFailed();
    }
    if (EndDoc(dc.Get()) <= 0) PrinterFailed();
}

} // namespace detail
} // namespace rt
