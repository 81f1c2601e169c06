// The wallpaper band against the real registry, WIN.INI and desktop: what is
// written where, the boxes a user sees, and that nothing is written for a
// path that cannot be applied or a question answered No.
#include <windows.h>

#include <cstring>

#include <rt.h>
#include <rt/scripted_user.h>

#include "fixture.h"
#include "frmMain.h"
#include "modCOMDLG32.h"
#include "test_support.h"
#include "wallpaper.h"

namespace decorum {
namespace {

using testing::RegistryText;
using testing::WinIniDesktop;

const std::string kDefaultDesktop = DefaultUser(kDesktopKey);
const std::string kDefaultGeneral = DefaultUser(kGeneralKey);

// Every wallpaper value of the registry and WIN.INI, by place, in one text.
std::string Everything() {
    std::string all;
    auto add = [&](const std::string& where, const std::optional<std::string>& v) {
        all += where + "=" + (v ? *v : "(none)") + "\n";
    };
    for (auto [root, rootName, key] :
         {std::tuple{HKEY_USERS, "HKU", kDefaultDesktop}, {HKEY_USERS, "HKU", kDefaultGeneral},
          {HKEY_CURRENT_USER, "HKCU", std::string(kDesktopKey)},
          {HKEY_CURRENT_USER, "HKCU", std::string(kGeneralKey)}})
        for (const char* name : {"Wallpaper", "BackupWallpaper", "TileWallpaper", "WallpaperStyle"})
            add(std::string(rootName) + "\\" + key + "\\" + name, RegistryText(root, key, name));
    for (const char* name : {"Wallpaper", "TileWallpaper", "WallpaperStyle"})
        add(std::string("WIN.INI\\") + name, WinIniDesktop(name));
    return all;
}

class WallpaperTest : public testing::MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        bitmap = folder / "Sky.bmp";
        testing::WriteBitmap(bitmap, 16, 16, RGB(0, 128, 255));
    }
    frmMain& StartWith(const std::string& path) {
        frmMain& form = Start();
        form.txtWhatToChangeWallpaperTo.Text(path);
        return form;
    }
    // The values a place holds.
    std::vector<std::optional<std::string>> Values(const char* name) {
        return {RegistryText(HKEY_USERS, kDefaultDesktop, name),
                RegistryText(HKEY_USERS, kDefaultGeneral, name),
                RegistryText(HKEY_CURRENT_USER, kDesktopKey, name),
                RegistryText(HKEY_CURRENT_USER, kGeneralKey, name), WinIniDesktop(name)};
    }
    const rt::ScriptedUser::Shown& LastBox() { return user.Boxes.back(); }

    rt::test::TempFolder folder;
    std::string bitmap;
};

TEST_F(WallpaperTest, ChangeWritesThePathEverywhereAndShowsIt) {
    frmMain& form = StartWith(bitmap);
    form.cmdChangeWallpaper.Press();
    EXPECT_TRUE(user.Boxes.empty());
    const std::optional<std::string> path = bitmap;
    EXPECT_EQ(Values("Wallpaper"), (std::vector{path, path, path, path, path}));
    EXPECT_EQ(RegistryText(HKEY_USERS, kDefaultGeneral, "BackupWallpaper"), path);
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, kGeneralKey, "BackupWallpaper"), path);
    EXPECT_EQ(WallpaperInForce(), bitmap);
}

TEST_F(WallpaperTest, OnlyTheThreeSpellingsOfBmpGoWithoutAQuestion) {
    rt::ChDir(folder.Path());
    for (const char* name : {"a.BMP", "b.bmp", "c.Bmp", "d.bMp", "e.jpg", "ab"}) {
        const std::string path = folder / name;
        testing::WriteBitmap(path, 4, 4, RGB(1, 2, 3));
    }
    frmMain& form = Start();
    for (const char* name : {"a.BMP", "b.bmp", "c.Bmp"}) {
        form.txtWhatToChangeWallpaperTo.Text(folder / name);
        form.cmdChangeWallpaper.Press();
        EXPECT_TRUE(user.Boxes.empty()) << name;
        EXPECT_EQ(Values("Wallpaper")[0], folder / name);
    }
    const std::string question =
        "The file you specified to make the new Desktop Wallpaper does not appear to be a Windows "
        "Bitmap (.BMP) file.  This may not work if it is not a Bitmap file.\r\r"
        "Are you sure you want to continue?";
    for (std::string path : {folder / "d.bMp", folder / "e.jpg", std::string("ab")}) {
        SCOPED_TRACE(path);
        const std::string before = Everything();
        form.txtWhatToChangeWallpaperTo.Text(path);
        user.Answer(rt::vbNo);
        form.cmdChangeWallpaper.Press();
        ASSERT_FALSE(user.Boxes.empty());
        EXPECT_EQ(LastBox().Prompt, question);
        EXPECT_EQ(LastBox().Title, "  Decorum");
        EXPECT_EQ(LastBox().Style, 36);
        EXPECT_EQ(Everything(), before);
        user.Answer(rt::vbYes);
        form.cmdChangeWallpaper.Press();
        EXPECT_EQ(Values("Wallpaper")[4], path);
    }
}

TEST_F(WallpaperTest, AnEmptyPathIsSaidForEachCommandAndWritesNothing) {
    frmMain& form = StartWith("");
    const std::string before = Everything();
    form.chkCenter.Value(rt::vbChecked);
    form.optTile.Value(true);
    form.optCenter.Value(false);
    form.optCenter.Value(true);
    form.cmdChangeWallpaper.Press();
    const std::string start = "There is currently no Desktop Wallpaper selected to ";
    const std::vector<std::string> expected{
        start + "stretch.  You must first choose a Desktop Wallpaper to stretch.",
        start + "tile.  You must first choose a Desktop Wallpaper to tile.",
        start + "center.  You must first choose a Desktop Wallpaper to center.",
        start + "change to.  You must first choose a Desktop Wallpaper to change to."};
    ASSERT_EQ(user.MessageBoxes().size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(user.MessageBoxes()[i].Prompt, expected[i]);
        EXPECT_EQ(user.MessageBoxes()[i].Title, "  No Wallpaper Selected");
        EXPECT_EQ(user.MessageBoxes()[i].Style, 48);
    }
    EXPECT_EQ(form.chkCenter.Value(), rt::vbUnchecked);
    EXPECT_FALSE(form.optTile.Value());
    EXPECT_FALSE(form.optCenter.Value());
    EXPECT_EQ(GetFocus(), form.txtWhatToChangeWallpaperTo.hWnd());
    EXPECT_EQ(Everything(), before);
}

TEST_F(WallpaperTest, StretchTileAndCenterWriteTheirValuesAndTheDesktopShowsThem) {
    frmMain& form = StartWith(bitmap);
    form.chkCenter.Value(rt::vbChecked);
    EXPECT_EQ(Values("WallpaperStyle"),
              (std::vector<std::optional<std::string>>{"2", std::nullopt, "2", std::nullopt, "2"}));
    EXPECT_EQ(Values("Wallpaper")[2], bitmap); // applied first
    form.chkCenter.Value(rt::vbUnchecked);
    EXPECT_EQ(Values("WallpaperStyle")[0], "0");
    EXPECT_EQ(Values("WallpaperStyle")[4], "0");

    form.optTile.Value(true); // as a click does
    EXPECT_EQ(Values("TileWallpaper"), (std::vector<std::optional<std::string>>(5, "1")));
    EXPECT_FALSE(form.chkCenter.Enabled());
    EXPECT_EQ(form.chkCenter.Value(), rt::vbUnchecked);
    rt::DoEvents();
    Sleep(200);
    {
        rt::WindowDC screen(nullptr); // the desktop tiled, far from the window too
        EXPECT_EQ(GetPixel(screen, 40, 40), RGB(0, 128, 255));
        EXPECT_EQ(GetPixel(screen, 1000, 300), RGB(0, 128, 255));
    }
    form.optCenter.Value(true);
    EXPECT_EQ(Values("TileWallpaper"), (std::vector<std::optional<std::string>>(5, "0")));
    EXPECT_TRUE(form.chkCenter.Enabled());
    EXPECT_TRUE(user.Boxes.empty());
}

TEST_F(WallpaperTest, AMissingOrUnwritablePathIsRefusedBeforeAnythingIsWritten) {
    frmMain& form = Start();
    form.txtWhatToChangeWallpaperTo.Text(bitmap);
    form.cmdChangeWallpaper.Press();
    const std::string before = Everything();
    const std::string lead = "There was an error while trying to set the Desktop Wallpaper.  The "
                             "following was the error that occured :\r\r";

    for (std::string path : {folder / "Sky.bnp", folder / "Nowhere\\Sky.bmp", folder.Path()}) {
        SCOPED_TRACE(path);
        form.txtWhatToChangeWallpaperTo.Text(path);
        form.cmdChangeWallpaper.Press();
        ASSERT_FALSE(user.Boxes.empty());
        EXPECT_EQ(LastBox().Prompt, lead + "Error Number : 53\rError Description : File not found");
        EXPECT_EQ(LastBox().Title, "  Decorum");
        EXPECT_EQ(LastBox().Style, 48);
        EXPECT_EQ(Everything(), before);
        EXPECT_EQ(WallpaperInForce(), bitmap);
    }

    // A name the system's code page cannot hold would reach the system garbled.
    const std::string foreign = folder / "\xCE\xA9mega.bmp"; // Greek capital omega
    if (rt::FromAnsi(rt::ToAnsi(foreign)) == foreign) GTEST_SKIP() << "the code page holds it";
    testing::WriteBitmap(foreign, 4, 4, RGB(0, 0, 0));
    form.txtWhatToChangeWallpaperTo.Text(foreign);
    form.cmdChangeWallpaper.Press();
    EXPECT_EQ(LastBox().Prompt,
              lead + "Error Number : 52\rError Description : Bad file name or number");
    EXPECT_EQ(Everything(), before);

    // The style controls write nothing either, and are set back.
    form.txtWhatToChangeWallpaperTo.Text(folder / "gone.bmp");
    const size_t boxes = user.Boxes.size();
    form.optTile.Value(true);
    form.chkCenter.Value(rt::vbChecked);
    EXPECT_EQ(user.Boxes.size(), boxes + 2);
    EXPECT_FALSE(form.optTile.Value());
    EXPECT_EQ(form.chkCenter.Value(), rt::vbUnchecked);
    EXPECT_EQ(Everything(), before);
}

// No to the question writes nothing, and the style controls show again the
// style the system keeps.
TEST_F(WallpaperTest, NoToTheQuestionFromAStyleControlWritesNothingAndSetsItBack) {
    const std::string jpeg = folder / "Sky.jpg";
    testing::WriteBitmap(jpeg, 4, 4, RGB(0, 0, 0));
    frmMain& form = StartWith(jpeg);
    const std::string before = Everything();
    user.Answer(rt::vbNo);
    form.chkCenter.Value(rt::vbChecked);
    user.Answer(rt::vbNo);
    form.optTile.Value(true);
    EXPECT_EQ(user.MessageBoxes().size(), 2u);
    EXPECT_EQ(form.chkCenter.Value(), rt::vbUnchecked);
    EXPECT_FALSE(form.optTile.Value());
    EXPECT_TRUE(form.optCenter.Value());
    EXPECT_TRUE(form.chkCenter.Enabled());
    EXPECT_EQ(Everything(), before);

    user.Answer(rt::vbYes);
    form.optTile.Value(true);
    EXPECT_EQ(Values("TileWallpaper")[4], "1");
    EXPECT_EQ(Values("Wallpaper")[4], jpeg);

    const std::string tiled = Everything();
    user.Answer(rt::vbNo);
    form.optCenter.Value(true);
    EXPECT_EQ(user.MessageBoxes().size(), 4u) << "the question is asked once";
    EXPECT_TRUE(form.optTile.Value());
    EXPECT_FALSE(form.optCenter.Value());
    EXPECT_FALSE(form.chkCenter.Enabled());
    EXPECT_EQ(Everything(), tiled);

    // Stretched by the system, then the tick taken off and No: it comes back.
    user.Answer(rt::vbYes);
    form.optCenter.Value(true);
    user.Answer(rt::vbYes);
    form.chkCenter.Value(rt::vbChecked);
    EXPECT_EQ(Values("WallpaperStyle")[4], "2");
    const std::string stretched = Everything();
    user.Answer(rt::vbNo);
    form.chkCenter.Value(rt::vbUnchecked);
    EXPECT_EQ(user.MessageBoxes().size(), 7u);
    EXPECT_EQ(form.chkCenter.Value(), rt::vbChecked);
    EXPECT_EQ(Everything(), stretched);
}

TEST_F(WallpaperTest, BrowseOnlyFillsThePathBox) {
    frmMain& form = StartWith("typed.bmp");
    const std::string before = Everything();
    HWND owner = nullptr;
    std::string title, filter;
    CD_Calls().GetFileName = [&](OPENFILENAMEA& record, bool open) {
        owner = record.hwndOwner;
        title = record.lpstrTitle;
        filter.assign(record.lpstrFilter, 46);
        EXPECT_TRUE(open);
        std::strcpy(record.lpstrFile, "C:\\Pictures\\Sea.bmp");
        std::strcpy(record.lpstrFileTitle, "Sea.bmp");
        return DialogAnswer{TRUE, 0};
    };
    form.cmdWhatToChangeWallpaperTo.Press();
    EXPECT_EQ(form.txtWhatToChangeWallpaperTo.Text(), "C:\\Pictures\\Sea.bmp");
    EXPECT_EQ(owner, form.hWnd());
    EXPECT_EQ(title, "  Locate The Bitmap File To Use...");
    EXPECT_EQ(filter, std::string("All Bitmaps (*.bmp)\0*.bmp\0All Files (*.*)\0*.*\0\0", 46));
    EXPECT_EQ(Everything(), before);

    CD_Calls().GetFileName = [](OPENFILENAMEA&, bool) { return DialogAnswer{FALSE, 0}; };
    form.cmdWhatToChangeWallpaperTo.Press();
    EXPECT_EQ(form.txtWhatToChangeWallpaperTo.Text(), "C:\\Pictures\\Sea.bmp");
    EXPECT_TRUE(user.Boxes.empty());
}

} // namespace
} // namespace decorum
