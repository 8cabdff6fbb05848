// The single-instance mutex name as the program computes it on the real system: ntdll's
// RtlHashUnicodeString, case-insensitive, over the executable's long path.
#include <gtest/gtest.h>

#include "app/InstanceName.h"
#include "app/SingleInstance.h"
#include "support/TestFiles.h"

namespace {

std::wstring Upper(std::wstring text) {
    CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

std::wstring Lower(std::wstring text) {
    CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

}  // namespace

TEST(SingleInstance, MutexNameIsTheContractFormat) {
    const std::wstring name =
        app::InstanceMutexNameForPath(L"C:\\Users\\x\\AppData\\Local\\Programs\\Velmora\\Velmora.exe");
    EXPECT_EQ(name, L"Local\\Velmora-8FCB75D6");
}

TEST(SingleInstance, MutexNameIgnoresLetterCaseAsciiAndBeyond) {
    const std::wstring path = L"Z:\\tmp\\Programme\\\u00e4\u4e2d\\Velmora.exe";
    EXPECT_EQ(app::InstanceMutexNameForPath(path), app::InstanceMutexNameForPath(Upper(path)));
    EXPECT_EQ(app::InstanceMutexNameForPath(path), app::InstanceMutexNameForPath(Lower(path)));
}

TEST(SingleInstance, SystemHashEqualsTheAsciiFoldedReferenceForAsciiPaths) {
    for (const wchar_t* path :
         {L"C:\\Program Files\\Velmora\\Velmora.exe", L"z:\\tmp\\a b\\VELMORA.EXE", L"x"}) {
        const std::wstring text(path);
        const std::u16string u16(text.begin(), text.end());
        const std::u16string expected = app::InstanceMutexName(app::HashX65599AsciiFolded(u16));
        EXPECT_EQ(app::InstanceMutexNameForPath(text), std::wstring(expected.begin(), expected.end()))
            << text;
    }
}

TEST(SingleInstance, DifferentFoldersGiveDifferentNames) {
    EXPECT_NE(app::InstanceMutexNameForPath(L"C:\\A\\Velmora.exe"),
              app::InstanceMutexNameForPath(L"C:\\B\\Velmora.exe"));
}

TEST(SingleInstance, RunningExeLongPathIsTheModulePath) {
    wchar_t module[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    EXPECT_EQ(Lower(app::RunningExeLongPath()), Lower(app::LongPathOf(module)));
    EXPECT_NE(app::RunningExeLongPath().find(L"win32_tests.exe"), std::wstring::npos);
}

TEST(SingleInstance, LongPathOfTurnsAShortNameIntoTheLongOne) {
    testsupport::TempFolder folder;
    const std::string longFolder = folder.Path() + "A folder with a long name";
    ASSERT_TRUE(CreateDirectoryA(longFolder.c_str(), nullptr));
    const std::wstring wideLong(longFolder.begin(), longFolder.end());
    wchar_t shortPath[MAX_PATH] = {};
    ASSERT_NE(GetShortPathNameW(wideLong.c_str(), shortPath, MAX_PATH), 0u);
    EXPECT_EQ(Lower(app::LongPathOf(shortPath)), Lower(app::LongPathOf(wideLong)));
    EXPECT_NE(app::LongPathOf(shortPath).find(L"A folder with a long name"), std::wstring::npos);
    // A path that does not exist stays as it is.
    EXPECT_EQ(app::LongPathOf(L"C:\\no\\such\\file.exe"), L"C:\\no\\such\\file.exe");
}
