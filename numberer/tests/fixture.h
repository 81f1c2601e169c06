// What Tallyman's tests share: the editor window started as the program
// starts it, with a scripted user, and the captions the window is given.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <rt.h>
#include <rt/scripted_user.h>

#include "frmMain.h"
#include "test_support.h"

namespace tallyman::test {

inline const char* const kApp = "Tallyman";

class EditorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        rt::App().Title = kApp;
        rt::DeleteSetting(kApp);
    }
    void TearDown() override {
        if (frmMain::Exists()) rt::Try([] { frmMain::Get().txtDisplay.Text(""); });
        for (rt::Form* form : rt::Forms()) form->Unload();
        rt::DoEvents();
        rt::DeleteSetting(kApp);
    }
    // The editor window shown, holding `text`.
    frmMain& Start(const std::string& text = {}) {
        frmMain& form = frmMain::Get();
        form.Show();
        rt::DoEvents();
        if (!text.empty()) form.txtDisplay.Text(text);
        return form;
    }
    std::string Text() { return frmMain::Get().txtDisplay.Text(); }
    rt::ScriptedUser::Shown LastBox() {
        const auto boxes = user.MessageBoxes();
        return boxes.empty() ? rt::ScriptedUser::Shown{} : boxes.back();
    }
    int Count(rt::ScriptedUser::Kind kind) {
        int n = 0;
        for (const auto& box : user.Boxes) n += box.What == kind;
        return n;
    }
    rt::ScriptedUser user;
};

// Every caption a window is given while this lives, in order.
class Captions {
  public:
    explicit Captions(HWND window);
    ~Captions();
    Captions(const Captions&) = delete;
    Captions& operator=(const Captions&) = delete;
    std::vector<std::string> Seen;

  private:
    static LRESULT CALLBACK Record(int code, WPARAM wp, LPARAM lp);
    static inline HWND window_ = nullptr;
    static inline Captions* current_ = nullptr;
    HHOOK hook_;
};

// `lines` lines of Basic, joined by CR LF, no break after the last.
std::string BasicLines(int lines);

} // namespace tallyman::test
