// The in-process Win32 tests share one application object, as the program does.
#include <gtest/gtest.h>

#include "toolkit/Application.h"
#include "toolkit/WindowClass.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    tk::SetClassPrefix(L"Velmora");
    tk::Application::Instance().Initialize();
    const int result = RUN_ALL_TESTS();
    tk::Application::Instance().Finalize();
    return result;
}
