// The test programs' start-up: the runtime first, then every test.
#include <windows.h>

#include <gtest/gtest.h>

#include "rt/forms.h"
#include "rt/services.h"

int main(int argc, char** argv) {
    rt::Initialize(GetModuleHandleW(nullptr));
    if (rt::App().Title.empty()) rt::App().Title = "BenchwareTests";
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
