// The printer object and printing a job on the default printer: the text line
// by line in the job's font, a new page whenever the page is full.
#include "rt/printer.h"

#include <windows.h>
#include <winspool.h>

#include <vector>

#include "fonts.h"
#include "rt/handles.h"
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

void ClosePrinterHandle(HANDLE h) { ClosePrinter(h); }
using PrinterHandle = Owned<HANDLE, &ClosePrinterHandle>;

HANDLE OpenNamedPrinter(const std::wstring& name) {
    HANDLE h = nullptr;
    return OpenPrinterW(const_cast<wchar_t*>(name.c_str()), &h, nullptr) ? h : nullptr;
}

// The printer's settings with the job's copies and orientation.
std::vector<char> JobSettings(const std::wstring& name, const PrintJob& job) {
    PrinterHandle printer(OpenNamedPrinter(name));
    if (!printer) PrinterFailed();
    wchar_t* device = const_cast<wchar_t*>(name.c_str());
    LONG size = DocumentPropertiesW(nullptr, printer, device, nullptr, nullptr, 0);
    if (size <= 0) PrinterFailed();
    std::vector<char> buffer(static_cast<size_t>(size));
    auto* dm = reinterpret_cast<DEVMODEW*>(buffer.data());
    if (DocumentPropertiesW(nullptr, printer, device, dm, nullptr, DM_OUT_BUFFER) != IDOK)
        PrinterFailed();
    dm->dmCopies = static_cast<short>(job.Copies < 1 ? 1 : job.Copies);
    dm->dmOrientation =
        static_cast<short>(job.Orientation == 2 ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT);
    dm->dmFields |= DM_COPIES | DM_ORIENTATION;
    DocumentPropertiesW(nullptr, printer, device, dm, dm, DM_IN_BUFFER | DM_OUT_BUFFER);
    return buffer;
}

HFONT CreateJobFont(HDC dc, const Font& font) {
    LOGFONTW lf = detail::LogFontFor(font, dc);
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

std::wstring DefaultPrinter() {
    DWORD size = 0;
    GetDefaultPrinterW(nullptr, &size);
    if (size == 0) return {};
    std::wstring name(size, L'\0');
    if (!GetDefaultPrinterW(name.data(), &size)) return {};
    name.resize(wcslen(name.c_str()));
    return name;
}

void PrintOnDefaultPrinter(const PrintJob& job) {
    std::wstring name = DefaultPrinter();
    if (name.empty()) PrinterFailed();
    std::vector<char> settings = JobSettings(name, job);
    CreatedDC dc(CreateDCW(L"WINSPOOL", name.c_str(), nullptr,
                           reinterpret_cast<DEVMODEW*>(settings.data())));
    if (!dc) PrinterFailed();
    GdiObject<HFONT> font(CreateJobFont(dc, job.TextFont));
    struct Deselect {
        HDC dc;
        ~Deselect() { SelectObject(dc, GetStockObject(DEVICE_DEFAULT_FONT)); }
    } deselect{dc};

    std::wstring docName = Wide(App().Title.empty() ? std::string("Document") : App().Title);
    DOCINFOW doc{};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = docName.c_str();
    if (StartDocW(dc, &doc) <= 0) PrinterFailed();

    bool ok = true;
    const int pageHeight = GetDeviceCaps(dc, VERTRES);
    auto startPage = [&] {
        if (StartPage(dc) <= 0) return false;
        if (font) SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        return true;
    };
    ok = startPage();
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    const int lineHeight = tm.tmHeight + tm.tmExternalLeading > 0 ? tm.tmHeight + tm.tmExternalLeading
                                                                  : 1;
    int y = 0;
    for (const std::wstring& line : Lines(job.Text)) {
        if (!ok) break;
        if (y > 0 && y + lineHeight > pageHeight) {
            ok = EndPage(dc) > 0 && startPage();
            y = 0;
            if (!ok) break;
        }
        if (!line.empty())
            TabbedTextOutW(dc, 0, y, line.c_str(), static_cast<int>(line.size()), 0,
                           nullptr, 0);
        y += lineHeight;
    }
    if (ok) ok = EndPage(dc) > 0;
    if (!ok) {
        AbortDoc(dc);
        PrinterFailed();
    }
    if (EndDoc(dc) <= 0) PrinterFailed();
}

} // namespace detail
} // namespace rt
