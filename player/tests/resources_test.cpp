// The resource helpers over this program's real resources: every kind into a
// value and into a file, bad IDs and names, and files that must survive.
#include <windows.h>

#include <algorithm>

#include <rt.h>
#include <rt/scripted_user.h>

#include "cMCI_Adv.h"
#include "test_support.h"

namespace tunebox {
namespace {

using rt::test::ReadBytes;
using rt::test::WriteBytes;


class ResourceTest : public ::testing::Test {
  protected:
    std::string Chime() const {
        std::string bytes;
        for (int i = 0; i < 3; ++i)
            for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
        return bytes + "end";
    }
    rt::ScriptedUser user;
    rt::test::TempFolder folder;
    std::shared_ptr<cMCI_Adv> mci = std::make_shared<cMCI_Adv>();
};

TEST_F(ResourceTest, EveryKindComesOutAsItsValue) {
    ResourceValue value;
    ASSERT_TRUE(mci->RES_Extract(value, 301, resBitmap));
    ASSERT_TRUE(std::holds_alternative<rt::Picture>(value));
    EXPECT_EQ(std::get<rt::Picture>(value).Type(), rt::vbPicTypeBitmap);
    EXPECT_EQ(std::get<rt::Picture>(value).Pixels().cx, 12);
    EXPECT_EQ(std::get<rt::Picture>(value).Pixels().cy, 8);
    ASSERT_TRUE(mci->RES_Extract(value, 1, resIcon));
    EXPECT_EQ(std::get<rt::Picture>(value).Type(), rt::vbPicTypeIcon);
    ASSERT_TRUE(mci->RES_Extract(value, 302, resCursor));
    EXPECT_TRUE(std::get<rt::Picture>(value));
    ASSERT_TRUE(mci->RES_Extract(value, 301, resString));
    EXPECT_EQ(std::get<std::string>(value), "Tunebox resource text");
    ASSERT_TRUE(mci->RES_Extract(value, 302, resString));
    EXPECT_EQ(std::get<std::string>(value), "\xCE\xA9mega \xE2\x99\xAB");
    ASSERT_TRUE(mci->RES_Extract(value, 401, resCustom));
    const auto& bytes = std::get<std::vector<uint8_t>>(value);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), Chime());
    ASSERT_TRUE(mci->RES_Extract(value, 403, resCustom, "  SOUNDS "));
    EXPECT_EQ(std::get<std::vector<uint8_t>>(value), std::vector<uint8_t>{0x5A});
    // A kind of its own loads nothing, and says so with True.
    ASSERT_TRUE(mci->RES_Extract(value, 301, 7));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(value));
    EXPECT_TRUE(user.Boxes.empty());
}

TEST_F(ResourceTest, BadIdsAndMissingResourcesAreBoxesAndFalse) {
    ResourceValue value = std::string("old");
    EXPECT_FALSE(mci->RES_Extract(value, 0, resString));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(value));
    EXPECT_FALSE(mci->RES_Extract(value, 32768, resString));
    EXPECT_FALSE(mci->RES_Extract(value, 32768, resString, "CUSTOM", false));
    EXPECT_FALSE(mci->RES_Extract(value, 999, resString));
    EXPECT_FALSE(mci->RES_Extract(value, 401, resCustom, "OTHER", false));
    const auto boxes = user.MessageBoxes();
    ASSERT_EQ(boxes.size(), 3u);
    for (int i : {0, 1}) {
        EXPECT_EQ(boxes[i].Title, "  Invalid Resource ID Specified");
        EXPECT_EQ(boxes[i].Prompt,
                  "Invalid resource ID specified.  Can't retrieve the file from the resource.");
        EXPECT_EQ(boxes[i].Style, rt::vbExclamation);
    }
    const std::string missing = "Resource with identifier '999' not found";
    EXPECT_EQ(boxes[2].Title, "  Error  -  " + missing);
    EXPECT_EQ(boxes[2].Prompt, "The following error occured while trying to extract a file from "
                               "resource:\r\rError Number = 326\rError Description = " + missing);
}

TEST_F(ResourceTest, EveryKindIsSavedToAFile) {
    ASSERT_TRUE(mci->RES_Save(folder / "picture.bmp", 301, resBitmap));
    HANDLE bitmap = LoadImageW(nullptr, rt::Wide(folder / "picture.bmp").c_str(), IMAGE_BITMAP, 0,
                               0, LR_LOADFROMFILE);
    ASSERT_NE(bitmap, nullptr);
    BITMAP shape{};
    GetObjectW(bitmap, sizeof shape, &shape);
    EXPECT_EQ(shape.bmWidth, 12);
    DeleteObject(bitmap);
    ASSERT_TRUE(mci->RES_Save(folder / "tunebox.ico", 1, resIcon));
    EXPECT_EQ(ReadBytes(folder / "tunebox.ico").substr(0, 4), std::string("\0\0\1\0", 4));
    ASSERT_TRUE(mci->RES_Save(folder / "pointer.cur", 302, resCursor));
    EXPECT_EQ(ReadBytes(folder / "pointer.cur").substr(0, 4), std::string("\0\0\2\0", 4));
    ASSERT_TRUE(mci->RES_Save(folder / "text.txt", 301, resString));
    EXPECT_EQ(ReadBytes(folder / "text.txt"), "Tunebox resource text\r\n");
    ASSERT_TRUE(mci->RES_Save("  " + (folder / "chime.bin") + " ", 401, resCustom));
    EXPECT_EQ(ReadBytes(folder / "chime.bin"), Chime());
    // A resource of one byte is written like any other.
    ASSERT_TRUE(mci->RES_Save(folder / "one.bin", 402, resCustom));
    EXPECT_EQ(ReadBytes(folder / "one.bin"), "Z");
    // A longer file is replaced whole, not written over at its start.
    WriteBytes(folder / "long.bin", std::string(2000, 'x'));
    ASSERT_TRUE(mci->RES_Save(folder / "long.bin", 403, resCustom, "SOUNDS"));
    EXPECT_EQ(ReadBytes(folder / "long.bin"), "Z");
    EXPECT_TRUE(user.Boxes.empty());
}

TEST_F(ResourceTest, AnExistingFileIsKeptUnlessSomethingReplacesIt) {
    const std::string keep = folder / "keep.txt";
    WriteBytes(keep, "mine");
    EXPECT_TRUE(mci->RES_Save(keep, 301, resString, "CUSTOM", false)); // no overwriting asked
    EXPECT_EQ(ReadBytes(keep), "mine");
    EXPECT_TRUE(mci->RES_Save(keep, 301, 7)); // nothing of that kind to write
    EXPECT_EQ(ReadBytes(keep), "mine");
    EXPECT_FALSE(mci->RES_Save(keep, 999, resCustom)); // no such resource
    EXPECT_EQ(ReadBytes(keep), "mine");
    EXPECT_FALSE(mci->RES_Save(keep, 999, resString, "CUSTOM", true, false));
    EXPECT_EQ(ReadBytes(keep), "mine");
    // A text the system's code page cannot hold is not stored with question marks.
    EXPECT_FALSE(mci->RES_Save(keep, 302, resString, "CUSTOM", true, false));
    EXPECT_EQ(ReadBytes(keep), "mine");

    EXPECT_FALSE(mci->RES_Save("   ", 301, resString));
    EXPECT_FALSE(mci->RES_Save(keep, 0, resString));
    EXPECT_FALSE(mci->RES_Save(folder / "no such folder\\x.txt", 301, resString));
    const auto boxes = user.MessageBoxes();
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[0].Prompt.rfind("The following error occured while trying to save a file from "
                                    "resource:\r\rError Number = 326\r", 0),
              0u);
    EXPECT_EQ(boxes[1].Title, "  No Output File Specified");
    EXPECT_EQ(boxes[1].Prompt, "No file specified to extract resource to.");
    EXPECT_EQ(boxes[2].Title, "  Invalid Resource ID Specified");
    EXPECT_EQ(boxes[3].Title.rfind("  Error  -  ", 0), 0u);
    EXPECT_FALSE(rt::FileExists(folder / "no such folder\\x.txt"));
}

// A file that takes every byte a volume has left; it goes with the object.
class Filler {
  public:
    explicit Filler(const std::string& path) : path_(rt::Wide(path)) {
        HANDLE file = CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return;
        const std::string chunk(4096, 'f');
        for (DWORD size = 4096; size > 0; size /= 8) {
            DWORD written = 0;
            while (WriteFile(file, chunk.data(), size, &written, nullptr) && written == size) {}
        }
        CloseHandle(file);
    }
    ~Filler() { DeleteFileW(path_.c_str()); }
    Filler(const Filler&) = delete;
    Filler& operator=(const Filler&) = delete;

  private:
    std::wstring path_;
};

// A disk that fills up: nothing is reported as saved, no part of a new file
// is left behind, and a file that was there stays as it was.
TEST_F(ResourceTest, AFullDiskIsAFailureAndLeavesNoPartOfAFile) {
    wchar_t drive[8] = {};
    if (!GetEnvironmentVariableW(L"BENCHWARE_SMALL_DRIVE", drive, 8))
        GTEST_SKIP() << "no small volume: the test command mounts one where it runs as root";
    const std::string root = rt::Utf8(drive) + "\\";
    const std::string kept = root + "kept.txt";
    WriteBytes(kept, "mine");
    {
        Filler filler(root + "filler.bin");
        EXPECT_FALSE(mci->RES_Save(root + "text.txt", 301, resString));
        EXPECT_FALSE(mci->RES_Save(root + "chime.bin", 401, resCustom));
        EXPECT_FALSE(mci->RES_Save(root + "picture.bmp", 301, resBitmap));
        EXPECT_FALSE(mci->RES_Save(kept, 301, resString));
        EXPECT_FALSE(mci->RES_Save(kept, 401, resCustom));
        EXPECT_EQ(ReadBytes(kept), "mine");
        auto names = rt::Dir(root + "*.*", 39);
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, (std::vector<std::string>{"filler.bin", "kept.txt"}));
    }
    const auto boxes = user.MessageBoxes();
    ASSERT_EQ(boxes.size(), 5u);
    for (const auto& box : boxes)
        EXPECT_EQ(box.Prompt, "The following error occured while trying to save a file from "
                              "resource:\r\rError Number = 61\rError Description = Disk full");
    rt::Kill(kept);
}

} // namespace
} // namespace tunebox
