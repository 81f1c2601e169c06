// Times the replace run in a visible window, from the answer to the
// confirmation to the closing box, and sed on an identical copy:
//   sweeper_bench: 200 files x 5000 lines, 100000 matches: Sweeper X.XXX s, sed X.XXX s ...
//   sweeper_bench: one line of 8 MB, 4194304 matches: X.XXX s
//   sweeper_bench: Stop answered in X.XXX s
//   sweeper_bench: 8000 files listed in X.XXX s
//   sweeper_bench: 8000 files, focus on the list: Select All X.XXX s (8000 selected), Select None X.XXX s
// sed runs as a Linux program through Wine's "start /unix", by the script
// scripts/sed_timed.sh, which times sed itself and writes the figure to a file.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <initializer_list>
#include <string>

#include <rt.h>
#include <rt/filebytes.h>

#include "frmMain.h"

namespace {

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point t) { return std::chrono::duration<double>(Clock::now() - t).count(); }

// Answers the confirmation with No (no backups) and notes when it answered
// and when the closing box came.
class Timekeeper : public rt::User {
  public:
    Clock::time_point Confirmed, Closed;
    std::string LastTitle;
    int MessageBox(const std::string& prompt, int, const std::string& title) override {
        LastTitle = title;
        if (title == "  Confirm Search And Replace") {
            Confirmed = Clock::now();
            return rt::vbNo;
        }
        Closed = Clock::now();
        if (title != "  Complete" && title != "  Canceled")
            std::printf("sweeper_bench: unexpected box %s: %s\n", title.c_str(), prompt.c_str());
        return rt::vbOK;
    }
    std::string InputBox(const std::string&, const std::string&, const std::string&) override { return {}; }
    bool ShowDialog(rt::DialogKind, rt::CommonDialog&) override { return false; }
    void Print(const rt::PrintJob&) override {}
};

Timekeeper keeper;

void Write(const std::string& path, const std::string& bytes) {
    HANDLE h = CreateFileW(rt::Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
}

std::string Read(const std::string& path) {
    std::string bytes;
    rt::ReadFileBytes(path, bytes);
    return bytes;
}

// An empty folder of that name in the temporary folder.
std::string Folder(const std::string& name) {
    wchar_t tmp[MAX_PATH];
    GetTempPathW(MAX_PATH, tmp);
    const std::string folder = rt::Utf8(tmp) + name;
    CreateDirectoryW(rt::Wide(folder).c_str(), nullptr);
    for (const std::string& f : rt::Dir(folder + "\\*.*", rt::vbHidden | rt::vbSystem)) {
        SetFileAttributesW(rt::Wide(folder + "\\" + f).c_str(), FILE_ATTRIBUTE_NORMAL);
        rt::Kill(folder + "\\" + f);
    }
    return folder;
}

std::string UnixPath(const std::string& path) {
    using ToUnix = char*(CDECL*)(LPCWSTR);
    auto toUnix = reinterpret_cast<ToUnix>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix) return {};
    char* unix = toUnix(rt::Wide(path).c_str());
    if (!unix) return {};
    std::string out = unix;
    HeapFree(GetProcessHeap(), 0, unix);
    return out;
}

// The script beside the build: the first folder upwards holding scripts/sed_timed.sh.
std::string SedScript() {
    std::string folder = rt::App().Path();
    for (int up = 0; up < 4; ++up) {
        if (rt::FileExists(folder + "\\scripts\\sed_timed.sh")) return folder + "\\scripts\\sed_timed.sh";
        folder = folder.substr(0, folder.find_last_of('\\'));
    }
    return {};
}

// sed -i over every file of the folder; its seconds, or -1 when it cannot run.
double TimeSed(const std::string& folder) {
    const std::string script = UnixPath(SedScript());
    const std::string result = Folder("sweeper_bench_sed_result") + "\\seconds";
    if (script.empty()) return -1;
    std::wstring command = L"start.exe /unix /bin/bash \"" + rt::Wide(script) + L"\" \"" +
                           rt::Wide(UnixPath(result)) + L"\" s/needle/thread/g \"" +
                           rt::Wide(UnixPath(folder)) + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &si, &pi))
        return -1;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    const auto start = Clock::now();
    while (!rt::FileExists(result)) {
        if (Since(start) > 120) return -1;
        Sleep(20);
    }
    return std::stod(Read(result)) / 1e6;
}

// The name of the i-th file of the corpus, with the backslash before it.
std::string CorpusName(int i) {
    std::string name = "\\file";
    name += std::to_string(1000 + i);
    name += ".txt";
    return name;
}

// Runs over every file of the folder; the seconds from the confirmation to the closing box.
double TimeRun(sweeper::frmMain& form, const std::string& folder, const std::string& search,
               const std::string& replacement) {
    form.ctlDirectory.Path(folder);
    form.ctlFile.Refresh();
    form.cmdSelectAll.Press();
    form.txtSearchText.Text(search);
    form.txtReplaceText.Text(replacement);
    SendMessageW(form.cmdStart.hWnd(), BM_CLICK, 0, 0);
    return std::chrono::duration<double>(keeper.Closed - keeper.Confirmed).count();
}

Clock::time_point stopClicked;
HWND stopButton = nullptr;

void CALLBACK PressStop(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    stopClicked = Clock::now();
    PostMessageW(stopButton, BM_CLICK, 0, 0);
}

// Presses the button and lets the window draw what it did; the seconds taken.
double PressAndDraw(sweeper::frmMain& form, rt::CommandButton& button) {
    const auto start = Clock::now();
    button.Press();
    rt::DoEvents();
    UpdateWindow(form.hWnd());
    return Since(start);
}

// Select All and Select None over folders of 1,000, 4,000 and 8,000 empty
// files, once with the focus on the button, once with it left in the list
// on its first file.
void TimeSelection(sweeper::frmMain& form) {
    const std::string folder = Folder("sweeper_bench_select");
    int made = 0;
    for (int count : {1000, 4000, 8000}) {
        for (; made < count; ++made) Write(folder + CorpusName(made), {});
        form.ctlDirectory.Path(Folder("sweeper_bench_select_empty"));
        rt::DoEvents();
        const auto start = Clock::now();
        form.ctlDirectory.Path(folder);
        rt::DoEvents();
        UpdateWindow(form.hWnd());
        std::printf("sweeper_bench: %d files listed in %.3f s\n", form.ctlFile.ListCount(), Since(start));
        for (rt::Control* focus : std::initializer_list<rt::Control*>{&form.cmdSelectAll, &form.ctlFile}) {
            form.ctlFile.ListIndex(0);
            focus->SetFocus();
            rt::DoEvents();
            const double all = PressAndDraw(form, form.cmdSelectAll);
            int selected = 0;
            for (int i = 0; i < form.ctlFile.ListCount(); ++i) selected += form.ctlFile.Selected(i);
            const double none = PressAndDraw(form, form.cmdSelectNone);
            std::printf("sweeper_bench: %d files, focus on the %s: Select All %.3f s (%d selected), "
                        "Select None %.3f s\n",
                        form.ctlFile.ListCount(), focus == &form.ctlFile ? "list" : "button", all,
                        selected, none);
        }
    }
}

} // namespace

int main() {
    rt::Initialize(GetModuleHandleW(nullptr));
    rt::App().Title = "Sweeper";
    rt::SetUser(&keeper);
    sweeper::frmMain& form = sweeper::frmMain::Get();
    form.Show();
    rt::DoEvents();

    // 200 files of 5,000 lines of 64 bytes (CR LF included), "needle" in every tenth line.
    std::string file;
    const std::string line = "The quick brown fox jumps over the lazy dog, and back again: ";
    for (int i = 0; i < 5000; ++i) {
        std::string l = line.substr(0, 62);
        if (i % 10 == 0) l.replace(30, 6, "needle");
        file += l + "\r\n";
    }
    const std::string ours = Folder("sweeper_bench_files"), theirs = Folder("sweeper_bench_sed");
    for (int i = 0; i < 200; ++i) {
        const std::string name = CorpusName(i);
        Write(ours + name, file);
        Write(theirs + name, file);
    }
    const double sweeperSeconds = TimeRun(form, ours, "needle", "thread");
    const std::string found = form.lblFound.Caption();
    // What the safe replacement of the same 200 files takes alone (new text
    // to a temporary file, flushed to the disk, put in the file's place).
    const auto saving = Clock::now();
    for (int i = 0; i < 200; ++i) {
        const std::string name = CorpusName(i);
        rt::ReplaceFileBytes(ours + name, Read(ours + name));
    }
    const double savingSeconds = Since(saving);
    const double sedSeconds = TimeSed(theirs);
    bool identical = true;
    for (int i = 0; i < 200; ++i) {
        const std::string name = CorpusName(i);
        identical = identical && Read(ours + name) == Read(theirs + name);
    }
    std::printf("sweeper_bench: 200 files x 5000 lines x 64 bytes, %s: Sweeper %.3f s, sed %.3f s "
                "(%.2f x sed), outputs %s\n",
                found.c_str(), sweeperSeconds, sedSeconds,
                sedSeconds > 0 ? sweeperSeconds / sedSeconds : 0.0,
                sedSeconds < 0 ? "not compared (sed could not run)"
                : identical    ? "byte-identical to sed's"
                               : "DIFFERENT from sed's");
    std::printf("sweeper_bench: of which the safe replacement of the 200 files takes %.3f s alone\n",
                savingSeconds);

    // One line of 8 MB holding 4 million "a".
    std::string ab;
    ab.reserve(8 << 20);
    while (ab.size() < (8u << 20)) ab += "ab";
    const std::string single = Folder("sweeper_bench_line");
    Write(single + "\\line.txt", ab);
    const double lineSeconds = TimeRun(form, single, "a", "xy");
    std::printf("sweeper_bench: one line of 8 MB, \"a\" to \"xy\", %s: %.3f s\n",
                form.lblFound.Caption().c_str(), lineSeconds);

    // Stop pressed 300 ms into a run over four such files.
    for (int i = 0; i < 4; ++i) Write(single + "\\line" + std::to_string(i) + ".txt", ab);
    stopButton = form.cmdStop.hWnd();
    SetTimer(nullptr, 0, 300, &PressStop);
    TimeRun(form, single, "a", "xy");
    std::printf("sweeper_bench: Stop answered in %.3f s (%s)\n",
                std::chrono::duration<double>(keeper.Closed - stopClicked).count(),
                keeper.LastTitle == "  Canceled" ? "the run was canceled" : "the run had ended first");

    TimeSelection(form);

    form.Unload();
    rt::DoEvents();
    rt::SetUser(nullptr);
    for (const char* name : {"sweeper_bench_files", "sweeper_bench_sed", "sweeper_bench_line",
                             "sweeper_bench_sed_result", "sweeper_bench_select",
                             "sweeper_bench_select_empty"}) {
        const std::string folder = Folder(name);
        RemoveDirectoryW(rt::Wide(folder).c_str());
    }
    return 0;
}
