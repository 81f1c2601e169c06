// Printing for real on the default printer (a PDF queue on the test machine),
// the printer dialog's answers, and error 482 where there is no printer.
#include <windows.h>
#include <commdlg.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "rt/commondialog.h"
#include "rt/convert.h"
#include "rt/error.h"
#include "rt/printer.h"

namespace {

bool HaveDefaultPrinter() {
    DWORD size = 0;
    GetDefaultPrinterW(nullptr, &size);
    return size > 0;
}

class RealUser {
  public:
    RealUser() : previous_(&rt::CurrentUser()) { rt::SetUser(nullptr); }
    ~RealUser() { rt::SetUser(previous_); }

  private:
    rt::User* previous_;
};

long RaisedNumber(const std::function<void()>& f, std::string* description = nullptr) {
    try {
        f();
    } catch (const rt::Error& e) {
        if (description) *description = e.Description;
        return e.Number;
    }
    return 0;
}

// The folder the PDF queue writes into: PDF in the Unix home, seen through Z:.
std::wstring PdfFolder() {
    wchar_t home[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(L"HOME", home, MAX_PATH)) return L"Z:\\root\\PDF";
    std::wstring dir = L"Z:";
    for (wchar_t* p = home; *p; ++p) dir += *p == L'/' ? L'\\' : *p;
    return dir + L"\\PDF";
}

// The newest PDF in the folder written after `since`, with its size.
bool NewPdf(const std::wstring& dir, const FILETIME& since, ULONGLONG& size) {
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((dir + L"\\*.pdf").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return false;
    bool found = false;
    do {
        if (CompareFileTime(&fd.ftLastWriteTime, &since) >= 0) {
            size = (ULONGLONG(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow;
            found = size > 0;
        }
    } while (!found && FindNextFileW(h, &fd));
    FindClose(h);
    return found;
}

TEST(RealPrinterTest, TwoLinesBecomeAPrintedDocument) {
    if (!HaveDefaultPrinter()) GTEST_SKIP() << "no default printer on this machine";
    RealUser real;
    FILETIME start;
    GetSystemTimeAsFileTime(&start);
    // File times of the Unix side have whole seconds at best.
    ULARGE_INTEGER t{{start.dwLowDateTime, start.dwHighDateTime}};
    t.QuadPart -= 20000000;
    start = {t.LowPart, t.HighPart};

    rt::PrinterObject& printer = rt::Printer();
    printer.TextFont = rt::Font{"Arial", 10};
    printer.Print("Benchware printer test: first line");
    printer.Print("second line\twith a tab");
    EXPECT_EQ(RaisedNumber([&] { printer.EndDoc(); }), 0);

    // The queue converts in the background; give it a while.
    ULONGLONG size = 0;
    bool printed = false;
    for (int i = 0; i < 100 && !printed; ++i) {
        printed = NewPdf(PdfFolder(), start, size);
        if (!printed) Sleep(200);
    }
    EXPECT_TRUE(printed) << "no new PDF in " << rt::Utf8(PdfFolder());
    EXPECT_GT(size, 0u);
}

TEST(RealPrinterTest, WithoutAPrinterPrintingAndThePrinterDialogFail) {
    if (HaveDefaultPrinter()) GTEST_SKIP() << "this machine has a default printer";
    RealUser real;
    rt::Printer().Print("nowhere to go");
    EXPECT_EQ(RaisedNumber([] { rt::Printer().EndDoc(); }), rt::errPrinterError);

    rt::CommonDialog cd;
    cd.CancelError = true;
    cd.Flags = rt::cdlPDNoSelection | rt::cdlPDNoPageNums;
    std::string description;
    EXPECT_EQ(RaisedNumber([&] { cd.ShowPrinter(); }, &description), 32751);
    EXPECT_EQ(description, "No printer is installed.");
}

} // namespace
