// What Sweeper's tests share: the files of a folder as they lie on disk, and
// the main window opened on a folder with a scripted user answering its boxes.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include <rt.h>
#include <rt/scripted_user.h>

#include "frmMain.h"
#include "test_support.h"

namespace sweeper::testing {

// Every file of a folder with its bytes, hidden ones included.
inline std::map<std::string, std::string> Files(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const std::string& name : rt::Dir(folder + "\\*.*", rt::vbHidden | rt::vbSystem))
        files[name] = rt::test::ReadBytes(folder + "\\" + name);
    return files;
}

// The temporary files a replacement leaves beside the user's files.
inline int Strays(const std::string& folder) {
    int n = 0;
    for (const auto& [name, bytes] : Files(folder))
        if (name.rfind("~bw", 0) == 0) ++n;
    return n;
}

inline FILETIME LastWrite(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW(rt::Wide(path).c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

inline bool SameTime(const FILETIME& a, const FILETIME& b) {
    return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

// The name the backup of a file made today has.
inline std::string TodaysBackup(const std::string& name) {
    std::string date = rt::DateShort();
    for (char& c : date)
        if (c == '/' || c == '\\') c = '_';
        else if (c == ':' || c == '*' || c == '?' || c == '|' || c == '>' || c == '<') c = '.';
        else if (c == '"') c = '\'';
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
        rt::DoEvents();
        return form;
    }
    std::vector<std::string> Listed(frmMain& form) {
        std::vector<std::string> names;
        for (int i = 0; i < form.ctlFile.ListCount(); ++i) names.push_back(form.ctlFile.List(i));
        return names;
    }
    void Select(frmMain& form, const std::vector<std::string>& names) {
        for (int i = 0; i < form.ctlFile.ListCount(); ++i)
            form.ctlFile.Selected(i, std::find(names.begin(), names.end(), form.ctlFile.List(i)) !=
                                         names.end());
    }
    // Search and replacement typed, Start pressed as a click, the
    // confirmation answered.
    void Run(frmMain& form, const std::string& search, const std::string& replacement,
             int confirmation) {
        form.txtSearchText.Text(search);
        form.txtReplaceText.Text(replacement);
        user.Answer(confirmation);
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
