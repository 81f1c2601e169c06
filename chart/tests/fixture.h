// The main window started for real, with no stored settings, and a scripted
// user answering its boxes.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <rt.h>
#include <rt/scripted_user.h>

#include "frmMain.h"

namespace glyphdeck::testing {

class GlyphdeckTest : public ::testing::Test {
  protected:
    void SetUp() override {
        rt::App().Title = "Glyphdeck";
        rt::DeleteSetting("Glyphdeck");
    }
    void TearDown() override {
        if (frmMain::Exists()) frmMain::Get().Unload();
        rt::DoEvents();
        rt::DeleteSetting("Glyphdeck");
    }

    frmMain& Start() {
        frmMain& main = frmMain::Get();
        main.Load();
        rt::DoEvents();
        return main;
    }

    static std::vector<std::string> Entries(frmMain& main) {
        std::vector<std::string> entries;
        for (int i = 0; i < main.Display.ListCount(); ++i) entries.push_back(main.Display.List(i));
        return entries;
    }

    static int Filtered(frmMain& main) {
        int n = 0;
        for (const std::string& e : Entries(main))
            if (e.size() >= 4 && e.substr(e.size() - 4) == "****") ++n;
        return n;
    }

    // The message boxes shown with a title.
    std::vector<rt::ScriptedUser::Shown> BoxesTitled(const std::string& title) const {
        std::vector<rt::ScriptedUser::Shown> found;
        for (const auto& box : user.MessageBoxes())
            if (box.Title == title) found.push_back(box);
        return found;
    }

    // What the next modal window of type W shows: whether it opened, its
    // caption and the text `read` takes from it.
    struct Shown {
        bool opened = false;
        std::string caption, text;
    };
    template <class W, class Read> void ExpectWindow(Shown& shown, Read read) {
        user.OnModal([&shown, read](rt::Form& form) {
            auto* window = dynamic_cast<W*>(&form);
            ASSERT_NE(window, nullptr);
            shown = {true, window->Caption(), read(*window)};
        });
    }

    int ModalForms() const {
        int n = 0;
        for (const auto& box : user.Boxes)
            if (box.What == rt::ScriptedUser::Kind::ModalForm) ++n;
        return n;
    }

    rt::ScriptedUser user;
};

} // namespace glyphdeck::testing
