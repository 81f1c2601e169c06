// Adds a full table's worth of entries to a visible list box and prints the
// time taken.
#include <cstdio>
#include <string>

#include "bench_support.h"

int main() {
    bench::Start();
    bench::BenchForm<rt::ListBox> form("  List Bench", 9000, 6000, {0, 0, 9000, 6000});
    rt::ListBox& list = form.Target;
    list.Columns(4);
    form.ShowAndDraw();
    const int items = 32501;
    bench::Stopwatch watch;
    for (int i = 0; i < items; ++i) list.AddItem("Error " + std::to_string(i) + " = text");
    double seconds = watch.Seconds();
    rt::DoEvents(); // the list is drawn here, once
    double drawn = watch.Seconds();
    std::printf("listbox_bench: %d items in %.3f s, drawn after %.3f s (%d listed)\n", items,
                seconds, drawn, list.ListCount());
    form.Unload();
    return 0;
}
