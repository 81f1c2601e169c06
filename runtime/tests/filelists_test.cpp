// The drive, folder and file lists as real windows: what they show for a
// folder, how the user and the code move them, the errors for a drive that
// cannot be read and a folder that is gone, and the key events of lists.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rt/convert.h"
#include "rt/error.h"
#include "rt/forms.h"
#include "rt/scripted_user.h"
#include "rt/services.h"
#include "test_support.h"

namespace {

using namespace rt::test;

class ListsForm : public rt::Form {
  public:
    ListsForm() {
        Caption("  Lists");
        ClientSize(9000, 6000);
        Drive1.Move(105, 105, 3480, 315);
        Directory1.Move(105, 500, 3480, 3000);
        MIDIs.Move(3675, 105, 3060, 2040);
        MIDIs.Pattern("*.mid;*.rmi");
        ctlFile.Move(3675, 2300, 3060, 2040);
        ctlFile.MultiSelect(2);
        Drive1.Change = [this] { ++driveChanges; };
        Directory1.Change = [this] {
            ++dirChanges;
            MIDIs.Path(Directory1.Path());
            ctlFile.Path(Directory1.Path());
        };
        Directory1.KeyDown = [this](int key, int) { dirKeys.push_back(key); };
        cmdOK.Move(7000, 5000, 900, 400);
        cmdOK.Visible(false);
        cmdOK.Click = [this] { ++okClicks; };
        MIDIs.DblClick = [this] { played.push_back(MIDIs.List(MIDIs.ListIndex())); };
        MIDIs.KeyUp = [this](int key, int shift) {
            keyUps.push_back({key, shift});
            played.push_back(MIDIs.List(MIDIs.ListIndex()));
        };
    }
    rt::DriveListBox Drive1{*this};
    rt::DirListBox Directory1{*this};
    rt::FileListBox MIDIs{*this};
    rt::FileListBox ctlFile{*this};
    rt::CommandButton cmdOK{*this};
    int driveChanges = 0, dirChanges = 0, okClicks = 0;
    std::vector<int> dirKeys;
    std::vector<std::pair<int, int>> keyUps;
    std::vector<std::string> played;
};

using FileLists = FormFixture<ListsForm>;

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    return s;
}

std::vector<std::string> Entries(const rt::FileListBox& list) {
    std::vector<std::string> entries;
    for (int i = 0; i < list.ListCount(); ++i) entries.push_back(list.List(i));
    return entries;
}

void MakeFolder(const std::string& path) { CreateDirectoryW(rt::Wide(path).c_str(), nullptr); }

TEST_F(FileLists, FolderListShowsAncestorsAndSubfoldersWithFullPaths) {
    TempFolder temp;
    std::string music = temp / "Music";
    MakeFolder(music);
    for (const char* sub : {"zeta", "Alpha", "beta"}) MakeFolder(music + "\\" + sub);
    WriteBytes(music + "\\not a folder.txt", "x");
    MakeFolder(music + "\\.hidden");
    SetFileAttributesW(rt::Wide(music + "\\.hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);

    rt::DirListBox& d = form.Directory1;
    d.Path(music + "\\"); // a closing backslash is dropped
    EXPECT_EQ(form.dirChanges, 1);
    EXPECT_EQ(Upper(d.Path()), Upper(music));
    ASSERT_EQ(d.ListCount(), 3);
    EXPECT_EQ(Upper(d.List(0)), Upper(music + "\\Alpha"));
    EXPECT_EQ(Upper(d.List(1)), Upper(music + "\\beta"));
    EXPECT_EQ(Upper(d.List(2)), Upper(music + "\\zeta"));
    EXPECT_EQ(d.ListIndex(), -1); // the folder itself
    EXPECT_EQ(d.List(d.ListIndex()), d.Path());
    EXPECT_EQ(Upper(d.List(-2)), Upper(temp.Path()));

    // Up the chain to the drive's root, one line per level.
    int levels = 1;
    for (char c : d.Path()) levels += c == '\\';
    EXPECT_EQ(d.List(-levels), "C:\\");
    EXPECT_EQ(ErrorOf([&] { d.List(-levels - 1); }), 381);
    EXPECT_EQ(ErrorOf([&] { d.List(3); }), 381);

    // What another program reads: the names, the root as the drive list names it.
    std::vector<std::string> lines = ListLines(d.hWnd());
    ASSERT_EQ(lines.size(), static_cast<size_t>(levels + 3));
    EXPECT_EQ(lines.front(), "c:\\");
    EXPECT_EQ(lines[static_cast<size_t>(levels - 1)], "Music");
    EXPECT_EQ(lines.back(), "zeta");
    EXPECT_TRUE(GetWindowLongW(d.hWnd(), GWL_STYLE) & LBS_HASSTRINGS);

    // The same folder again is no change; a folder added shows on Refresh.
    d.Path(music);
    EXPECT_EQ(form.dirChanges, 1);
    MakeFolder(music + "\\gamma");
    d.ListIndex(1);
    d.Refresh();
    EXPECT_EQ(d.ListCount(), 4);
    EXPECT_EQ(d.ListIndex(), 1); // the user's line stays chosen
    EXPECT_EQ(ErrorOf([&] { d.ListIndex(4); }), 380);
}

TEST_F(FileLists, DoubleClickMovesTheFolderAndTheFileListsFollow) {
    TempFolder temp;
    std::string music = temp / "Music";
    MakeFolder(music);
    MakeFolder(music + "\\Songs");
    WriteBytes(music + "\\Songs\\one.mid", "x");
    WriteBytes(music + "\\top.mid", "x");
    form.Directory1.Path(music);
    ASSERT_EQ(Entries(form.MIDIs), std::vector<std::string>{"top.mid"});
    int levels = static_cast<int>(SendMessageW(form.Directory1.hWnd(), LB_GETCOUNT, 0, 0)) - 1;

    int clicks = 0;
    form.Directory1.Click = [&] { ++clicks; };
    DoubleClickLine(form.Directory1.hWnd(), levels); // the first subfolder
    EXPECT_GE(clicks, 1);
    EXPECT_EQ(Upper(form.Directory1.Path()), Upper(music + "\\Songs"));
    EXPECT_EQ(form.dirChanges, 2);
    EXPECT_EQ(Upper(form.MIDIs.Path()), Upper(music + "\\Songs"));
    EXPECT_EQ(Entries(form.MIDIs), std::vector<std::string>{"one.mid"});
    EXPECT_EQ(form.Directory1.ListIndex(), -1);

    // Back up to the parent by its line above the folder.
    DoubleClickLine(form.Directory1.hWnd(), levels - 1);
    EXPECT_EQ(Upper(form.Directory1.Path()), Upper(music));

    // A folder that went away since it was listed: the list is read again.
    RemoveDirectoryW(rt::Wide(music + "\\Songs\\one.mid").c_str());
    DeleteFileW(rt::Wide(music + "\\Songs\\one.mid").c_str());
    RemoveDirectoryW(rt::Wide(music + "\\Songs").c_str());
    DoubleClickLine(form.Directory1.hWnd(), levels);
    EXPECT_EQ(Upper(form.Directory1.Path()), Upper(music));
    EXPECT_EQ(form.Directory1.ListCount(), 0);

    // F5 in the folder list reaches its KeyDown; so does Enter while the
    // form has no default button for Enter to press.
    form.Directory1.SetFocus();
    rt::SendKeys("{F5}{ENTER}");
    EXPECT_EQ(form.dirKeys, (std::vector<int>{VK_F5, VK_RETURN}));
    form.cmdOK.Visible(true);
    form.cmdOK.Default(true);
    form.Directory1.SetFocus();
    rt::SendKeys("{ENTER}");
    EXPECT_EQ(form.okClicks, 1);
    EXPECT_EQ(form.dirKeys.size(), 2u);
}

TEST_F(FileLists, MissingFolderAndUnreadableDriveRaiseAndKeepTheLists) {
    TempFolder temp;
    form.Directory1.Path(temp.Path());
    form.MIDIs.Path(temp.Path());
    int changes = form.dirChanges;
    std::string description;
    EXPECT_EQ(ErrorOf([&] { form.Directory1.Path(temp / "gone"); }, &description), 76);
    EXPECT_EQ(description, "Path not found");
    EXPECT_EQ(ErrorOf([&] { form.MIDIs.Path(temp / "gone"); }), 76);
    WriteBytes(temp / "file.txt", "x");
    EXPECT_EQ(ErrorOf([&] { form.Directory1.Path(temp / "file.txt"); }), 76); // a file is no folder
    EXPECT_EQ(Upper(form.Directory1.Path()), Upper(temp.Path()));
    EXPECT_EQ(Upper(form.MIDIs.Path()), Upper(temp.Path()));
    EXPECT_EQ(form.dirChanges, changes);

    LostDrive lost;
    ASSERT_TRUE(lost.Defined());
    EXPECT_EQ(ErrorOf([&] { form.Directory1.Path(lost.Name()); }, &description), 68);
    EXPECT_EQ(description, "Device unavailable");
    EXPECT_EQ(ErrorOf([&] { form.MIDIs.Path(lost.Name() + "\\music"); }), 68);
    EXPECT_EQ(ErrorOf([&] { form.Drive1.Drive(lost.Name()); }), 68);
    EXPECT_EQ(ErrorOf([&] { form.Drive1.Drive("\\\\server\\share"); }), 68);
    EXPECT_EQ(Upper(form.Directory1.Path()), Upper(temp.Path()));
    EXPECT_EQ(form.driveChanges, 0);
}

TEST_F(FileLists, DriveListNamesDrivesAndFollowsCodeAndUser) {
    rt::DriveListBox& dr = form.Drive1;
    std::string start = dr.Drive();
    wchar_t current[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, current);
    ASSERT_FALSE(start.empty());
    EXPECT_EQ(start[0], static_cast<char>(tolower(current[0])));
    EXPECT_EQ(start.substr(1, 1), ":");
    EXPECT_EQ(WindowText(dr.hWnd()), start); // the field shows the drive

    // By code: any text that begins with the letter; a change only when it moves.
    char other = start[0] == 'c' ? 'z' : 'c';
    dr.Drive(std::string(1, static_cast<char>(toupper(other))) + ":\\windows");
    EXPECT_EQ(dr.Drive()[0], other);
    EXPECT_EQ(form.driveChanges, 1);
    dr.Drive(std::string(1, other) + ":");
    EXPECT_EQ(form.driveChanges, 1);
    dr.Drive(start);
    EXPECT_EQ(form.driveChanges, 2);

}

// The player's chain: a drive the user chooses that cannot be read is
// refused with a box, and the lists go back to the drive of the start.
TEST_F(FileLists, UnreadableDriveChosenByTheUserLeavesTheFolderAsItWas) {
    rt::ScriptedUser user;
    TempFolder temp;
    form.Directory1.Path(temp.Path());
    LostDrive lost;
    ASSERT_TRUE(lost.Defined());
    form.Drive1.Refresh(); // a drive that appeared is listed
    std::string startDrive = form.Drive1.Drive();
    bool changingDrive = false;
    form.Drive1.Change = [&] {
        if (changingDrive) return;
        std::string old = form.Directory1.Path();
        rt::Try([&] { form.Directory1.Path(form.Drive1.Drive()); });
        if (form.Directory1.Path() == old) {
            rt::MsgBox(form.Drive1.Drive() + " is not accessible.\r\rThe device is not ready.", 16,
                       "  Can Not Access Drive");
            changingDrive = true;
            form.Drive1.Drive(startDrive);
            changingDrive = false;
        }
    };
    form.Drive1.SetFocus();
    rt::SendKeys(lost.Name().substr(0, 1));
    ASSERT_EQ(user.MessageBoxes().size(), 1u);
    EXPECT_EQ(user.MessageBoxes()[0].Prompt,
              lost.Name() + " is not accessible.\r\rThe device is not ready.");
    EXPECT_EQ(form.Drive1.Drive(), startDrive);
    EXPECT_EQ(WindowText(form.Drive1.hWnd()), startDrive);
    EXPECT_EQ(Upper(form.Directory1.Path()), Upper(temp.Path()));

    // A readable drive moves the folder list to that drive's current folder.
    std::string other = startDrive[0] == 'c' ? "z:" : "c:";
    form.Drive1.Drive(other);
    EXPECT_EQ(Upper(form.Directory1.Path().substr(0, 2)), Upper(other));
    EXPECT_EQ(user.MessageBoxes().size(), 1u);
}

TEST_F(FileLists, FileListShowsMatchingFilesSortedThroughItsAttributes) {
    TempFolder temp;
    for (const char* name : {"b.MID", "a.mid", "c.rmi", "d.wav", "e.midi", "README", "song.mid.txt"})
        WriteBytes(temp / name, "x");
    MakeFolder(temp / "folder.mid");
    WriteBytes(temp / "hidden.mid", "x", FILE_ATTRIBUTE_HIDDEN);
    WriteBytes(temp / "locked.mid", "x", FILE_ATTRIBUTE_READONLY);
    WriteBytes(temp / "system.mid", "x", FILE_ATTRIBUTE_SYSTEM);

    rt::FileListBox& m = form.MIDIs;
    m.Path(temp.Path());
    EXPECT_EQ(Entries(m), (std::vector<std::string>{"a.mid", "b.MID", "c.rmi", "locked.mid"}));
    EXPECT_EQ(ListLines(m.hWnd()), Entries(m)); // readable by another program
    EXPECT_EQ(m.List(-1), ""); // nothing selected
    EXPECT_EQ(m.ListIndex(), -1);

    m.Hidden(true);
    m.System(true);
    m.ReadOnly(false);
    EXPECT_EQ(Entries(m), (std::vector<std::string>{"a.mid", "b.MID", "c.rmi", "hidden.mid", "system.mid"}));
    m.Hidden(false);
    m.System(false);
    m.ReadOnly(true);

    m.Pattern("*.*"); // a name without an extension too
    EXPECT_EQ(m.ListCount(), 8);
    EXPECT_EQ(m.List(4), "e.midi");
    EXPECT_EQ(m.List(6), "README");
    m.Pattern(" *.wav ; readme ;");
    EXPECT_EQ(Entries(m), (std::vector<std::string>{"d.wav", "README"}));
    m.Pattern("");
    EXPECT_EQ(m.ListCount(), 8);
    m.Pattern("?.mi?");
    EXPECT_EQ(Entries(m), (std::vector<std::string>{"a.mid", "b.MID"}));
    EXPECT_EQ(ErrorOf([&] { m.Pattern("c:\\*.mid"); }), 380);
    EXPECT_EQ(ErrorOf([&] { m.Pattern("a|b"); }), 380);
    EXPECT_EQ(m.Pattern(), "?.mi?");
    EXPECT_EQ(m.ListCount(), 2);

    WriteBytes(temp / "c.mid", "x");
    EXPECT_EQ(m.ListCount(), 2);
    m.Refresh();
    EXPECT_EQ(Entries(m), (std::vector<std::string>{"a.mid", "b.MID", "c.mid"}));
}

TEST_F(FileLists, KeysAndDoubleClicksReachTheFileListAfterItMoved) {
    TempFolder temp;
    for (const char* name : {"one.mid", "two.mid", "three.mid"}) WriteBytes(temp / name, "x");
    rt::FileListBox& m = form.MIDIs;
    m.Path(temp.Path());
    m.ListIndex(0);
    m.SetFocus();
    rt::SendKeys("{DOWN}");
    ASSERT_EQ(form.keyUps.size(), 1u);
    EXPECT_EQ(form.keyUps[0], std::make_pair(VK_DOWN, 0));
    EXPECT_EQ(form.played, std::vector<std::string>{"three.mid"}); // the entry the key led to
    rt::SendKeys("{ENTER}");
    EXPECT_EQ(form.keyUps.back().first, VK_RETURN);

    form.played.clear();
    DoubleClickLine(m.hWnd(), 2);
    EXPECT_EQ(form.played, std::vector<std::string>{"two.mid"});
}

TEST_F(FileLists, MultiSelectFileListSelectsAllAndNone) {
    TempFolder temp;
    for (const char* name : {"f0.txt", "f1.txt", "f2.txt", "f3.txt", "f4.txt"}) WriteBytes(temp / name, "x");
    rt::FileListBox& f = form.ctlFile;
    f.Path(temp.Path());
    ASSERT_EQ(f.ListCount(), 5);
    auto selected = [&] {
        int n = 0;
        for (int i = 0; i < f.ListCount(); ++i) n += f.Selected(i);
        return n;
    };
    EXPECT_EQ(selected(), 0);
    for (int i = 0; i < f.ListCount(); ++i) f.Selected(i, true);
    EXPECT_EQ(selected(), 5);
    f.Selected(2, false);
    EXPECT_EQ(selected(), 4);
    EXPECT_FALSE(f.Selected(2));
    EXPECT_EQ(ErrorOf([&] { f.Selected(5); }), 381);

    // The user's Ctrl+click adds one file to the selection.
    for (int i = 0; i < f.ListCount(); ++i) f.Selected(i, false);
    RECT r;
    SendMessageW(f.hWnd(), LB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&r));
    LPARAM at = MAKELPARAM(r.left + 5, (r.top + r.bottom) / 2);
    SendMessageW(f.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, at);
    SendMessageW(f.hWnd(), WM_LBUTTONUP, MK_CONTROL, at);
    EXPECT_TRUE(f.Selected(3));
    EXPECT_EQ(selected(), 1);
    EXPECT_EQ(f.ListIndex(), 3);
}

TEST(FileListsDesign, ListsStartAtTheCurrentFolder) {
    TempFolder temp;
    WriteBytes(temp / "here.txt", "x");
    wchar_t saved[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, saved);
    SetCurrentDirectoryW(rt::Wide(temp.Path()).c_str());
    {
        ListsForm f;
        f.Load();
        EXPECT_EQ(Upper(f.Directory1.Path()), Upper(temp.Path()));
        EXPECT_EQ(Upper(f.ctlFile.Path()), Upper(temp.Path()));
        EXPECT_EQ(Entries(f.ctlFile), std::vector<std::string>{"here.txt"});
        EXPECT_EQ(f.Drive1.Drive().substr(0, 2), "c:");
        EXPECT_EQ(f.dirChanges, 0);
        f.Unload();
    }
    SetCurrentDirectoryW(saved);
}

} // namespace

// A reader's order: case ignored, accents after the plain letter, digits
// one by one, punctuation first, other scripts after the Latin letters;
// whatever order the files were made in.
TEST_F(FileLists, FileListOrdersNamesAsAReaderDoesCaseAndAccentsIncluded) {
    const std::vector<std::string> ordered{
        "(paren).wav", "_under.wav", "~tilde.wav", "10 ten.wav", "9 nine.wav", "a.wav", "A1.wav",
        "a10.wav", "a2.wav", "\xC3\x84pfel.wav", "Apple pie.wav", "apple.wav", "APRICOT.wav",
        "banana.wav", "Co op.wav", "coop.wav", "co-op.wav", "\xC3\xA9" "cole.wav", "ecole1.wav",
        "Ecole2.wav", "x.WAV", "zebra.wav", "Z\xC3\xBCrich.wav", "\xCE\xA9mega.wav",
        "\xE6\x97\xA5\xE6\x9C\xAC.wav"};
    rt::FileListBox& m = form.MIDIs;
    m.Pattern("*.wav");
    for (bool backwards : {false, true}) {
        SCOPED_TRACE(backwards ? "made last to first" : "made first to last");
        TempFolder temp;
        for (size_t i = 0; i < ordered.size(); ++i)
            WriteBytes(temp / ordered[backwards ? ordered.size() - 1 - i : i], "x");
        m.Path(temp.Path());
        EXPECT_EQ(Entries(m), ordered);
        EXPECT_EQ(ListLines(m.hWnd()), ordered);
    }
}
