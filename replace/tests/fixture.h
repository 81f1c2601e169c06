// What Sweeper's tests share: the files of a folder as they lie on disk, and
// the main window opened on a folder with a scripted user answering its boxes.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include <rt.h>
#include <rt/scripted_user.h>

#include "frmMain.h"
#include "test_support.h"

namespace sweeper::testing {

inline const char* const kConfirmTitle = "  Confirm Search And Replace";

// Every file of a folder with its bytes, hidden ones included: a stray
// temporary file shows here too.
inline std::map<std::string, std::string> Files(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const std::string& name : rt::Dir(folder + "\\*.*", rt::vbHidden | rt::vbSystem))
        files[name] = rt::test::ReadBytes(folder + "\\" + name);
    return files;
}

// The name the backup of a file made today has.
inline std::string TodaysBackup(const std::string& name) {
    std::string date = rt::DateShort();
    for (char& c : date) {
        if (c == '/' || c == '\\') c = '_';
        else if (std::string_view(":*?|><").find(c) != std::string_view::npos) c = '.';
        else if (c == '"') c = '\'';
    }
    return "[BACKUP " + date + "] " + name;
}

class SweeperTest : public ::testing::Test {
  protected:
    void SetUp() override { rt::App().Title = "Sweeper"; }
    void TearDown() override {
        for (rt::Form* form : rt::Forms()) form->Unload();
        rt::DoEvents();
    }

    // The window open on a folder, as the user picks it in the folder list.
    frmMain& Open(const std::string& folder) {
        frmMain& form = frmMain::Get();
        form.Show();
        rt::DoEvents();
        form.ctlDirectory.Path(folder);
        return form;
    }
    static std::vector<std::string> Listed(frmMain& form, bool selectedOnly = false) {
        std::vector<std::string> names;
        for (int i = 0; i < form.ctlFile.ListCount(); ++i)
            if (!selectedOnly || form.ctlFile.Selected(i)) names.push_back(form.ctlFile.List(i));
        return names;
    }
    static std::vector<std::string> Selection(frmMain& form) { return Listed(form, true); }
    static void Select(frmMain& form, const std::vector<std::string>& names) {
        for (int i = 0; i < form.ctlFile.ListCount(); ++i)
            form.ctlFile.Selected(i, std::count(names.begin(), names.end(), form.ctlFile.List(i)) > 0);
    }
    // The texts typed, Start pressed as a click, the confirmation answered
    // (-1: no answer, the input checks refuse first).
    void Run(frmMain& form, const std::string& search, const std::string& replacement,
             int confirmation) {
        form.txtSearchText.Text(search);
        form.txtReplaceText.Text(replacement);
        if (confirmation >= 0) user.Answer(confirmation);
        SendMessageW(form.cmdStart.hWnd(), BM_CLICK, 0, 0);
        rt::DoEvents();
    }
    // The titles of the message boxes shown, in order.
    std::vector<std::string> Titles() {
        std::vector<std::string> titles;
        for (const auto& box : user.MessageBoxes()) titles.push_back(box.Title);
        return titles;
    }

    rt::ScriptedUser user;
    rt::test::TempFolder dir;
};

} // namespace sweeper::testing
