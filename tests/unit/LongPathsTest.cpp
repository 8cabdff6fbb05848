// The extended-length form of paths too long for the system's plain file functions.
#include <gtest/gtest.h>

#include <string>

#include "base/LongPaths.h"

namespace {

struct FormCase {
    const wchar_t* path;
    const wchar_t* extended;
};

class ExtendedLengthFormTest : public ::testing::TestWithParam<FormCase> {};

TEST_P(ExtendedLengthFormTest, GivesTheFormTheSystemTakesPastMaxPath) {
    EXPECT_EQ(base::ExtendedLengthForm(GetParam().path), GetParam().extended);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ExtendedLengthFormTest,
    ::testing::Values(
        FormCase{L"C:\\Programs\\Velmora\\UserConfig.ini", L"\\\\?\\C:\\Programs\\Velmora\\UserConfig.ini"},
        FormCase{L"z:\\a\\", L"\\\\?\\z:\\a\\"},
        // A share: the two leading backslashes become "UNC".
        FormCase{L"\\\\server\\share\\Velmora\\Skin\\", L"\\\\?\\UNC\\server\\share\\Velmora\\Skin\\"},
        // Already extended, or a device: unchanged, never prefixed twice.
        FormCase{L"\\\\?\\C:\\x", L"\\\\?\\C:\\x"}, FormCase{L"\\\\?\\UNC\\s\\x", L"\\\\?\\UNC\\s\\x"},
        FormCase{L"\\\\.\\COM1", L"\\\\.\\COM1"},
        // Not full paths: the prefix would make them mean something else.
        FormCase{L"Skin\\Blue\\", L"Skin\\Blue\\"}, FormCase{L"C:relative", L"C:relative"},
        FormCase{L"\\rooted", L"\\rooted"}, FormCase{L"1:\\x", L"1:\\x"}, FormCase{L"", L""}));

}  // namespace
