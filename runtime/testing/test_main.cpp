// The test programs' start-up: the runtime first, then every test.
#include <windows.h>

#include <cstdio>

#include <gtest/gtest.h>

#include "rt/forms.h"
#include "rt/services.h"
#include "test_support.h"

namespace {

// Fails the test during which the standard output or error stopped being what
// the program started with (closed, or its handle reused for another file):
// everything printed after it would be lost.
class StandardHandlesWatch : public testing::EmptyTestEventListener {
  public:
    StandardHandlesWatch() {
        for (Kept& k : kept_) k.type = GetFileType(GetStdHandle(k.which));
    }
    void OnTestEnd(const testing::TestInfo& test) override {
        for (Kept& k : kept_) {
            const DWORD type = GetFileType(GetStdHandle(k.which));
            if (type == k.type) continue;
            const char* name = k.which == STD_OUTPUT_HANDLE ? "output" : "error";
            // Said on the other handle too, for this one may print nothing.
            fprintf(k.which == STD_OUTPUT_HANDLE ? stderr : stdout,
                    "%s.%s: the standard %s was closed or replaced\n", test.test_suite_name(),
                    test.name(), name);
            ADD_FAILURE() << "the standard " << name << " was closed or replaced";
            k.type = type; // reported once
        }
    }

  private:
    struct Kept {
        DWORD which;
        DWORD type;
    } kept_[2] = {{STD_OUTPUT_HANDLE, 0}, {STD_ERROR_HANDLE, 0}};
};

} // namespace

int main(int argc, char** argv) {
    rt::Initialize(GetModuleHandleW(nullptr));
    if (rt::App().Title.empty()) rt::App().Title = "BenchwareTests";
    if (int child = rt::test::RunChildIfAsked(argc, argv); child >= 0) return child;
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new StandardHandlesWatch);
    return RUN_ALL_TESTS();
}
