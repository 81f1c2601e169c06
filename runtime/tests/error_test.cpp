// The message table, raising, resume-next mode and the unhandled-error report.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <utility>

#include "rt/convert.h"
#include "rt/error.h"
#include "rt/interaction.h"
#include "rt/services.h"

namespace {

TEST(ErrorTableTest, TextsOfKnownNumbersGapsAndEveryEntry) {
    for (auto [number, text] : {std::pair{13L, "Type mismatch"}, {6L, "Overflow"},
                                {53L, "File not found"}, {482L, "Printer error"},
                                {3L, "Return without GoSub"}, {31037L, "Error loading from file"}})
        EXPECT_EQ(rt::ErrorText(number), text);
    for (long n : {1L, 4L, 8L, 12L, 32766L, 65535L, 65536L, -13L})
        EXPECT_EQ(rt::ErrorText(n), "Application-defined or object-defined error") << n;
    EXPECT_EQ(rt::ErrorText(0), ""); // "no error" has no message
    // Counting over every number finds each entry once; one out of order would be missed.
    size_t found = 0;
    for (long n = 1; n <= 65535; ++n) found += rt::ErrorText(n) != rt::kGenericErrorText;
    EXPECT_EQ(found, rt::ErrorTableSize());
}

rt::Error Raised(long number, const std::string& source = {}, const std::string& text = {}) {
    try {
        rt::Raise(number, source, text);
    } catch (const rt::Error& e) {
        return e;
    }
    return rt::Error(-1, {}, {});
}

TEST(RaiseTest, FillsSourceAndDescriptionAndRefusesBadNumbers) {
    rt::Error e = Raised(13);
    EXPECT_EQ(e.Source, rt::App().Title);
    EXPECT_EQ(e.Description, "Type mismatch");
    e = Raised(53, "MyPart", "Gone missing");
    EXPECT_EQ(e.Source + "/" + e.Description, "MyPart/Gone missing");
    EXPECT_EQ(Raised(1000).Description, rt::kGenericErrorText);
    EXPECT_EQ(Raised(-5).Number, -5); // components raise negative numbers
    EXPECT_EQ(Raised(65535).Number, 65535);
    for (long n : {0L, 65536L}) {
        e = Raised(n, "Someone", "Something");
        EXPECT_EQ(e.Number, 5);
        EXPECT_EQ(e.Description, "Invalid procedure call or argument");
        EXPECT_EQ(e.Source, rt::App().Title);
    }
}

TEST(ResumeNextTest, TryLeavesTheErrorSetAndSkipsTheRest) {
    rt::Err().Clear();
    int reached = 0;
    EXPECT_FALSE(rt::Try([&] {
        rt::CInt(40000.0);
        ++reached;
    }));
    EXPECT_EQ(reached, 0);
    EXPECT_TRUE(rt::Try([] {}));
    EXPECT_EQ(rt::Err().Number, 6); // still set after a statement that ran through
    EXPECT_EQ(rt::Err().Description, "Overflow");
    rt::Err().Clear();
    EXPECT_EQ(rt::Err().Number, 0);
}

// Writes each box it is shown to stderr, where the death test reads it.
class EchoUser : public rt::User {
  public:
    void (*OnBox)() = nullptr;
    int MessageBox(const std::string& prompt, int style, const std::string& title) override {
        std::string p = prompt;
        for (char& c : p)
            if (c == '\r' || c == '\n') c = '|';
        std::fprintf(stderr, "\nBOX %d [%s] %s", style, title.c_str(), p.c_str());
        std::fflush(stderr);
        if (OnBox) OnBox();
        return rt::vbOK;
    }
    std::string InputBox(const std::string&, const std::string&, const std::string&) override {
        return {};
    }
    bool ShowDialog(rt::DialogKind, rt::CommonDialog&) override { return false; }
    void Print(const rt::PrintJob&) override {}
};

TEST(UnhandledErrorDeathTest, ReportsOnceFlushesFilesAndEndsTheProgram) {
    EXPECT_EXIT(
        {
            EchoUser user;
            rt::SetUser(&user);
            rt::App().Title = "Reporter";
            rt::Dispatch([] { rt::Raise(13); });
        },
        testing::ExitedWithCode(1), "BOX 16 \\[Reporter\\] Run-time error '13':\\|\\|\\|\\|Type mismatch");

    // An error while the report is up ends the program without a second report.
    EXPECT_EXIT(
        {
            EchoUser user;
            user.OnBox = [] { rt::Dispatch([] { rt::Raise(6); }); };
            rt::SetUser(&user);
            rt::Dispatch([] { throw std::runtime_error("broken"); });
        },
        testing::ExitedWithCode(1), "Run-time error '51':\\|\\|\\|\\|broken$");

    // What the program wrote reaches its file.
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    std::string path = rt::Utf8(dir) + "bw_unhandled_flush.txt";
    EXPECT_EXIT(
        {
            EchoUser user;
            rt::SetUser(&user);
            rt::OpenForOutput(3, path);
            rt::PrintLine(3, "kept");
            rt::Dispatch([] { rt::Raise(5); });
        },
        testing::ExitedWithCode(1), "Run-time error '5'");
    std::ifstream in(rt::Wide(path).c_str(), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "kept\r\n");
    in.close();
    DeleteFileW(rt::Wide(path).c_str());
}

} // namespace
