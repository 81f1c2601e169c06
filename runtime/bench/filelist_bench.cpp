// Lists a folder of 2,000 files in a visible file list through the player's
// two-pattern filter and through "*.*", and prints the times taken.
#include <cstdio>
#include <string>

#include "bench_support.h"
#include "rt/convert.h"

namespace {

// A fresh folder of `count` files, every fourth one a MIDI file.
std::wstring MakeFolder(int count) {
    wchar_t tmp[MAX_PATH];
    GetTempPathW(MAX_PATH, tmp);
    std::wstring folder = std::wstring(tmp) + L"bw_filelist_bench_" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    for (int i = 0; i < count; ++i) {
        std::wstring name = folder + L"\\Track " + std::to_wstring(count - i) + (i % 4 ? L".wav" : L".mid");
        HANDLE h = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
    return folder;
}

void RemoveFolder(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileW((folder + L"\\" + data.cFileName).c_str());
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}

} // namespace

int main() {
    bench::Start();
    const int files = 2000;
    std::wstring folder = MakeFolder(files);
    bench::BenchForm<rt::FileListBox> form("  File List Bench", 4000, 6000, {0, 0, 4000, 6000});
    rt::FileListBox& list = form.Target;
    list.Pattern("*.mid;*.rmi");
    form.ShowAndDraw();

    bench::Stopwatch midi;
    list.Path(rt::Utf8(folder));
    rt::DoEvents();
    double midiSeconds = midi.Seconds();
    int midiCount = list.ListCount();

    bench::Stopwatch all;
    list.Pattern("*.*");
    rt::DoEvents();
    double allSeconds = all.Seconds();
    std::printf("filelist_bench: %d files, \"*.mid;*.rmi\" listed %d in %.3f s, \"*.*\" listed %d in %.3f s\n",
                files, midiCount, midiSeconds, list.ListCount(), allSeconds);
    form.Unload();
    RemoveFolder(folder);
    return 0;
}
