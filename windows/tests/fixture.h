// Paneherd's main window started for real beside a target program of the
// test's own, with a scripted user answering its boxes; and what a user does
// to the window: typing into a field, choosing options.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <rt/forms.h>
#include <rt/scripted_user.h>

#include "frmMain.h"
#include "target.h"

namespace paneherd::testing {

class PaneherdTest : public ::testing::Test {
  protected:
    void TearDown() override {
        if (frmMain::Exists()) frmMain::Get().Unload();
        rt::DoEvents();
    }

    frmMain& Start() {
        frmMain& main = frmMain::Get();
        main.Show();
        rt::DoEvents();
        return main;
    }

    // Starts Paneherd with the target chosen by its title and its rectangle
    // shown in the four position fields.
    frmMain& StartWith(const TargetProgram& target) {
        frmMain& main = Start();
        main.txtTitlebar.Text(target.Caption());
        EXPECT_EQ(main.TargetWindow, target.hWnd());
        EXPECT_TRUE(rt::test::WaitFor([&] { return !main.txtWidth.Text().empty(); }, 5000));
        return main;
    }

    // The messages shown, as "title|prompt|style".
    std::vector<std::string> Boxes() const {
        std::vector<std::string> shown;
        for (const auto& box : user.MessageBoxes())
            shown.push_back(box.Title + "|" + box.Prompt + "|" + std::to_string(box.Style));
        return shown;
    }

    rt::ScriptedUser user;
};

// Types text into a field (a text box, or a combo's own edit field) as the
// keyboard does, one character after the other.
void Type(HWND field, const std::string& text);
// Empties a field as the user does: all selected and deleted.
void Clear(HWND field);
// The edit field inside a combo box.
HWND EditOf(const rt::ComboBox& combo);
// Lets the message loop run for a while.
void Pause(DWORD ms);

} // namespace paneherd::testing
