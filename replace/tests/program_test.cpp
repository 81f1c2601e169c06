// Sweeper.exe started as a program of its own and driven from outside as a
// user drives it: the window found by its caption, the pattern typed, files
// picked, Start, the boxes answered, the files on disk checked. And the same
// program killed at random moments of runs over files of several megabytes.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include <rt.h>

#include "fixture.h"
#include "test_support.h"

namespace sweeper::testing {
namespace {

using rt::test::ReadBytes;
using rt::test::WindowText;
using rt::test::WriteBytes;

constexpr DWORD kWaitMs = 20000;

// Sweeper.exe, started in a folder: drive C:'s current folder, which its
// window opens on.
class Sweeper : public rt::test::Program {
  public:
    explicit Sweeper(const std::string& folder) : Program("Sweeper.exe", folder) {}
    bool Ended(DWORD timeoutMs) { return Wait(timeoutMs) != STILL_ACTIVE; }
};

// The n-th direct child of a class (0 the first).
HWND NthChild(HWND parent, const wchar_t* cls, int n) {
    HWND w = nullptr;
    for (int i = 0; i <= n; ++i) w = FindWindowExW(parent, w, cls, nullptr);
    return w;
}

// Types into a text box of the other program, key by key, as the user does.
void Type(HWND edit, const std::string& text) {
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendMessageW(edit, WM_CHAR, VK_BACK, 1);
    for (wchar_t c : rt::Wide(text)) SendMessageW(edit, WM_CHAR, c, 1);
}

std::vector<std::string> Lines(HWND list) {
    std::vector<std::string> lines;
    const int n = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        wchar_t text[MAX_PATH] = {};
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        lines.push_back(rt::Utf8(text));
    }
    return lines;
}

void Click(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

// A message box's text.
std::string BoxText(HWND box) {
    for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        wchar_t cls[16] = {};
        GetClassNameW(c, cls, 16);
        if (lstrcmpiW(cls, L"Static") == 0 && !WindowText(c).empty()) return WindowText(c);
    }
    return {};
}

// The label of the main window whose text begins so.
std::string Label(HWND main, const std::string& start) {
    for (HWND c = GetWindow(main, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (WindowText(c).rfind(start, 0) == 0) return WindowText(c);
    return {};
}

TEST(SweeperProgram, AUserPicksFilesReplacesAndFindsTheFilesChanged) {
    rt::test::TempFolder dir;
    WriteBytes(dir / "notes.txt", "The needle and the NEEDLE\r\nno match here\r\n");
    WriteBytes(dir / "keep.txt", "a needle kept\r\n");
    WriteBytes(dir / "code.c", "needle();\r\n");
    Sweeper program(dir.Path());
    HWND main = program.Window("  Sweeper");
    ASSERT_NE(main, nullptr);

    HWND files = NthChild(main, L"ListBox", 1);
    ASSERT_NE(files, nullptr);
    EXPECT_EQ(Lines(files), (std::vector<std::string>{"code.c", "keep.txt", "notes.txt"}));
    Type(NthChild(main, L"Edit", 0), "*.txt");
    EXPECT_EQ(Lines(files), (std::vector<std::string>{"keep.txt", "notes.txt"}));
    SendMessageW(files, LB_SETSEL, TRUE, 1); // notes.txt
    Type(NthChild(main, L"Edit", 1), "needle");
    Type(NthChild(main, L"Edit", 2), "pin");
    Click(rt::test::Child(main, L"Button", L"&Start"));

    HWND confirm = program.Window("  Confirm Search And Replace");
    ASSERT_NE(confirm, nullptr);
    EXPECT_NE(BoxText(confirm).find("Do you want to make a backup"), std::string::npos);
    Click(GetDlgItem(confirm, IDYES));
    HWND complete = program.Window("  Complete");
    ASSERT_NE(complete, nullptr);
    EXPECT_EQ(BoxText(complete), "Search and replace operation completed successfully!");
    Click(GetDlgItem(complete, IDOK));
    ASSERT_TRUE(rt::test::WaitFor([&] { return !IsWindow(complete); }, kWaitMs));
    EXPECT_EQ(Label(main, "Searches Found"), "Searches Found = 2");

    EXPECT_EQ(Files(dir.Path()),
              (std::map<std::string, std::string>{
                  {"notes.txt", "The pin and the pin\r\nno match here\r\n"},
                  {TodaysBackup("notes.txt"), "The needle and the NEEDLE\r\nno match here\r\n"},
                  {"keep.txt", "a needle kept\r\n"},
                  {"code.c", "needle();\r\n"}}));

    Click(rt::test::Child(main, L"Button", L"&Close"));
    EXPECT_TRUE(program.Ended(kWaitMs));
}

// ---- Killed mid-run

constexpr int kFiles = 3;
constexpr size_t kFileBytes = 4 << 20;

std::string FileName(int i) {
    std::string name = "f";
    name += std::to_string(i);
    name += ".txt";
    return name;
}

std::string Original(int i) {
    std::string text;
    text.reserve(kFileBytes);
    const std::string line = "file " + std::to_string(i) + ": a needle in a line of its own, and more text\r\n";
    while (text.size() + line.size() <= kFileBytes) text += line;
    return text;
}

std::string Replaced(std::string text) {
    for (size_t p = 0; (p = text.find("needle", p)) != std::string::npos; p += 6) text.replace(p, 6, "thread");
    return text;
}

// The name of a temporary file of the replacement lying in the folder, or ""
// (asked fast, without reading anything).
std::string TempName(const std::string& folder) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(rt::Wide(folder + "\\~bw*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return {};
    FindClose(find);
    return rt::Utf8(data.cFileName);
}

// What one killed run left: files whole in their old or new text, backups
// whole, and how many temporary files.
struct Outcome {
    int originals = 0, replaced = 0, broken = 0, strays = 0;
};

Outcome Inspect(const std::string& folder, const std::vector<std::string>& before,
                const std::vector<std::string>& after) {
    Outcome o;
    for (const auto& [name, bytes] : Files(folder)) {
        if (name.rfind("~bw", 0) == 0) {
            ++o.strays;
            continue;
        }
        bool known = false;
        for (int i = 0; i < kFiles; ++i) {
            const std::string file = FileName(i);
            if (name == file) {
                known = true;
                if (bytes == before[i]) ++o.originals;
                else if (bytes == after[i]) ++o.replaced;
                else ++o.broken;
            } else if (name == TodaysBackup(file)) {
                known = true;
                if (bytes != before[i]) ++o.broken; // a backup is whole, or not there
            }
        }
        if (!known) ++o.broken;
    }
    return o;
}

TEST(SweeperProgram, KilledAtAnyMomentEveryFileIsItsOldOrItsNewTextWhole) {
    rt::test::TempFolder dir;
    std::vector<std::string> before, after;
    for (int i = 0; i < kFiles; ++i) {
        before.push_back(Original(i));
        after.push_back(Replaced(before[i]));
    }
    auto reset = [&] {
        for (const auto& [name, bytes] : Files(dir.Path())) DeleteFileW(rt::Wide(dir / name).c_str());
        for (int i = 0; i < kFiles; ++i) WriteBytes(dir / FileName(i), before[i]);
    };
    // Starts a run with or without backups; the moment the confirmation was answered.
    auto start = [&](Sweeper& program, bool backups) {
        HWND main = program.Window("  Sweeper");
        EXPECT_NE(main, nullptr);
        Click(rt::test::Child(main, L"Button", L"Select &All"));
        Type(NthChild(main, L"Edit", 1), "needle");
        Type(NthChild(main, L"Edit", 2), "thread");
        Click(rt::test::Child(main, L"Button", L"&Start"));
        HWND confirm = program.Window("  Confirm Search And Replace");
        EXPECT_NE(confirm, nullptr);
        Click(GetDlgItem(confirm, backups ? IDYES : IDNO));
        return std::chrono::steady_clock::now();
    };

    // A whole run first, to know how long one takes.
    reset();
    double runSeconds = 0;
    {
        Sweeper program(dir.Path());
        const auto began = start(program, true);
        ASSERT_NE(program.Window("  Complete", 60000), nullptr);
        runSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
        const Outcome whole = Inspect(dir.Path(), before, after);
        ASSERT_EQ(whole.replaced, kFiles);
        ASSERT_EQ(whole.broken + whole.strays, 0);
    }

    // Then runs killed at random moments, and runs killed the moment a
    // temporary file appears, while it is being written.
    std::random_device seeds;
    const unsigned seed = seeds();
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> moment(0.0, runSeconds * 1.1);
    std::uniform_int_distribution<int> settle(0, 8), pick(0, kFiles - 1);
    constexpr int kRounds = 24;
    int kills = 0, withTemp = 0;
    Outcome total;
    for (int round = 0; round < kRounds; ++round) {
        reset();
        Sweeper program(dir.Path());
        const bool atTemp = round % 2 == 1;
        const auto began = start(program, round % 4 < 2);
        if (atTemp) {
            // Killed while the temporary file of the n-th file is being written.
            const int target = pick(random);
            std::string seen;
            for (int temps = 0; temps <= target && !program.Ended(0) &&
                                std::chrono::steady_clock::now() - began < std::chrono::seconds(30);) {
                const std::string name = TempName(dir.Path());
                if (!name.empty() && name != seen) {
                    seen = name;
                    ++temps;
                    if (temps > target) break;
                }
                Sleep(0);
            }
            Sleep(static_cast<DWORD>(settle(random)));
        } else {
            const double wait = moment(random) -
                                std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
            if (wait > 0) Sleep(static_cast<DWORD>(wait * 1000));
        }
        program.Kill();
        ++kills;
        const Outcome o = Inspect(dir.Path(), before, after);
        SCOPED_TRACE("round " + std::to_string(round) + ", seed " + std::to_string(seed));
        EXPECT_EQ(o.broken, 0);
        EXPECT_EQ(o.originals + o.replaced, kFiles);
        EXPECT_LE(o.strays, 1) << "at most the file being written when it was killed";
        total.originals += o.originals;
        total.replaced += o.replaced;
        total.broken += o.broken;
        if (o.strays > 0) ++withTemp;
    }
    std::printf("[  FIGURES ] %d kills over runs of %d files of %zu bytes (a whole run %.2f s): "
                "%d files found in their old text, %d in their new, %d broken; "
                "%d kills left the temporary file being written\n",
                kills, kFiles, kFileBytes, runSeconds, total.originals, total.replaced, total.broken,
                withTemp);
}

} // namespace
} // namespace sweeper::testing
