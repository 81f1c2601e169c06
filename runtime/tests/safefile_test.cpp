// Rewriting a user's file: the new content arrives whole or not at all, and a
// refusal leaves the original byte for byte as it was, with no stray file.
#include <windows.h>

#include <sddl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "rt/convert.h"
#include "rt/error.h"
#include "rt/filebytes.h"
#include "rt/handles.h"
#include "rt/safefile.h"
#include "rt/services.h"
#include "test_support.h"

namespace {

using namespace rt::test;

// Every name in a folder (files and folders, "." and ".." aside).
std::vector<std::string> Names(const std::string& folder) {
    return rt::Dir(folder + "\\*.*", rt::vbHidden | rt::vbSystem | rt::vbDirectory);
}

// The temporary files the replacement leaves behind (there should be none).
int Strays(const std::string& folder) {
    int n = 0;
    for (const std::string& name : Names(folder))
        if (name.rfind("~bw", 0) == 0) ++n;
    return n;
}

DWORD Attributes(const std::string& path) { return GetFileAttributesW(rt::Wide(path).c_str()); }

TEST(SafeReplaceTest, NewContentArrivesWholeWithTheOriginalsAttributes) {
    TempFolder dir;
    const std::string file = dir / "notes.txt";
    WriteBytes(file, "old text\r\n", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
    const std::string bytes("new\0bytes \xA4\xFF\r\nsecond line", 25);
    rt::ReplaceFileBytes(file, bytes);
    EXPECT_EQ(ReadBytes(file), bytes);
    EXPECT_TRUE(Attributes(file) & FILE_ATTRIBUTE_HIDDEN) << "the hidden file stays hidden";
    EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"notes.txt"});

    // A name that does not exist yet is created; an empty content empties.
    rt::ReplaceFileBytes(dir / "fresh.txt", "x");
    EXPECT_EQ(ReadBytes(dir / "fresh.txt"), "x");
    rt::ReplaceFileBytes(file, "");
    EXPECT_EQ(ReadBytes(file), "");
    EXPECT_EQ(Strays(dir.Path()), 0);

    // A folder that is not there, and no name at all.
    EXPECT_EQ(ErrorOf([&] { rt::ReplaceFileBytes(dir / "gone\\x.txt", "x"); }), rt::errPathNotFound);
    EXPECT_EQ(ErrorOf([&] { rt::ReplaceFileBytes("", "x"); }), rt::errBadFileNameOrNumber);
    EXPECT_FALSE(rt::FileExists(dir / "gone\\x.txt"));
}

// The access list of a file, as text.
std::string DaclOf(const std::string& path) {
    DWORD size = 0;
    GetFileSecurityW(rt::Wide(path).c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &size);
    std::string sd(size, '\0');
    if (!GetFileSecurityW(rt::Wide(path).c_str(), DACL_SECURITY_INFORMATION, sd.data(), size, &size))
        return "(none)";
    wchar_t* text = nullptr;
    ConvertSecurityDescriptorToStringSecurityDescriptorW(sd.data(), SDDL_REVISION_1,
                                                         DACL_SECURITY_INFORMATION, &text, nullptr);
    const std::string result = text ? rt::Utf8(text) : "(none)";
    LocalFree(text);
    return result;
}

// A file whose access rights are its own, not its folder's, keeps them.
TEST(SafeReplaceTest, AReplacedFileKeepsItsOwnAccessRights) {
    if (GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version"))
        GTEST_SKIP() << "Wine's replace-file call keeps no file's own access rights";
    TempFolder dir;
    const std::string file = dir / "private.txt";
    WriteBytes(file, "old");
    PSECURITY_DESCRIPTOR own = nullptr; // its owner and the system only
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(
        L"D:P(A;;FA;;;OW)(A;;FA;;;SY)", SDDL_REVISION_1, &own, nullptr));
    const BOOL set = SetFileSecurityW(rt::Wide(file).c_str(), DACL_SECURITY_INFORMATION, own);
    LocalFree(own);
    ASSERT_TRUE(set);
    const std::string before = DaclOf(file);
    rt::ReplaceFileBytes(file, "new");
    EXPECT_EQ(ReadBytes(file), "new");
    EXPECT_EQ(DaclOf(file), before);
}

TEST(SafeReplaceTest, RefusalsLeaveTheOriginalByteForByte) {
    TempFolder dir;
    const std::string original("line one\r\nline two \xE9\r\n");
    const std::string file = dir / "data.txt";
    WriteBytes(file, original);

    // Read-only: refused as the runtime refuses writing it, 75.
    SetFileAttributesW(rt::Wide(file).c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(ErrorOf([&] { rt::ReplaceFileBytes(file, "new"); }), rt::errPathFileAccess);
    EXPECT_EQ(ReadBytes(file), original);
    EXPECT_TRUE(Attributes(file) & FILE_ATTRIBUTE_READONLY);
    SetFileAttributesW(rt::Wide(file).c_str(), FILE_ATTRIBUTE_NORMAL);

    // The program still reading it through a file number: 55.
    rt::OpenForInput(3, file);
    EXPECT_EQ(ErrorOf([&] { rt::ReplaceFileBytes(file, "new"); }), rt::errFileAlreadyOpen);
    rt::Close(3);

    // Held open by another handle that shares neither writing nor deleting
    // (an editor that keeps its file open): 70, before anything is written.
    {
        rt::FileHandle held(CreateFileW(rt::Wide(file).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                        nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held.Valid());
        EXPECT_EQ(ErrorOf([&] { rt::ReplaceFileBytes(file, "new"); }), rt::errPermissionDenied);
    }
    EXPECT_EQ(ReadBytes(file), original);

    // Held open by a handle that lets others delete it: replaced where the
    // system allows that, otherwise refused with 70; never half of each.
    {
        rt::FileHandle held(CreateFileW(rt::Wide(file).c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held.Valid());
        const long error = ErrorOf([&] { rt::ReplaceFileBytes(file, "new"); });
        if (error) {
            EXPECT_EQ(error, rt::errPermissionDenied);
            EXPECT_EQ(ReadBytes(file), original);
        }
    }
    if (ReadBytes(file) != original) {
        EXPECT_EQ(ReadBytes(file), "new");
    }

    // A folder of that name.
    CreateDirectoryW(rt::Wide(dir / "folder").c_str(), nullptr);
    EXPECT_EQ(ErrorOf([&] { rt::ReplaceFileBytes(dir / "folder", "x"); }), rt::errPathFileAccess);
    EXPECT_EQ(Strays(dir.Path()), 0);
}

TEST(SafeReplaceTest, TextGoesToTheAnsiCodePageOrIsRefusedWhole) {
    TempFolder dir;
    const std::string file = dir / "code.bas";
    WriteBytes(file, "10  Dim x\r\n");
    if (GetACP() != 1252) GTEST_SKIP() << "the checks below are written for code page 1252";

    rt::ReplaceFileText(file, "Caf\xC3\xA9 \xE2\x82\xAC 5\r\n");
    EXPECT_EQ(ReadBytes(file), "Caf\xE9 \x80 5\r\n");

    // An omega has no place in the code page, and a macron a would only be
    // stored as a plain a (a best fit): both refused, naming the character and
    // its line, with the file untouched.
    std::string description;
    EXPECT_EQ(ErrorOf([&] { rt::ReplaceFileText(file, "first\r\nsecond \xCE\xA9\r\n"); },
                      &description),
              rt::errNotInCodePage);
    EXPECT_NE(description.find("\"\xCE\xA9\" on line 2"), std::string::npos) << description;
    EXPECT_EQ(ErrorOf([&] { rt::ReplaceFileText(file, "one\rtwo\rthree \xC4\x81"); }, &description),
              rt::errNotInCodePage);
    EXPECT_NE(description.find("on line 3"), std::string::npos) << description;
    EXPECT_EQ(ReadBytes(file), "Caf\xE9 \x80 5\r\n");
    EXPECT_EQ(Strays(dir.Path()), 0);
}

// Replacing what was read: a file another program changed, touched, deleted
// or holds open for writing since is left as that program left it.
TEST(SafeReplaceTest, AFileChangedSinceItWasReadIsLeftAsItIs) {
    TempFolder dir;
    const std::string file = dir / "log.txt";
    auto touch = [&] {
        rt::FileHandle f(CreateFileW(rt::Wide(file).c_str(), FILE_WRITE_ATTRIBUTES, 7, nullptr,
                                 OPEN_EXISTING, 0, nullptr));
        FILETIME time;
        GetFileTime(f, nullptr, nullptr, &time);
        time.dwHighDateTime += 1;
        SetFileTime(f, nullptr, nullptr, &time);
    };
    const std::string grown = "first\r\nsecond\r\n";
    for (auto [what, change, after, error] :
         std::vector<std::tuple<const char*, std::function<void()>, const char*, long>>{
             {"grown", [&] { WriteBytes(file, grown); }, grown.c_str(), rt::errChangedSinceRead},
             {"touched", touch, "first\r\n", rt::errChangedSinceRead},
             {"deleted", [&] { DeleteFileW(rt::Wide(file).c_str()); }, nullptr, rt::errChangedSinceRead},
             {"unchanged", [] {}, "new", 0}}) {
        SCOPED_TRACE(what);
        WriteBytes(file, "first\r\n");
        std::string bytes;
        rt::FileStamp readAs;
        rt::ReadFileBytes(file, bytes, &readAs);
        EXPECT_EQ(readAs.Length, 7);
        change();
        EXPECT_EQ(ErrorOf([&] { rt::CheckStillAsRead(file, readAs); }), error);
        EXPECT_EQ(ErrorOf([&] { rt::ReplaceFileBytes(file, "new", &readAs); }), error);
        EXPECT_EQ(rt::FileExists(file), after != nullptr);
        if (after) {
            EXPECT_EQ(ReadBytes(file), after);
        }
        EXPECT_EQ(Names(dir.Path()), after ? std::vector<std::string>{"log.txt"}
                                           : std::vector<std::string>{});
    }
    // Replaced, the file is no longer what was read before.
    std::string bytes;
    rt::FileStamp readAs, now;
    WriteBytes(file, "first\r\n");
    rt::ReadFileBytes(file, bytes, &readAs);
    rt::ReplaceFileBytes(file, "fresh", &readAs);
    rt::ReadFileBytes(file, bytes, &now);
    EXPECT_NE(now, readAs);
    EXPECT_EQ(ErrorOf([&] { rt::CheckStillAsRead(file, readAs); }), rt::errChangedSinceRead);

    // Being written by another program that lets others write too, it is
    // not replaced under that program: 70.
    rt::FileHandle writer(CreateFileW(rt::Wide(file).c_str(), GENERIC_WRITE, 7, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(writer.Valid());
    EXPECT_EQ(ErrorOf([&] { rt::ReplaceFileBytes(file, "newer", &now); }), rt::errPermissionDenied);
    EXPECT_EQ(ReadBytes(file), "fresh");
    EXPECT_EQ(Strays(dir.Path()), 0);
}

// A volume that really fills up (a tiny one the test command mounts); the
// disk-full error leaves the original and frees what the attempt took.
TEST(SafeReplaceTest, AFullDiskFailsWith61AndKeepsTheOriginal) {
    wchar_t drive[8] = {};
    if (!GetEnvironmentVariableW(L"BENCHWARE_SMALL_DRIVE", drive, 8))
        GTEST_SKIP() << "no small volume: the test command mounts one where it runs as root";
    const std::string root = rt::Utf8(drive) + "\\";
    const std::string file = root + "full.txt";
    const std::string original(20000, 'o');
    rt::ReplaceFileBytes(file, original);

    EXPECT_EQ(ErrorOf([&] { rt::ReplaceFileBytes(file, std::string(200000, 'n')); }),
              rt::errDiskFull);
    EXPECT_EQ(ReadBytes(file), original);
    EXPECT_EQ(Strays(root), 0);
    // The space the attempt took is free again: a new content that fits, fits.
    rt::ReplaceFileBytes(file, std::string(30000, 'f'));
    EXPECT_EQ(ReadBytes(file), std::string(30000, 'f'));
    rt::Kill(file);
    EXPECT_EQ(Strays(root), 0);
}

// ---- Killed while writing

constexpr size_t kBig = 3 << 20;

// Replaces the file named by its argument with 'a's and 'b's in turn, forever
// (a turn refused while the test looks at the file is simply tried again).
int ReplaceForever(const std::string& path) {
    for (char c = 'a';; c = c == 'a' ? 'b' : 'a')
        rt::Try([&] { rt::ReplaceFileBytes(path, std::string(kBig, c)); });
}

// The file's size, asked without opening it (an open file cannot be replaced).
long long SizeOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(rt::Wide(path).c_str(), GetFileExInfoStandard, &data)) return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}
const int kReplaceForever = RegisterChild("replace-forever", &ReplaceForever);

TEST(SafeReplaceTest, AWriterKilledAtAnyMomentLeavesTheOldOrTheNewWhole) {
    TempFolder dir;
    const std::string file = dir / "big.dat";
    WriteBytes(file, "original");
    for (DWORD delay : {0u, 45u, 130u}) {
        ChildProcess writer("replace-forever", file);
        // Once the first replacement is in, let it go on a little, then kill it.
        ASSERT_TRUE(WaitFor([&] { return SizeOf(file) == static_cast<long long>(kBig); }, 30000));
        Sleep(delay);
        ASSERT_EQ(writer.Wait(0), STILL_ACTIVE) << "the writer is killed, it does not stop by itself";
        writer.Kill();

        const std::string now = ReadBytes(file);
        ASSERT_EQ(now.size(), kBig);
        EXPECT_TRUE(now == std::string(kBig, 'a') || now == std::string(kBig, 'b'));
        // At most the file being written when it was killed, and, while it
        // takes the file's place, a second name of the old file.
        EXPECT_LE(Strays(dir.Path()), 2);
        for (const std::string& name : Names(dir.Path()))
            if (name != "big.dat") rt::Kill(dir / name);
        WriteBytes(file, "original");
    }
}

} // namespace
