// Printing for real on the default printer (a PDF queue on the test machine),
// and errors 482 and 32751 where there is no printer.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "rt/commondialog.h"
#include "rt/convert.h"
#include "rt/error.h"
#include "rt/printer.h"
#include "test_support.h"

namespace {

using namespace rt::test;

// The folder the PDF queue writes into: PDF in the Unix home, seen through Z:.
std::wstring PdfFolder() {
    wchar_t home[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(L"HOME", home, MAX_PATH)) return L"Z:\\root\\PDF";
    std::wstring dir = L"Z:";
    for (wchar_t* p = home; *p; ++p) dir += *p == L'/' ? L'\\' : *p;
    return dir + L"\\PDF";
}

// Whether the folder holds a PDF with something in it written after `since`.
bool NewPdf(const std::wstring& dir, const FILETIME& since) {
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((dir + L"\\*.pdf").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return false;
    bool found = false;
    do {
        found = CompareFileTime(&fd.ftLastWriteTime, &since) >= 0 &&
                (fd.nFileSizeHigh || fd.nFileSizeLow);
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
    EXPECT_EQ(ErrorOf([&] { printer.EndDoc(); }), 0);
    // The queue converts in the background.
    EXPECT_TRUE(WaitFor([&] { return NewPdf(PdfFolder(), start); }))
        << "no new PDF in " << rt::Utf8(PdfFolder());
}

TEST(RealPrinterTest, WithoutAPrinterPrintingAndThePrinterDialogFail) {
    if (HaveDefaultPrinter()) GTEST_SKIP() << "this machine has a default printer";
    RealUser real;
    rt::Printer().Print("nowhere to go");
    EXPECT_EQ(ErrorOf([] { rt::Printer().EndDoc(); }), rt::errPrinterError);

    rt::CommonDialog cd;
    cd.CancelError = true;
    cd.Flags = rt::cdlPDNoSelection | rt::cdlPDNoPageNums;
    std::string description;
    EXPECT_EQ(ErrorOf([&] { cd.ShowPrinter(); }, &description), 32751);
    EXPECT_EQ(description, "No printer is installed.");
}

} // namespace
