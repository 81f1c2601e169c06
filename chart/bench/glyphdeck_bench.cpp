// Times the largest hexadecimal chart in a visible main window: 32,501 entries,
// each with its progress-bar redraw.
#include <windows.h>

#include <chrono>
#include <cstdio>

#include <rt.h>

#include "frmMain.h"

namespace {

// Answers the range prompt with the largest bound; every other box with OK.
class BoundUser : public rt::User {
  public:
    int MessageBox(const std::string& prompt, int, const std::string&) override {
        std::fprintf(stderr, "glyphdeck_bench: unexpected message: %s\n", prompt.c_str());
        return rt::vbOK;
    }
    std::string InputBox(const std::string&, const std::string&, const std::string&) override {
        return "32500";
    }
    bool ShowDialog(rt::DialogKind, rt::CommonDialog&) override { return false; }
    void Print(const rt::PrintJob&) override {}
};

} // namespace

int main() {
    rt::Initialize(GetModuleHandleW(nullptr));
    rt::App().Title = "Glyphdeck";
    rt::DeleteSetting("Glyphdeck");
    BoundUser user;
    rt::SetUser(&user);

    glyphdeck::frmMain& main = glyphdeck::frmMain::Get();
    main.Load();
    rt::DoEvents();

    const auto start = std::chrono::steady_clock::now();
    main.FillDisplay(glyphdeck::ModeHEX);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    const int entries = main.Display.ListCount();

    std::printf("glyphdeck_bench: hex chart 32500: %.3f s\n", took.count());
    if (entries != 32501) std::printf("glyphdeck_bench: expected 32501 entries, got %d\n", entries);
    main.Unload();
    rt::DoEvents();
    rt::SetUser(nullptr);
    rt::DeleteSetting("Glyphdeck");
    return entries == 32501 ? 0 : 1;
}
