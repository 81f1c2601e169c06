// Times numbering and removal of generated Basic sources of 25,000, 50,000 and
// 100,000 lines (smart mode, increment 10, two blanks): the text transform
// alone, and the whole run in the editor window from OK to the final caption,
// with the editor's update (setting the text and recording it) measured apart.
// Then one undo of the removal. A size can be given: tallyman_bench 100000.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <rt.h>

#include "frmMain.h"
#include "numbering.h"

namespace {

double Since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// A module of Basic procedures, `lines` lines long (about 36 bytes a line).
std::string BasicSource(long lines) {
    static const std::vector<std::string> procedure{
        "Private Sub RoutineForTheReport(ByVal lngValue As Long)",
        "    Dim lngRunningTotal As Long, strCustomerName As String",
        "    lngRunningTotal = lngValue * 2 + lngOffset + 1",
        "    If lngRunningTotal > lngUpperLimit Then",
        "        Debug.Print \"Running total: \" & lngRunningTotal",
        "    End If",
        "    Select Case lngRunningTotal",
        "        Case 1",
        "            lngRunningTotal = 0",
        "        Case Else",
        "            lngRunningTotal = lngRunningTotal - 1",
        "    End Select",
        "    strCustomerName = \"the first part \" & _",
        "                      \"the second part\"",
        "    ' a comment about the next call and its result",
        "    Call OtherRoutine(lngRunningTotal, strCustomerName)",
        "End Sub",
        ""};
    std::string text;
    text.reserve(static_cast<size_t>(lines) * 37);
    for (long i = 0; i < lines; ++i) {
        if (i) text += "\r\n";
        text += procedure[static_cast<size_t>(i) % procedure.size()];
    }
    return text;
}

struct NoProgress : tallyman::RunProgress {
    void Reading(long) override {}
    void Total(long) override {}
    void Processing(long, long) override {}
};

// Answers any box with OK, and says so: none is expected.
class QuietUser : public rt::User {
  public:
    int MessageBox(const std::string& prompt, int, const std::string&) override {
        std::fprintf(stderr, "tallyman_bench: unexpected message: %s\n", prompt.c_str());
        ++Unexpected;
        return rt::vbYes;
    }
    std::string InputBox(const std::string&, const std::string&, const std::string&) override {
        return {};
    }
    bool ShowDialog(rt::DialogKind, rt::CommonDialog&) override { return false; }
    void Print(const rt::PrintJob&) override {}
    int Unexpected = 0;
};

} // namespace

int main(int argc, char** argv) {
    rt::Initialize(GetModuleHandleW(nullptr));
    rt::App().Title = "Tallyman";
    rt::DeleteSetting("Tallyman");
    QuietUser user;
    rt::SetUser(&user);

    std::vector<long> sizes{25000, 50000, 100000};
    if (argc > 1) sizes = {std::atol(argv[1])};
    bool ok = true;
    std::printf("tallyman_bench: lines  bytes  | transform: number  strip | editor: number run "
                "(update)  removal run (update)  undo\n");
    for (long lines : sizes) {
        const std::string source = BasicSource(lines);

        // The transform alone.
        NoProgress none;
        tallyman::LineClassifier classifier;
        tallyman::NumberWidth width;
        auto start = std::chrono::steady_clock::now();
        const std::string working = source + "\r\n";
        const auto read = tallyman::ReadLines(working, none);
        const std::string numbered = tallyman::NumberedText(read, 10, 2, true, classifier, none);
        const double numberTransform = Since(start);
        start = std::chrono::steady_clock::now();
        const std::string numberedWorking = numbered + "\r\n";
        const std::string stripped =
            tallyman::StrippedText(tallyman::ReadLines(numberedWorking, none), width, none);
        const double stripTransform = Since(start);

        // The editor window: the source pasted in, numbered, stripped, undone.
        tallyman::frmMain& form = tallyman::frmMain::Get();
        form.Show();
        rt::DoEvents();
        form.txtDisplay.Text(source);
        rt::DoEvents();

        // What the editor's update costs on its own: the text set and recorded.
        start = std::chrono::steady_clock::now();
        form.txtDisplay.Text(numbered);
        const double update = Since(start);
        form.txtDisplay.Text(source);
        rt::DoEvents();

        start = std::chrono::steady_clock::now();
        form.NumberLines(10, 2, true);
        const double numberRun = Since(start);
        ok = ok && form.Caption() == "  Tallyman" && form.txtDisplay.Text() == numbered;

        start = std::chrono::steady_clock::now();
        form.txtDisplay.Text(stripped);
        const double stripUpdate = Since(start);
        form.txtDisplay.Text(numbered);
        rt::DoEvents();

        start = std::chrono::steady_clock::now();
        form.RemoveNumbers();
        const double removeRun = Since(start);
        ok = ok && form.txtDisplay.Text() == stripped;

        start = std::chrono::steady_clock::now();
        form.mnuEditUndo_Click();
        const double undo = Since(start);
        ok = ok && form.txtDisplay.Text() == numbered;

        std::printf("tallyman_bench: %6ld %8zu | %.3f s  %.3f s | %.3f s (%.3f s)  %.3f s (%.3f s)  "
                    "%.3f s\n",
                    lines, source.size(), numberTransform, stripTransform, numberRun, update,
                    removeRun, stripUpdate, undo);
        std::fflush(stdout);

        form.txtDisplay.Text("");
        form.Unload();
        rt::DoEvents();
    }
    rt::SetUser(nullptr);
    rt::DeleteSetting("Tallyman");
    if (!ok || user.Unexpected) std::printf("tallyman_bench: a run gave a wrong result\n");
    return ok && !user.Unexpected ? 0 : 1;
}
