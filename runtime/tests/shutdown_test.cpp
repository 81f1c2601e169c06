// A program ends when its last form has gone, whichever way it went: closes
// sent by another program (which arrive outside the message loop's wait)
// included, with a modal box open at the time or not (one a handler of a
// message sent by another program opened, one a run holds, too); each
// form's unload work is done once.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <utility>
#include <string>

#include "rt/forms.h"
#include "rt/interaction.h"
#include "rt/runguard.h"
#include "rt/services.h"
#include "test_support.h"

namespace {

using namespace rt::test;

// Writes a line to the journal file for each unload of a form.
void Journal(const std::string& file, const std::string& line) {
    std::ofstream(file, std::ios::app | std::ios::binary) << line << "\n";
}

class JournalForm : public rt::Form {
  public:
    JournalForm(const std::string& caption, std::string file) : file_(std::move(file)) {
        Caption(caption);
        ClientSize(4000, 1500);
    }

  protected:
    void Form_Unload(int&) override { Journal(file_, Caption()); }

  private:
    std::string file_;
};

// The main window; when asked, it opens a modal form from its message loop
// soon after start, owned by it or without an owner, a message box or its
// pop-up menu; or a
// Yes / No box when another program changes its text box, from the change
// itself ("changed") or from a run the change starts ("run").
class MainForm : public JournalForm {
  public:
    MainForm(const std::string& mode, const std::string& file)
        : JournalForm("  Closing main", file), box_("  Closing box", file) {
        const bool fromTimer =
            mode == "owned" || mode == "free" || mode == "message" || mode == "menu";
        mnuPop.Add({&mnuPopKeep});
        mnuPop.Visible(false);
        Menus({&mnuPop});
        tmrBox.Interval(fromTimer ? 50 : 0);
        tmrBox.Tick = [this, mode] {
            tmrBox.Enabled(false);
            if (mode == "message")
                rt::MsgBox("Still here?", rt::vbOKOnly, "  Closing question");
            else if (mode == "menu")
                PopupMenu(mnuPop, 300, 300);
            else
                box_.Show(rt::vbModal, mode == "owned" ? this : nullptr);
        };
        txtValue.Move(120, 120, 2000, 315);
        txtValue.Change = [this, mode] {
            if (mode == "changed") {
                rt::MsgBox("Keep it?", rt::vbYesNo, "  Closing question");
            } else if (mode == "run") {
                rt::RunGuard run(*this);
                if (run) rt::MsgBox("Keep it?", rt::vbYesNo, "  Closing question");
            }
        };
    }
    rt::Timer tmrBox{*this};
    rt::TextBox txtValue{*this};
    rt::MenuItem mnuPop{"mnuPop"}, mnuPopKeep{"&Keep"};

  private:
    JournalForm box_;
};

// Argument: "<mode>|<journal file>", mode plain, owned, free, message, menu,
// changed or run.
int ClosingProgram(const std::string& argument) {
    const size_t bar = argument.find('|');
    MainForm main(argument.substr(0, bar), argument.substr(bar + 1));
    return rt::Run(main);
}
const int kClosingProgram = RegisterChild("closing-program", &ClosingProgram);

TEST(Shutdown, ASentCloseEndsTheProgramWithEveryFormUnloadedOnce) {
    const SentClose& wmClose = kSentCloses[0];
    const SentClose& scClose = kSentCloses[1];
    // A window disabled by a modal box refuses the system menu's Close, so
    // only WM_CLOSE reaches it then.
    const std::pair<SentClose, std::string> cases[] = {
        {scClose, "plain"}, {wmClose, "plain"},   {wmClose, "owned"}, {wmClose, "free"},
        {wmClose, "message"}, {wmClose, "changed"}, {wmClose, "run"}, {wmClose, "menu"}};
    for (const auto& [close, mode] : cases) {
        SCOPED_TRACE(std::string(close.name) + ", " + mode);
        TempFolder dir;
        const std::string journal = dir / "unloads.txt";
        ChildProcess program("closing-program", mode + "|" + journal);
        HWND main = nullptr, box = nullptr;
        const bool boxForm = mode == "owned" || mode == "free";
        ASSERT_TRUE(WaitFor([&] { return (main = FindShownWindow("  Closing main", program.Id())); }));
        if (mode == "changed" || mode == "run") {
            // Another program types into the box; the question the change
            // raises holds the sender, which gives up waiting.
            HWND edit = Child(main, L"Edit");
            ASSERT_NE(edit, nullptr);
            PutText(edit, "x");
        }
        if (mode == "menu") {
            ASSERT_TRUE(WaitFor([] {
                HWND menu = FindWindowW(L"#32768", nullptr);
                return menu && IsWindowVisible(menu);
            }));
        } else if (mode != "plain") {
            const char* boxCaption = boxForm ? "  Closing box" : "  Closing question";
            ASSERT_TRUE(WaitFor([&] { return (box = FindShownWindow(boxCaption, program.Id())); }));
        }

        EXPECT_TRUE(Send(main, close)) << "the close did not return";
        EXPECT_EQ(program.Wait(10000), 0u) << "the program did not end";
        EXPECT_FALSE(IsWindow(main));
        EXPECT_FALSE(box && IsWindow(box));
        EXPECT_EQ(ReadBytes(journal), boxForm ? "  Closing box\n  Closing main\n" : "  Closing main\n");
    }
}

} // namespace
