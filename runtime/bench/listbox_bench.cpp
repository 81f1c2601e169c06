// Adds a full table's worth of entries to a visible list box and prints the
// time taken.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "rt/forms.h"
#include "rt/services.h"

namespace {

class BenchForm : public rt::Form {
  public:
    BenchForm() {
        Caption("  List Bench");
        ClientSize(9000, 6000);
        Display.Move(0, 0, 9000, 6000);
        Display.Columns(4);
    }
    rt::ListBox Display{*this};
};

} // namespace

int main() {
    rt::Initialize(GetModuleHandleW(nullptr));
    BenchForm form;
    form.Show();
    rt::DoEvents();
    const int items = 32501;
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < items; ++i) form.Display.AddItem("Error " + std::to_string(i) + " = text");
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    rt::DoEvents(); // the list is drawn here, once
    double drawn = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("listbox_bench: %d items in %.3f s, drawn after %.3f s (%d listed)\n", items,
                seconds, drawn, form.Display.ListCount());
    form.Unload();
    return 0;
}
