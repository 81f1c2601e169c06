// What rewriting a file safely costs beside writing it in place: many small
// files (a search-and-replace run over a folder) and one large file.
#include <windows.h>

#include <cstdio>
#include <string>

#include "bench_support.h"
#include "rt/convert.h"
#include "rt/safefile.h"

namespace {

std::string Folder() {
    wchar_t tmp[MAX_PATH];
    GetTempPathW(MAX_PATH, tmp);
    std::string folder = rt::Utf8(tmp) + "bw_safefile_bench";
    CreateDirectoryW(rt::Wide(folder).c_str(), nullptr);
    return folder;
}

void InPlace(const std::string& path, const std::string& bytes) {
    rt::OpenForOutput(1, path);
    rt::PrintText(1, bytes);
    rt::Close(1);
}

template <class Write> double Time(const std::string& folder, int files, const std::string& bytes,
                                   Write write) {
    bench::Stopwatch watch;
    for (int i = 0; i < files; ++i) write(folder + "\\file" + std::to_string(i) + ".txt", bytes);
    return watch.Seconds();
}

} // namespace

int main() {
    bench::Start();
    const std::string folder = Folder();
    const std::string small(2000, 's'), large(20 << 20, 'l');
    for (int round = 0; round < 2; ++round) { // the first round creates the files
        const double inPlaceSmall = Time(folder, 500, small, InPlace);
        const double safeSmall = Time(folder, 500, small, rt::ReplaceFileText);
        const double inPlaceLarge = Time(folder, 1, large, InPlace);
        const double safeLarge = Time(folder, 1, large, [](const std::string& path,
                                                            const std::string& bytes) {
            rt::ReplaceFileBytes(path, bytes);
        });
        if (round == 0) continue;
        std::printf("safefile_bench: 500 files of 2 KB: in place %.3f s, replaced safely %.3f s\n",
                    inPlaceSmall, safeSmall);
        std::printf("safefile_bench: one file of 20 MB: in place %.3f s, replaced safely %.3f s\n",
                    inPlaceLarge, safeLarge);
    }
    for (int i = 0; i < 500; ++i) rt::Kill(folder + "\\file" + std::to_string(i) + ".txt");
    RemoveDirectoryW(rt::Wide(folder).c_str());
    return 0;
}
