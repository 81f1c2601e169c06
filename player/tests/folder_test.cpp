// The folder browser: answered by the scripted user, and the shell's own
// dialog shown for real and driven while it is up.
#include <windows.h>
#include <shlobj.h>

#include <rt.h>
#include <rt/scripted_user.h>

#include "modCOMDLG32.h"
#include "test_support.h"

namespace tunebox {
namespace {

constexpr int kPromptId = 14146; // the static text above the shell's folder tree
using Kind = rt::ScriptedUser::Kind;

TEST(FolderBrowser, AChosenFolderComesBackWithoutNuls) {
    rt::ScriptedUser user;
    rt::test::TempFolder folder;
    long flags = 0;
    std::string name = "old name", path;
    user.ChooseFolder(folder.Path());
    ASSERT_TRUE(CD_ShowFolder(nullptr, flags, name, path, ""));
    EXPECT_EQ(path, folder.Path());
    EXPECT_EQ(name, folder.Path().substr(folder.Path().find_last_of('\\') + 1));
    EXPECT_EQ(path.find('\0'), std::string::npos);
    EXPECT_EQ(name.find('\0'), std::string::npos);
    EXPECT_EQ(flags, BIF_RETURNONLYFSDIRS); // 0 asks for file-system folders
    ASSERT_EQ(user.Boxes.size(), 1u);
    EXPECT_EQ(user.Boxes[0].What, Kind::FolderBrowser);
    EXPECT_EQ(user.Boxes[0].Prompt, "Select Folder:");
    EXPECT_EQ(user.Boxes[0].Style, BIF_RETURNONLYFSDIRS);

    flags = BIF_TUNEBOX_OPEN;
    user.ChooseFolder(folder.Path());
    ASSERT_TRUE(CD_ShowFolder(nullptr, flags, name, path, "Select The Directory To Open:"));
    EXPECT_EQ(user.Boxes[1].Prompt, "Select The Directory To Open:");
    EXPECT_EQ(user.Boxes[1].Style, 0x51);
    EXPECT_EQ(flags, 0x51);
}

TEST(FolderBrowser, CancelAndChoicesWithoutAPathGiveNothing) {
    rt::ScriptedUser user;
    long flags = BIF_TUNEBOX_OPEN;
    std::string name = "old name", path = "C:\\";
    user.CancelFolder();
    EXPECT_FALSE(CD_ShowFolder(nullptr, flags, name, path, "Pick"));
    EXPECT_EQ(flags, 0);
    EXPECT_EQ(name, "");
    EXPECT_EQ(path, "");

    // My Computer is a folder of the shell, but no folder on disk.
    const wchar_t* computer = L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
    PIDLIST_ABSOLUTE probe = ILCreateFromPathW(computer);
    ASSERT_NE(probe, nullptr);
    CoTaskMemFree(probe);
    flags = BIF_TUNEBOX_OPEN;
    name = "old name";
    path = "C:\\";
    user.ChooseFolder(rt::Utf8(computer));
    EXPECT_FALSE(CD_ShowFolder(nullptr, flags, name, path, "Pick"));
    EXPECT_EQ(flags, 0);
    EXPECT_EQ(name, "");
    EXPECT_EQ(path, "");
}

TEST(FolderBrowser, TheShellsDialogShowsThePromptAndReturnsItsChoice) {
    rt::test::RealUser real;
    wchar_t desktop[MAX_PATH] = {};
    ASSERT_EQ(SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, desktop), S_OK);
    std::string prompt;
    auto answer = [&](int button) {
        return [&prompt, button] {
            HWND dialog = rt::test::FindShownDialog();
            if (!dialog || !GetDlgItem(dialog, kPromptId)) return false;
            prompt = rt::test::WindowText(GetDlgItem(dialog, kPromptId));
            rt::test::PressButton(dialog, button);
            return true;
        };
    };
    long flags = BIF_TUNEBOX_OPEN;
    std::string name, path;
    {
        // OK on what the shell selects first: the user's desktop folder.
        rt::test::WhileModal ok(answer(IDOK));
        ASSERT_TRUE(CD_ShowFolder(nullptr, flags, name, path, "Select The Directory To Open:"));
    }
    EXPECT_EQ(prompt, "Select The Directory To Open:");
    EXPECT_EQ(path, rt::Utf8(desktop));
    EXPECT_FALSE(name.empty());
    EXPECT_EQ(name.find('\0'), std::string::npos);
    EXPECT_EQ(flags & BIF_RETURNONLYFSDIRS, BIF_RETURNONLYFSDIRS);
    {
        rt::test::WhileModal cancel(answer(IDCANCEL));
        EXPECT_FALSE(CD_ShowFolder(nullptr, flags, name, path, ""));
    }
    EXPECT_EQ(prompt, "Select Folder:");
    EXPECT_EQ(flags, 0);
    EXPECT_EQ(path, "");
    EXPECT_EQ(name, "");
}

} // namespace
} // namespace tunebox
