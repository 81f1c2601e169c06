// The test programs' start-up: the runtime first, then every test.
#include <windows.h>

#include <gtest/gtest.h>

#include "rt/forms.h"
#include "rt/services.h"
#include "test_support.h"

int main(int argc, char** argv) {
    rt::Initialize(GetModuleHandleW(nullptr));
    if (rt::App().Title.empty()) rt::App().Title = "BenchwareTests";
    if (int child = rt::test::RunChildIfAsked(argc, argv); child >= 0) return child;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
