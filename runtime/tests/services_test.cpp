// The settings store, the clipboard, sequential files and the file system.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "rt/convert.h"
#include "rt/error.h"
#include "rt/services.h"
#include "test_support.h"

namespace {

using namespace rt::test;
using Lines = std::vector<std::string>;

Lines ReadLines(const std::string& path) {
    Lines lines;
    rt::OpenForInput(1, path);
    while (!rt::Eof(1)) lines.push_back(rt::LineInput(1));
    rt::Close(1);
    return lines;
}

TEST(AppTest, PathScreenClipboardAndDate) {
    std::string path = rt::App().Path();
    ASSERT_FALSE(path.empty());
    EXPECT_NE(path.back(), '\\');
    EXPECT_TRUE(rt::FileExists(path + "\\runtime_tests.exe"));
    EXPECT_EQ(rt::Screen::Width(), GetSystemMetrics(SM_CXSCREEN) * 15L); // 96 pixels per inch

    rt::Clipboard::SetText("Type mismatch \xE2\x82\xAC");
    EXPECT_EQ(rt::Clipboard::GetText(), "Type mismatch \xE2\x82\xAC");
    rt::Clipboard::Clear();
    EXPECT_EQ(rt::Clipboard::GetText(), "");

    SYSTEMTIME now;
    GetLocalTime(&now);
    std::string date = rt::DateShort();
    EXPECT_NE(date.find(std::to_string(now.wYear % 100)), std::string::npos) << date;
    EXPECT_EQ(date.find('\0'), std::string::npos);
}

TEST(SettingsTest, RoundTripDefaultsAndDelete) {
    const std::string app = "BenchwareServicesTest";
    rt::DeleteSetting(app);
    EXPECT_EQ(rt::GetSetting(app, "Settings", "Height", "7020"), "7020");
    rt::SaveSetting(app, "Settings", "Height", "5000");
    rt::SaveSetting(app, "Settings", "Height", "6000");
    rt::SaveSetting(app, "Settings", "FontName", "Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC");
    rt::SaveSetting(app, "Other", "Empty", "");
    EXPECT_EQ(rt::GetSetting(app, "Settings", "Height", "7020"), "6000");
    EXPECT_EQ(rt::GetSetting(app, "Settings", "FontName"), "Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC");
    EXPECT_EQ(rt::GetSetting(app, "Other", "Empty", "d"), ""); // stored empty is not absent

    wchar_t buf[16];
    DWORD bytes = sizeof buf, type = 0;
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\Benchware\\BenchwareServicesTest\\Settings",
                           L"Height", RRF_RT_ANY, &type, buf, &bytes),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));

    rt::DeleteSetting(app, "Settings");
    rt::DeleteSetting(app, "Settings"); // already gone: nothing to do
    EXPECT_EQ(rt::GetSetting(app, "Settings", "Height", "d"), "d");
    EXPECT_EQ(rt::GetSetting(app, "Other", "Empty", "d"), "");
    rt::DeleteSetting(app);
    EXPECT_EQ(rt::GetSetting(app, "Other", "Empty", "d"), "d");
    EXPECT_EQ(ErrorOf([&] { rt::SaveSetting(app, "Settings", "", "x"); }), 5);
}

TEST(SequentialFileTest, WrittenLinesEndInCrLfInTheAnsiCodePage) {
    TempFolder dir;
    std::string f = dir / "out.txt";
    rt::OpenForOutput(1, f);
    rt::PrintText(1, "sec");
    rt::PrintLine(1, "ond");
    rt::PrintLine(1, "");
    rt::PrintLine(1, "Gr\xC3\xBC\xC3\x9F" "e");
    rt::Close(1);
    std::string expected = "second\r\n\r\n" + rt::ToAnsi("Gr\xC3\xBC\xC3\x9F" "e") + "\r\n";
    EXPECT_EQ(ReadBytes(f), expected);
    EXPECT_EQ(ReadLines(f), (Lines{"second", "", "Gr\xC3\xBC\xC3\x9F" "e"}));
    EXPECT_EQ(rt::FileLen(f), static_cast<long>(expected.size()));

    rt::OpenForOutput(2, f); // replaces the file
    rt::PrintLine(2, "new");
    rt::Close(2);
    rt::OpenForAppend(2, f);
    rt::PrintLine(2, "more");
    rt::Close(2);
    EXPECT_EQ(ReadBytes(f), "new\r\nmore\r\n");
}

TEST(SequentialFileTest, LinesEndAtCrCrLfOrLf) {
    TempFolder dir;
    std::string f = dir / "in.txt";
    WriteBytes(f, "a\rb\r\nc\nd\r\n\r\ne");
    EXPECT_EQ(ReadLines(f), (Lines{"a", "b", "c", "d", "", "e"}));
    // A CR LF split across the reader's 64 KB steps is still one line end.
    std::string first(65535, 'x');
    WriteBytes(f, first + "\r\nnext\r\n");
    EXPECT_EQ(ReadLines(f), (Lines{first, "next"}));
    WriteBytes(f, "");
    rt::OpenForInput(1, f);
    EXPECT_TRUE(rt::Eof(1));
    EXPECT_EQ(ErrorOf([] { rt::LineInput(1); }), 62);
    rt::Close(1);

    rt::OpenForOutput(1, f); // more than the writer keeps back
    for (int i = 0; i < 20000; ++i) rt::PrintLine(1, "line " + std::to_string(i));
    rt::Close(1);
    Lines lines = ReadLines(f);
    ASSERT_EQ(lines.size(), 20000u);
    EXPECT_EQ(lines[12345], "line 12345");
}

TEST(SequentialFileTest, FileNumbersModesAndFailures) {
    TempFolder dir;
    std::string a = dir / "a.txt", b = dir / "b.txt";
    EXPECT_EQ(rt::FreeFile(), 1);
    rt::OpenForOutput(1, a);
    rt::OpenForOutput(3, b);
    EXPECT_EQ(rt::FreeFile(), 2);
    EXPECT_EQ(ErrorOf([&] { rt::OpenForOutput(1, dir / "c.txt"); }), 55); // number in use
    EXPECT_EQ(ErrorOf([&] { rt::OpenForInput(2, a); }), 55);               // file being written
    EXPECT_EQ(ErrorOf([&] { rt::Kill(a); }), 55);
    EXPECT_EQ(ErrorOf([] { rt::LineInput(1); }), 54);
    rt::CloseAll();
    rt::Close(7); // not open: nothing happens
    rt::OpenForInput(1, a);
    rt::OpenForInput(2, a); // reading twice is fine
    EXPECT_EQ(ErrorOf([] { rt::PrintLine(1, "x"); }), 54);
    rt::CloseAll();

    EXPECT_EQ(ErrorOf([&] { rt::OpenForOutput(512, a); }), 52);
    EXPECT_EQ(ErrorOf([] { rt::PrintLine(5, "x"); }), 52);
    EXPECT_EQ(ErrorOf([&] { rt::OpenForOutput(1, dir / "no folder\\x.txt"); }), 76);
    EXPECT_EQ(ErrorOf([&] { rt::OpenForOutput(1, dir.Path()); }), 75);
    EXPECT_EQ(ErrorOf([&] { rt::OpenForInput(1, dir / "missing.txt"); }), 53);
    WriteBytes(b, "keep", FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(ErrorOf([&] { rt::OpenForOutput(1, b); }), 75);
    EXPECT_EQ(ReadBytes(b), "keep");
    EXPECT_EQ(rt::FreeFile(), 1); // a failed open holds no number
}

TEST(FileSystemTest, KillCopyAndLength) {
    TempFolder dir;
    std::string f = dir / "k.txt", copy = dir / "copy.txt";
    EXPECT_EQ(ErrorOf([&] { rt::Kill(f); }), 53);
    EXPECT_EQ(ErrorOf([&] { rt::FileLen(f); }), 53);
    EXPECT_EQ(ErrorOf([&] { rt::FileCopy(f, copy); }), 53);
    WriteBytes(f, "12345");
    EXPECT_TRUE(rt::FileExists(f));
    EXPECT_FALSE(rt::FileExists(dir.Path())); // a folder is not a file
    rt::FileCopy(f, copy);
    EXPECT_EQ(rt::FileLen(copy), 5);
    EXPECT_EQ(ErrorOf([&] { rt::FileCopy(f, dir / "nowhere\\c.txt"); }), 76);
    rt::Kill(f);
    EXPECT_FALSE(rt::FileExists(f));

    WriteBytes(f, "new");
    SetFileAttributesW(rt::Wide(copy).c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(ErrorOf([&] { rt::Kill(copy); }), 75);
    EXPECT_EQ(ErrorOf([&] { rt::FileCopy(f, copy); }), 75);
    EXPECT_EQ(ReadBytes(copy), "12345");
    CreateDirectoryW(rt::Wide(dir / "sub").c_str(), nullptr);
    EXPECT_EQ(ErrorOf([&] { rt::Kill(dir / "sub"); }), 75);
}

TEST(FileSystemTest, DirHonoursTheAttributeMask) {
    TempFolder dir;
    for (auto [name, attributes] :
         {std::pair<const char*, DWORD>{"normal.txt", 0}, {"readonly.txt", FILE_ATTRIBUTE_READONLY},
          {"archive.dat", FILE_ATTRIBUTE_ARCHIVE}, {"hidden.txt", FILE_ATTRIBUTE_HIDDEN},
          {"system.txt", FILE_ATTRIBUTE_SYSTEM},
          {"both.txt", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM}})
        WriteBytes(dir / name, "x", attributes);
    CreateDirectoryW(rt::Wide(dir / "folder").c_str(), nullptr);
    auto names = [](const std::string& pattern, int mask) {
        Lines n = rt::Dir(pattern, mask);
        std::sort(n.begin(), n.end());
        return n;
    };
    const std::string all = dir / "*";
    EXPECT_EQ(names(all, rt::vbNormal), (Lines{"archive.dat", "normal.txt", "readonly.txt"}));
    EXPECT_EQ(names(all, rt::vbHidden), (Lines{"archive.dat", "hidden.txt", "normal.txt", "readonly.txt"}));
    EXPECT_EQ(names(all, rt::vbDirectory), (Lines{"archive.dat", "folder", "normal.txt", "readonly.txt"}));
    EXPECT_EQ(names(all, 39), (Lines{"archive.dat", "both.txt", "hidden.txt", "normal.txt",
                                     "readonly.txt", "system.txt"}));
    EXPECT_EQ(names(all, 39 | rt::vbDirectory).size(), 7u); // never "." or ".."
    EXPECT_EQ(names(dir / "*.dat", 0), (Lines{"archive.dat"}));
    EXPECT_EQ(names(dir.Path() + "\\", 0).size(), 3u);
    EXPECT_EQ(names(dir / "hidden.txt", 0), Lines{});
    EXPECT_EQ(names(dir / "hidden.txt", 39), (Lines{"hidden.txt"}));
    EXPECT_EQ(names(dir / "nothing\\*", 39), Lines{});
}

TEST(FileSystemTest, BinaryOutputPutsBytesWhereAsked) {
    TempFolder dir;
    const std::string f = dir / "data.bin";
    WriteBytes(f, "0123456789");
    rt::OpenForBinary(4, f); // an existing file is opened, not emptied
    rt::Put(4, 1, std::string("\0\xFF", 2));
    rt::Put(4, 12, "end"); // beyond the end: the gap is filled with zero bytes
    EXPECT_EQ(ErrorOf([] { rt::Put(4, 0, "x"); }), rt::errBadRecordNumber);
    EXPECT_EQ(ErrorOf([] { rt::PrintLine(4, "x"); }), rt::errBadFileMode);
    EXPECT_EQ(ErrorOf([] { rt::LineInput(4); }), rt::errBadFileMode);
    EXPECT_EQ(ErrorOf([&] { rt::OpenForOutput(5, f); }), rt::errFileAlreadyOpen);
    rt::Close(4);
    EXPECT_EQ(ReadBytes(f), std::string("\0\xFF" "23456789\0end", 14));
    EXPECT_EQ(ErrorOf([] { rt::Put(4, 1, "x"); }), rt::errBadFileNameOrNumber);

    rt::OpenForBinary(4, dir / "new.bin"); // a missing file is created
    rt::Put(4, 1, "abc");
    rt::Close(4);
    EXPECT_EQ(ReadBytes(dir / "new.bin"), "abc");
    WriteBytes(dir / "locked.bin", "x", FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(ErrorOf([&] { rt::OpenForBinary(4, dir / "locked.bin"); }), rt::errPathFileAccess);
}

TEST(FileSystemTest, AttributesReadAndSet) {
    TempFolder dir;
    const std::string f = dir / "a.txt";
    WriteBytes(f, "x");
    rt::SetAttr(f, rt::vbReadOnly | rt::vbHidden);
    EXPECT_EQ(rt::GetAttr(f) & ~rt::vbArchive, rt::vbReadOnly | rt::vbHidden);
    EXPECT_EQ(ErrorOf([&] { rt::Kill(f); }), rt::errPathFileAccess);
    rt::SetAttr(f, rt::vbNormal);
    EXPECT_EQ(rt::GetAttr(f) & ~rt::vbArchive, rt::vbNormal);
    EXPECT_EQ(rt::GetAttr(dir.Path()) & rt::vbDirectory, rt::vbDirectory);

    EXPECT_EQ(ErrorOf([&] { rt::GetAttr(dir / "missing.txt"); }), rt::errFileNotFound);
    EXPECT_EQ(ErrorOf([&] { rt::SetAttr(dir / "missing.txt", 0); }), rt::errFileNotFound);
    EXPECT_EQ(ErrorOf([&] { rt::SetAttr(f, rt::vbDirectory); }), rt::errInvalidProcedureCall);
    rt::OpenForInput(6, f);
    EXPECT_EQ(ErrorOf([&] { rt::SetAttr(f, rt::vbHidden); }), rt::errFileAlreadyOpen);
    rt::Close(6);
}

TEST(FileSystemTest, CurrentFolder) {
    TempFolder dir;
    std::string before = rt::CurDir();
    rt::ChDir(dir.Path());
    EXPECT_EQ(lstrcmpiW(rt::Wide(rt::CurDir()).c_str(), rt::Wide(dir.Path()).c_str()), 0);
    EXPECT_EQ(ErrorOf([&] { rt::ChDir(dir / "missing"); }), 76);
    rt::ChDir(before);
}

} // namespace
