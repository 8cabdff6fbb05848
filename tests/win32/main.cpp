// The in-process Win32 tests share one application object, as the program does.
#include <gtest/gtest.h>

#include "toolkit/Application.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    tk::Application::Instance().Initialize();
    const int result = RUN_ALL_TESTS();
    tk::Application::Instance().Finalize();
    return result;
}
