// The colour and file dialog wrappers: the records they hand to comdlg32, what
// they make of the answers, every extended error's text, and the real dialogs
// driven as a user would, after an earlier failure that comdlg32 remembers.
#include <windows.h>
#include <cderr.h>
#include <commdlg.h>

#include <array>
#include <cstring>
#include <set>

#include <rt.h>
#include <rt/scripted_user.h>

#include "fixture.h"
#include "modCOMDLG32.h"
#include "test_support.h"

namespace decorum {
namespace {

class DialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        rt::App().Title = "Decorum";
        owner = CreateWindowW(L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                              100, nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override {
        CD_Calls() = {};
        DestroyWindow(owner);
    }
    // The colour dialog answering with `result`, `code` and the colour chosen.
    void AnswerColour(BOOL result, DWORD code, COLORREF chosen = 0) {
        CD_Calls().ChooseColor = [=, this](CHOOSECOLORA& record) {
            colourAsked = record;
            record.rgbResult = chosen;
            return DialogAnswer{result, code};
        };
    }
    bool PickColour(long start, long flags = CC_RGBINIT_FULLOPEN) {
        this->flags = flags;
        color = start;
        return CD_ShowColor(owner, this->flags, color, red, green, blue);
    }

    HWND owner = nullptr;
    rt::ScriptedUser user;
    CHOOSECOLORA colourAsked{};
    long flags = 0, color = 0;
    uint8_t red = 9, green = 9, blue = 9;
};

TEST_F(DialogTest, AChosenColourComesBackWithItsBytesACancelledOneCleared) {
    AnswerColour(TRUE, 0, RGB(255, 0, 0));
    EXPECT_TRUE(PickColour(0x8000000F)); // starts on the button face's colour now
    EXPECT_EQ(colourAsked.lStructSize, sizeof(CHOOSECOLORA));
    EXPECT_EQ(colourAsked.hwndOwner, owner);
    EXPECT_EQ(colourAsked.rgbResult, GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(colourAsked.Flags, static_cast<DWORD>(CC_RGBINIT | CC_FULLOPEN));
    EXPECT_NE(colourAsked.lpCustColors, nullptr);
    EXPECT_EQ(color, 0xFF);
    EXPECT_EQ(flags, 3);
    EXPECT_EQ((std::array{red, green, blue}), (std::array<uint8_t, 3>{255, 0, 0}));

    AnswerColour(FALSE, 0);
    EXPECT_FALSE(PickColour(0x00123456));
    EXPECT_EQ(color, 0);
    EXPECT_EQ(flags, 0);
    EXPECT_EQ(red + green + blue, 0);
    EXPECT_TRUE(user.Boxes.empty());
}

TEST_F(DialogTest, EveryExtendedErrorHasItsText) {
    const std::pair<DWORD, const char*> some[] = {
        {CDERR_NOHINSTANCE, "The ENABLETEMPLATE flag was set in the Flags member of the "
                            "initialization structure for the corresponding common dialog box, "
                            "but a corresponding instance handle was not provide."},
        {CDERR_DIALOGFAILURE,
         "The dialog box could not be created.\rThe common dialog box function\u2019s call to "
         "the DialogBox function failed. For example, this error occurs if the common dialog box "
         "call specifies an invalid window handle."},
        {0x4242, "Unknown Error"},
    };
    for (const auto& [code, text] : some) {
        AnswerColour(FALSE, code);
        user.Boxes.clear();
        EXPECT_FALSE(PickColour(0));
        ASSERT_EQ(user.Boxes.size(), 1u);
        EXPECT_EQ(user.Boxes[0].Prompt,
                  "COMDLG32.DLL encountered the following error while calling the "
                  "'DLG_ChooseColor' function:\r\rError Number = " + std::to_string(code) +
                      "\rError Description = " + text);
        EXPECT_EQ(user.Boxes[0].Title, "  Common Dialog Error");
        EXPECT_EQ(user.Boxes[0].Style, 48);
    }
    // Every code of the four families has a text of its own.
    std::set<std::string> texts;
    for (DWORD c : {1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u, 9u, 10u, 11u, 12u, 0xFFFFu, 0x2001u, 0x2002u,
                    0x3001u, 0x3002u, 0x3003u})
        texts.insert(CD_ExtendedErrorText(c));
    for (DWORD c = 0x1001; c <= 0x100C; ++c) texts.insert(CD_ExtendedErrorText(c));
    EXPECT_EQ(texts.size(), 30u);
    EXPECT_EQ(texts.count("Unknown Error"), 0u);
    EXPECT_EQ(CD_ExtendedErrorText(0xFFFFFFFF), CD_ExtendedErrorText(CDERR_DIALOGFAILURE));
}

// ---- The file dialog

class FileDialogTest : public DialogTest {
  protected:
    bool Ask(bool open = true) {
        return CD_ShowOpen_Save(owner, flags, fileName, fileTitle, "bmp",
                                "  Locate The Bitmap File To Use...", filter, initDir, open);
    }
    long flags = OFN_OPEN_BITMAP;
    std::string fileName, fileTitle, initDir;
    std::string filter = "All Bitmaps (*.bmp)|*.bmp|All Files (*.*)|*.*";
    OPENFILENAMEA asked{};
    std::string askedFilter, askedFile, askedTitle, askedDir, askedExt;
    bool askedOpen = false;
};

TEST_F(FileDialogTest, TheRecordAndWhatComesBack) {
    fileName = "start.bmp";
    CD_Calls().GetFileName = [this](OPENFILENAMEA& record, bool open) {
        asked = record;
        askedOpen = open;
        askedFilter.assign(record.lpstrFilter, 46);
        askedFile.assign(record.lpstrFile, record.nMaxFile);
        askedTitle = record.lpstrTitle;
        askedDir = record.lpstrInitialDir;
        askedExt = record.lpstrDefExt;
        std::strcpy(record.lpstrFile, "C:\\Pictures\\Sky.bmp");
        std::strcpy(record.lpstrFileTitle, "Sky.bmp");
        std::memcpy(record.lpstrCustomFilter, "\0\0Mine\0*.dib\0", 13);
        record.Flags |= OFN_EXTENSIONDIFFERENT;
        return DialogAnswer{TRUE, 0};
    };
    ASSERT_TRUE(Ask());
    EXPECT_EQ(asked.lStructSize, static_cast<DWORD>(OPENFILENAME_SIZE_VERSION_400A));
    EXPECT_EQ(asked.hwndOwner, owner);
    EXPECT_TRUE(askedOpen);
    EXPECT_EQ(askedFilter, std::string("All Bitmaps (*.bmp)\0*.bmp\0All Files (*.*)\0*.*\0\0", 46));
    EXPECT_EQ(asked.nFilterIndex, 1u);
    EXPECT_EQ(asked.nMaxFile, 260u);
    EXPECT_EQ(askedFile, "start.bmp" + std::string(251, '\0'));
    EXPECT_EQ(askedTitle, "  Locate The Bitmap File To Use...");
    EXPECT_EQ(askedDir, rt::CurDir()); // none given: the current folder
    EXPECT_EQ(askedExt, "bmp");
    EXPECT_EQ(asked.Flags, static_cast<DWORD>(0x281004));

    EXPECT_EQ(fileName, "C:\\Pictures\\Sky.bmp");
    EXPECT_EQ(fileTitle, "Sky.bmp");
    EXPECT_EQ(filter, "Mine");
    EXPECT_EQ(flags, 0x281004 | OFN_EXTENSIONDIFFERENT);
    EXPECT_TRUE(user.Boxes.empty());
}

TEST_F(FileDialogTest, FailuresOfBothDialogsAreReportedUnderOneName) {
    for (bool open : {true, false}) {
        CD_Calls().GetFileName = [this](OPENFILENAMEA&, bool isOpen) {
            askedOpen = isOpen;
            return DialogAnswer{FALSE, FNERR_INVALIDFILENAME};
        };
        fileName = "x.bmp";
        user.Boxes.clear();
        EXPECT_FALSE(Ask(open));
        EXPECT_EQ(askedOpen, open);
        EXPECT_EQ(fileName, "");
        EXPECT_EQ(filter, "");
        EXPECT_EQ(flags, 0);
        ASSERT_EQ(user.Boxes.size(), 1u);
        EXPECT_EQ(user.Boxes[0].Prompt,
                  "COMDLG32.DLL encountered the following error while calling the "
                  "'DLG_GetOpenFileName' function:\r\rError Number = 12290\r"
                  "Error Description = A filename is invalid.");
    }
}

TEST_F(FileDialogTest, ANameLongerThanTheBufferIsRefusedBeforeTheDialog) {
    bool called = false;
    CD_Calls().GetFileName = [&](OPENFILENAMEA&, bool) { return called = true, DialogAnswer{}; };
    fileName = std::string(261, 'a');
    EXPECT_FALSE(Ask());
    EXPECT_FALSE(called);
    ASSERT_EQ(user.Boxes.size(), 1u);
    EXPECT_EQ(user.Boxes[0].Prompt,
              "Decorum encountered the following error in the CD_ShowOpen_Save function:\r\r"
              "Error Number = 5\rError Description = Invalid procedure call or argument");
    EXPECT_EQ(user.Boxes[0].Title, "  Error  -  Invalid procedure call or argument");
    fileName = std::string(260, 'a'); // fits exactly
    EXPECT_FALSE(Ask());
    EXPECT_TRUE(called);
}

// ---- The real dialogs

// Presses a button of the dialog once it is up.
rt::test::WhileModal Press(int id) {
    return rt::test::WhileModal([id] {
        HWND dialog = rt::test::FindShownDialog();
        if (!dialog) return false;
        rt::test::PressButton(dialog, id);
        return true;
    });
}

TEST_F(DialogTest, TheRealColourDialogAfterAFailureItRemembersAndWithoutAnOwner) {
    // A template that is not there: comdlg32 fails and keeps the code.
    color = 0;
    flags = CC_RGBINIT | CC_ENABLETEMPLATE;
    EXPECT_FALSE(CD_ShowColor(owner, flags, color, red, green, blue));
    ASSERT_EQ(user.Boxes.size(), 1u);
    EXPECT_NE(user.Boxes[0].Prompt.find("Error Number = 6\r"), std::string::npos);
    ASSERT_NE(CommDlgExtendedError(), 0u);

    // Chosen and cancelled afterwards: the old code is no failure of theirs.
    {
        auto ok = Press(IDOK);
        EXPECT_TRUE(PickColour(0x00336699));
    }
    EXPECT_EQ(color, 0x00336699);
    {
        auto cancel = Press(IDCANCEL);
        EXPECT_FALSE(PickColour(0x00336699));
    }
    EXPECT_EQ(color, 0);
    EXPECT_EQ(user.Boxes.size(), 1u);

    // An owner that is no window: Wine's -1 is the dialog failure.
    HWND gone = CreateWindowW(L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    flags = CC_RGBINIT_FULLOPEN;
    color = 0xFF;
    EXPECT_FALSE(CD_ShowColor(gone, flags, color, red, green, blue));
    EXPECT_EQ(color, 0);
    ASSERT_EQ(user.Boxes.size(), 2u);
    EXPECT_NE(user.Boxes[1].Prompt.find("Error Number = 65535\rError Description = "
                                        "The dialog box could not be created.\r"),
              std::string::npos)
        << user.Boxes[1].Prompt;
}

TEST_F(FileDialogTest, TheRealOpenDialogGivesTheFullPath) {
    rt::test::TempFolder folder;
    testing::WriteBitmap(folder / "Blue Sky.bmp", 4, 4, RGB(0, 0, 255));
    initDir = folder.Path();
    auto type = rt::test::WhileModal([] {
        HWND dialog = rt::test::FindShownDialog();
        if (!dialog) return false;
        HWND edit = GetDlgItem(dialog, edt1);
        if (!edit) edit = rt::test::Descendant(GetDlgItem(dialog, cmb13), L"Edit");
        if (!edit) return false;
        SetWindowTextW(edit, L"Blue Sky.bmp");
        rt::test::PressButton(dialog, IDOK);
        return true;
    });
    ASSERT_TRUE(Ask());
    EXPECT_EQ(fileName, folder / "Blue Sky.bmp");
    EXPECT_EQ(fileTitle, "Blue Sky.bmp");
    EXPECT_TRUE(user.Boxes.empty());
}

} // namespace
} // namespace decorum
