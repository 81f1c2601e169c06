// Sweeper.exe started as a program of its own and driven from outside as a
// user drives it: the window found by its caption, the pattern typed, files
// picked, Start, the boxes answered, the files on disk checked. And the same
// program killed at random moments of runs over files of several megabytes.
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "fixture.h"

namespace sweeper::testing {
namespace {

using rt::test::WindowText;
using rt::test::WriteBytes;
using Clock = std::chrono::steady_clock;
using Folder = std::map<std::string, std::string>;

// Sweeper.exe, started in a folder: drive C:'s current folder, which its
// window opens on. The controls of its window are found as a user's tool finds
// them: by class and order, buttons by caption.
class Sweeper : public rt::test::Program {
  public:
    explicit Sweeper(const std::string& folder) : Program("Sweeper.exe", folder) {
        main = Window("  Sweeper");
        EXPECT_NE(main, nullptr);
    }
    HWND Nth(const wchar_t* cls, int n) const {
        HWND w = nullptr;
        for (int i = 0; i <= n; ++i) w = FindWindowExW(main, w, cls, nullptr);
        return w;
    }
    // Types into the n-th text box (0 the pattern, 1 the search, 2 the replacement).
    void Type(int box, const std::string& text) const {
        const HWND edit = Nth(L"Edit", box);
        SendMessageW(edit, EM_SETSEL, 0, -1);
        SendMessageW(edit, WM_CHAR, VK_BACK, 1);
        for (wchar_t c : rt::Wide(text)) SendMessageW(edit, WM_CHAR, c, 1);
    }
    void Click(const wchar_t* caption) const {
        PostMessageW(rt::test::Child(main, L"Button", caption), BM_CLICK, 0, 0);
    }
    // Waits for the box with this title and presses one of its buttons; its text.
    std::string Answer(const std::string& title, int button, DWORD timeoutMs = 20000) const {
        const HWND box = Window(title, timeoutMs);
        if (!box) return "(no box " + title + ")";
        std::string text;
        for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
            if (WindowText(c).size() > text.size()) text = WindowText(c);
        PostMessageW(GetDlgItem(box, button), BM_CLICK, 0, 0);
        return text;
    }
    std::vector<std::string> Listed() const {
        std::vector<std::string> lines;
        const HWND files = Nth(L"ListBox", 1);
        for (int i = 0; i < SendMessageW(files, LB_GETCOUNT, 0, 0); ++i) {
            wchar_t text[MAX_PATH] = {};
            SendMessageW(files, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
            lines.push_back(rt::Utf8(text));
        }
        return lines;
    }
    HWND main = nullptr;
};

TEST(SweeperProgram, AUserPicksFilesReplacesAndFindsTheFilesChanged) {
    rt::test::TempFolder dir;
    WriteBytes(dir / "notes.txt", "The needle and the NEEDLE\r\nno match here\r\n");
    WriteBytes(dir / "keep.txt", "a needle kept\r\n");
    WriteBytes(dir / "code.c", "needle();\r\n");
    Sweeper program(dir.Path());
    ASSERT_NE(program.main, nullptr);
    EXPECT_EQ(program.Listed(), (std::vector<std::string>{"code.c", "keep.txt", "notes.txt"}));
    program.Type(0, "*.txt");
    EXPECT_EQ(program.Listed(), (std::vector<std::string>{"keep.txt", "notes.txt"}));
    SendMessageW(program.Nth(L"ListBox", 1), LB_SETSEL, TRUE, 1); // notes.txt
    program.Type(1, "needle");
    program.Type(2, "pin");
    program.Click(L"&Start");

    EXPECT_NE(program.Answer(kConfirmTitle, IDYES).find("Do you want to make a backup"), std::string::npos);
    EXPECT_EQ(program.Answer("  Complete", IDOK), "Search and replace operation completed successfully!");
    EXPECT_TRUE(rt::test::WaitFor([&] {
        return rt::test::Child(program.main, nullptr, L"Searches Found = 2") != nullptr;
    }));
    EXPECT_EQ(Files(dir.Path()),
              (Folder{{"notes.txt", "The pin and the pin\r\nno match here\r\n"},
                      {TodaysBackup("notes.txt"), "The needle and the NEEDLE\r\nno match here\r\n"},
                      {"keep.txt", "a needle kept\r\n"},
                      {"code.c", "needle();\r\n"}}));
    program.Click(L"&Close");
    EXPECT_EQ(program.Wait(20000), 0u);
}

// While the About box holds the run between its reading of a file and its
// replacing of it, another program appends a line to that file: the line
// stays, the file gets no backup, and the run reports it and goes on.
TEST(SweeperProgram, AFileAnotherProgramAppendsToDuringTheRunKeepsTheLine) {
    rt::test::TempFolder dir;
    std::string text;
    while (text.size() < (24u << 20)) text += std::string(78, 'a') + "\r\n";
    WriteBytes(dir / "log.txt", text);
    Sweeper program(dir.Path());
    ASSERT_NE(program.main, nullptr);
    program.Click(L"Select &All");
    program.Type(1, "a");
    program.Type(2, "b");
    program.Click(L"&Start");
    program.Answer(kConfirmTitle, IDYES);
    // The run is in the file's lines once it shows how many there are.
    ASSERT_TRUE(rt::test::WaitFor([&] {
        for (HWND c = GetWindow(program.main, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            const std::string label = WindowText(c);
            if (label.rfind("Lines In File = ", 0) == 0 && label != "Lines In File = 0") return true;
        }
        return false;
    }));
    program.Click(L"A&bout");
    ASSERT_NE(program.Window("Sweeper"), nullptr);
    {
        rt::FileHandle log(CreateFileW(rt::Wide(dir / "log.txt").c_str(), FILE_APPEND_DATA, 7,
                                       nullptr, OPEN_EXISTING, 0, nullptr));
        DWORD written = 0;
        WriteFile(log, "another program's line\r\n", 24, &written, nullptr);
    }
    program.Answer("Sweeper", IDOK);

    EXPECT_EQ(program.Answer("  Error", IDOK),
              dir / "log.txt" +
                  "\rAn error occured while examining this file:\r\rError Number = 1002\r"
                  "Error Description = The file was changed or deleted by another program after "
                  "it was read; it was left as it is now.");
    EXPECT_EQ(program.Answer("  Complete", IDOK), "Search and replace operation completed successfully!");
    EXPECT_TRUE(Files(dir.Path()) == (Folder{{"log.txt", text + "another program's line\r\n"}}))
        << "the file is not as the other program left it, or has a backup";
    program.Click(L"&Close");
    EXPECT_EQ(program.Wait(20000), 0u);
}

// ---- Killed mid-run: three files of 4 MB, "needle" in every line.

std::string Name(int i) { return std::string(1, static_cast<char>('a' + i)) + ".txt"; }

// The name of a temporary file of the replacement in the folder, or "" (asked
// fast, without reading anything).
std::string TempName(const std::string& folder) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(rt::Wide(folder + "\\~bw*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return {};
    FindClose(find);
    return rt::Utf8(data.cFileName);
}

TEST(SweeperProgram, KilledAtAnyMomentEveryFileIsItsOldOrItsNewTextWhole) {
    rt::test::TempFolder dir;
    Folder before, after;
    for (int i = 0; i < 3; ++i) {
        std::string& old = before[Name(i)];
        const std::string line = Name(i) + ": a needle in a line of its own, and more text\r\n";
        while (old.size() < (4u << 20)) old += line;
        after[Name(i)] = old;
        for (size_t p = 0; (p = after[Name(i)].find("needle", p)) != std::string::npos;)
            after[Name(i)].replace(p, 6, "thread");
    }
    auto reset = [&] {
        for (const auto& [name, bytes] : Files(dir.Path())) DeleteFileW(rt::Wide(dir / name).c_str());
        for (const auto& [name, bytes] : before) WriteBytes(dir / name, bytes);
    };
    // A run begun with or without backups; when its confirmation was answered.
    auto start = [&](Sweeper& program, bool backups) {
        program.Click(L"Select &All");
        program.Type(1, "needle");
        program.Type(2, "thread");
        program.Click(L"&Start");
        program.Answer(kConfirmTitle, backups ? IDYES : IDNO);
        return Clock::now();
    };

    // A whole run first, to know how long one takes.
    double runSeconds = 0;
    {
        reset();
        Sweeper program(dir.Path());
        const auto began = start(program, true);
        ASSERT_NE(program.Window("  Complete", 60000), nullptr);
        runSeconds = std::chrono::duration<double>(Clock::now() - began).count();
        ASSERT_EQ(Files(dir.Path()).size(), 6u);
        ASSERT_TRUE(Files(dir.Path())[Name(2)] == after[Name(2)]);
    }

    // Then runs killed at random moments, and runs killed while the temporary
    // file of one of the files is being written.
    const unsigned seed = std::random_device()();
    std::mt19937 random(seed);
    constexpr int kRounds = 24;
    int olds = 0, news = 0, temps = 0;
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round) + ", seed " + std::to_string(seed));
        reset();
        Sweeper program(dir.Path());
        const auto began = start(program, round % 4 < 2);
        if (round % 2 == 0) {
            const double at = std::uniform_real_distribution<double>(0, runSeconds * 1.1)(random);
            const double now = std::chrono::duration<double>(Clock::now() - began).count();
            if (at > now) Sleep(static_cast<DWORD>((at - now) * 1000));
        } else {
            const int target = std::uniform_int_distribution<int>(0, 2)(random);
            std::string seen;
            for (int n = 0; n <= target && program.Wait(0) == STILL_ACTIVE &&
                            Clock::now() - began < std::chrono::seconds(30);) {
                const std::string name = TempName(dir.Path());
                if (!name.empty() && name != seen) seen = name, ++n;
            }
            Sleep(std::uniform_int_distribution<DWORD>(0, 8)(random));
        }
        program.Kill();

        int strays = 0;
        for (const auto& [name, bytes] : Files(dir.Path())) {
            if (name.rfind("~bw", 0) == 0) {
                ++strays;
            } else if (before.count(name)) {
                EXPECT_TRUE(bytes == before[name] || bytes == after[name]) << name << " is broken";
                (bytes == before[name] ? olds : news) += 1;
            } else {
                const size_t end = name.find("] ");
                const auto of = before.find(end == std::string::npos ? name : name.substr(end + 2));
                EXPECT_TRUE(of != before.end() && bytes == of->second) << name << " is no whole backup";
            }
        }
        // At most the file being written when it was killed, and, while it
        // takes the file's place, a second name of the old file.
        EXPECT_LE(strays, 2);
        temps += strays;
    }
    std::printf("[  FIGURES ] %d kills over runs of 3 files of 4 MB (a whole run %.2f s): "
                "%d files found in their old text, %d in their new, none broken; "
                "%d temporary files left by the kills\n",
                kRounds, runSeconds, olds, news, temps);
}

TEST(SweeperProgram, EndsOnACloseSentByAnotherProgram) {
    rt::test::ExpectEndsOnSentCloses("Sweeper.exe", "  Sweeper");
}

} // namespace
} // namespace sweeper::testing
