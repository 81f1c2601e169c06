// Saving the editor's text: Save As with its questions, Save to the same file,
// and every failure (read-only, held open by another program, a full disk, a
// character the code page cannot store) leaving the file, its name and the
// caption as they were. A saver killed again and again leaves one text whole.
#include <cstdio>
#include <random>

#include "fixture.h"

namespace tallyman {
namespace {

using test::EditorTest;
using Kind = rt::ScriptedUser::Kind;
using rt::test::ReadBytes;

// Answers the next Save dialog with a file, checking what it was given.
void ChooseFile(rt::ScriptedUser& user, const std::string& path) {
    user.OnDialog([path](rt::DialogKind kind, rt::CommonDialog& d) {
        EXPECT_EQ(kind, rt::DialogKind::Save);
        EXPECT_EQ(d.DialogTitle, "  Save To File");
        EXPECT_EQ(d.Filter, "Text Files  ( *.txt )|*.txt|All Files  ( *.* )|*.*");
        EXPECT_EQ(d.Flags, 0x200004);
        EXPECT_EQ(d.DefaultExt, ".txt");
        EXPECT_EQ(d.FileName, "");
        EXPECT_EQ(d.InitDir, rt::CurDir());
        EXPECT_TRUE(d.CancelError);
        d.FileName = path;
        return true;
    });
}

std::string SaveError(long number, const std::string& description) {
    return "Tallyman caused the following error while saving the file:\r\rError Number = " +
           rt::CStr(number) + "\rError Description = " + description;
}

TEST_F(EditorTest, SaveAsNamesTheFileAndSaveRewritesIt) {
    rt::test::TempFolder dir;
    const std::string path = dir / "module.bas";
    frmMain& form = Start("Sub Main()\r\n    x = \"caf\xC3\xA9\"\r\nEnd Sub");

    user.CancelDialog();
    form.mnuFileSave_Click(); // no name yet: Save As, cancelled
    EXPECT_FALSE(rt::FileExists(path));
    EXPECT_EQ(form.Caption(), "  Tallyman");

    ChooseFile(user, path);
    form.mnuFileSave_Click();
    // ANSI text, one CR LF more than the editor holds.
    EXPECT_EQ(ReadBytes(path), "Sub Main()\r\n    x = \"caf\xE9\"\r\nEnd Sub\r\n");
    EXPECT_EQ(form.Caption(), "  Tallyman    [ module.bas ]");
    EXPECT_EQ(form.FileName(), path);

    form.txtDisplay.Text("second");
    form.mnuFileSave_Click(); // the same file, no question
    EXPECT_EQ(ReadBytes(path), "second\r\n");
    EXPECT_EQ(Count(Kind::Dialog), 2);
    EXPECT_TRUE(user.MessageBoxes().empty());

    // Save As onto an existing file asks; No keeps it.
    const std::string other = dir / "other.txt";
    rt::test::WriteBytes(other, "other's text");
    form.txtDisplay.Text("third");
    ChooseFile(user, other);
    user.Answer(rt::vbNo);
    form.mnuFileSaveAs_Click();
    EXPECT_EQ(LastBox().Prompt, other + "\rThis file already exists.\r\rReplace existing file?");
    EXPECT_EQ(LastBox().Title, "  Overwrite Existing File?");
    EXPECT_EQ(LastBox().Style, 52);
    EXPECT_EQ(ReadBytes(other), "other's text");
    EXPECT_EQ(form.FileName(), path);
    ChooseFile(user, other);
    user.Answer(rt::vbYes);
    form.mnuFileSaveAs_Click();
    EXPECT_EQ(ReadBytes(other), "third\r\n");
    EXPECT_EQ(form.Caption(), "  Tallyman    [ other.txt ]");
    EXPECT_EQ(ReadBytes(path), "second\r\n");
}

// A program that holds a file open, sharing nothing, until it is ended.
int HoldOpen(const std::string& path) {
    HANDLE file = CreateFileW(rt::Wide(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    Sleep(INFINITE);
    return 0;
}
const int kHoldOpen = rt::test::RegisterChild("hold-open", &HoldOpen);

bool Locked(const std::string& path) {
    HANDLE h = CreateFileW(rt::Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_SHARING_VIOLATION;
    CloseHandle(h);
    return false;
}

TEST_F(EditorTest, AFailedSaveTellsWhyAndKeepsTheFileItsNameAndTheCaption) {
    rt::test::TempFolder dir;
    const std::string path = dir / "kept.bas";
    frmMain& form = Start("kept text");
    ChooseFile(user, path);
    form.mnuFileSaveAs_Click();
    ASSERT_EQ(ReadBytes(path), "kept text\r\n");
    const std::string caption = form.Caption();

    // Read-only, by Save and by Save As onto it.
    const std::string readOnly = dir / "readonly.bas";
    rt::test::WriteBytes(readOnly, "read-only text", FILE_ATTRIBUTE_READONLY);
    rt::SetAttr(path, rt::vbReadOnly);
    form.txtDisplay.Text("new text");
    form.mnuFileSave_Click();
    EXPECT_EQ(LastBox().Prompt, SaveError(75, "Path/File access error"));
    EXPECT_EQ(LastBox().Title, "  Error  -  Path/File access error");
    EXPECT_EQ(LastBox().Style, 48);
    EXPECT_EQ(ReadBytes(path), "kept text\r\n");
    rt::SetAttr(path, rt::vbNormal);
    ChooseFile(user, readOnly);
    user.Answer(rt::vbYes);
    form.mnuFileSaveAs_Click();
    EXPECT_EQ(LastBox().Prompt, SaveError(75, "Path/File access error"));
    EXPECT_EQ(ReadBytes(readOnly), "read-only text");
    EXPECT_EQ(form.FileName(), path);
    EXPECT_EQ(form.Caption(), caption);

    // Held open by another program.
    {
        rt::test::ChildProcess holder("hold-open", path);
        ASSERT_TRUE(rt::test::WaitFor([&] { return Locked(path); }, 15000));
        form.mnuFileSave_Click();
        EXPECT_EQ(LastBox().Prompt, SaveError(70, "Permission denied"));
        EXPECT_EQ(LastBox().Title, "  Error  -  Permission denied");
    }
    rt::test::WaitFor([&] { return !Locked(path); }, 15000);
    EXPECT_EQ(ReadBytes(path), "kept text\r\n");

    // A character the code page has no place for: nothing is written, not even
    // a new file, and no "?" stands in for it.
    if (GetACP() == 1252) {
        form.txtDisplay.Text("Sub Main()\r\n    s = \"\xCE\xBB\"\r\nEnd Sub");
        form.mnuFileSave_Click();
        const std::string description = "The character \"\xCE\xBB\" on line 2 cannot be stored in "
                                        "the system's code page; the file was not written.";
        EXPECT_EQ(LastBox().Prompt, SaveError(rt::errNotInCodePage, description));
        EXPECT_EQ(LastBox().Title, "  Error  -  " + description);
        EXPECT_EQ(ReadBytes(path), "kept text\r\n");
        ChooseFile(user, dir / "fresh.bas");
        form.mnuFileSaveAs_Click();
        EXPECT_FALSE(rt::FileExists(dir / "fresh.bas"));
        EXPECT_EQ(form.Caption(), caption);
    }
    EXPECT_EQ(rt::Dir(dir / "~bw*").size(), 0u) << "no temporary file is left";
    EXPECT_EQ(rt::Err().Number, 0);
}

TEST_F(EditorTest, AFullDiskTellsSoAndKeepsTheFile) {
    wchar_t drive[8] = {};
    if (!GetEnvironmentVariableW(L"BENCHWARE_SMALL_DRIVE", drive, 8))
        GTEST_SKIP() << "no small volume: the test command mounts one where it runs as root";
    const std::string path = rt::Utf8(drive) + "\\tallyman.bas";
    frmMain& form = Start(std::string(20000, 's'));
    ChooseFile(user, path);
    if (rt::FileExists(path)) user.Answer(rt::vbYes);
    form.mnuFileSaveAs_Click();
    ASSERT_EQ(ReadBytes(path), std::string(20000, 's') + "\r\n");

    form.txtDisplay.Text(std::string(200000, 'b'));
    form.mnuFileSave_Click();
    EXPECT_EQ(LastBox().Prompt, SaveError(61, "Disk full"));
    EXPECT_EQ(LastBox().Title, "  Error  -  Disk full");
    EXPECT_EQ(ReadBytes(path), std::string(20000, 's') + "\r\n");
    EXPECT_EQ(form.Caption(), "  Tallyman    [ tallyman.bas ]");
    rt::Kill(path);
}

// ---- Killed while saving

// Two large texts of different lengths, every line told apart by its number.
std::string LargeText(char c, int lines) {
    std::string text;
    for (int i = 0; i < lines; ++i) {
        if (i) text += "\r\n";
        text += std::to_string(i) + "  x = \"" + std::string(240, c) + "\"";
    }
    return text;
}
const std::string& TextA() {
    static const std::string text = LargeText('a', 6000);
    return text;
}
const std::string& TextB() {
    static const std::string text = LargeText('b', 4500);
    return text;
}

// The file's size, asked without opening it (an open file cannot be replaced).
long long SizeOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(rt::Wide(path).c_str(), GetFileExInfoStandard, &data)) return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Tallyman's editor saving TextA and TextB in turn to the file named, forever.
int SaveForever(const std::string& path) {
    rt::App().Title = test::kApp;
    rt::ScriptedUser user;
    frmMain& form = frmMain::Get();
    form.Show();
    form.txtDisplay.Text(TextA());
    user.OnDialog([&](rt::DialogKind, rt::CommonDialog& d) { return d.FileName = path, true; });
    user.Answer(rt::vbYes); // replace the file there
    form.mnuFileSaveAs_Click();
    for (bool a = false;; a = !a) {
        form.txtDisplay.Text(a ? TextA() : TextB());
        form.mnuFileSave_Click();
    }
}
const int kSaveForever = rt::test::RegisterChild("save-forever", &SaveForever);

TEST(SaveKilled, TheFileIsAlwaysOneOfTheTwoTextsWhole) {
    rt::test::TempFolder dir;
    const std::string path = dir / "alternating.bas";
    const std::string a = TextA() + "\r\n", b = TextB() + "\r\n";
    std::mt19937 random(20261209);
    int kills = 0, wasA = 0, wasB = 0;
    for (; kills < 16; ++kills) {
        rt::test::WriteBytes(path, kills % 2 ? a : b);
        rt::test::ChildProcess saver("save-forever", path);
        // Killed at any moment once it has replaced the text it found.
        const long long other = static_cast<long long>((kills % 2 ? b : a).size());
        ASSERT_TRUE(rt::test::WaitFor([&] { return SizeOf(path) == other; }, 60000));
        Sleep(std::uniform_int_distribution<DWORD>(0, 1500)(random));
        ASSERT_EQ(saver.Wait(0), STILL_ACTIVE) << "the saver is killed, it does not stop by itself";
        saver.Kill();
        const std::string now = ReadBytes(path);
        ASSERT_TRUE(now == a || now == b) << "kill " << kills << ": " << now.size() << " bytes";
        (now == a ? wasA : wasB)++;
        for (const std::string& name : rt::Dir(dir / "~bw*")) rt::Kill(dir / name);
    }
    std::printf("tallyman: %d kills during saves of %zu and %zu bytes: the file held the first "
                "text whole %d times, the second %d times, never anything else\n",
                kills, a.size(), b.size(), wasA, wasB);
    RecordProperty("kills", kills);
}

} // namespace
} // namespace tallyman
