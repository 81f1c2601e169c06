// Times the error list for growing ranges in a visible main window:
// faultbook_bench: bound N: X.XXX s
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <deque>
#include <string>

#include <rt.h>

#include "frmMain.h"

namespace {

// Types the queued ranges at the prompt and answers any box with its first button.
class Typist : public rt::User {
  public:
    std::deque<std::string> Ranges;
    int MessageBox(const std::string& prompt, int, const std::string& title) override {
        std::printf("faultbook_bench: unexpected box %s: %s\n", title.c_str(), prompt.c_str());
        return rt::vbOK;
    }
    std::string InputBox(const std::string&, const std::string&, const std::string&) override {
        if (Ranges.empty()) return {};
        std::string r = Ranges.front();
        Ranges.pop_front();
        return r;
    }
    bool ShowDialog(rt::DialogKind, rt::CommonDialog&) override { return false; }
    void Print(const rt::PrintJob&) override {}
};

} // namespace

int main() {
    rt::Initialize(GetModuleHandleW(nullptr));
    rt::App().Title = "Faultbook";
    rt::DeleteSetting("Faultbook");
    Typist typist;
    rt::SetUser(&typist);

    typist.Ranges.push_back("32500");
    faultbook::frmMain& form = faultbook::frmMain::Get();
    form.Show();
    rt::DoEvents();

    for (const char* bound : {"8125", "16250", "32500"}) {
        typist.Ranges.push_back(bound);
        const auto start = std::chrono::steady_clock::now();
        form.mnuFileList_Click();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        std::printf("faultbook_bench: bound %s: %.3f s\n", bound, took.count());
        rt::DoEvents();
    }
    form.Unload();
    rt::DoEvents();
    rt::DeleteSetting("Faultbook");
    rt::SetUser(nullptr);
    return 0;
}
