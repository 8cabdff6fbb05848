// A program folder deeper than MAX_PATH: the files the program keeps there (INI files and their
// temporary files, skin images, the log) are still found, written and read.
#include <gtest/gtest.h>

#include <string>

#include "base/Log.h"
#include "base/Module.h"
#include "config/AppConfigClass.h"
#include "config/IniFile.h"
#include "support/Pixels.h"
#include "support/TestFiles.h"
#include "toolkit/Bitmap.h"

using namespace testsupport;

TEST(LongProgramFolder, ItsSettingsSkinImagesAndLogWorkPastMaxPath) {
    TempFolder root;
    std::wstring folder = root.WidePath();
    while (folder.size() < 300) {
        folder += L"一个很深的文件夹-a-folder-deep-in-the-tree\\";
        ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + folder).c_str(), nullptr));
    }
    ASSERT_TRUE(base::DirectoryExists(folder));
    // The extended form is full and normalised: a relative step back is resolved, not passed on.
    EXPECT_EQ(
        base::FileSystemPath(folder + L"..\\" + folder.substr(folder.rfind(L'\\', folder.size() - 2) + 1)),
        L"\\\\?\\" + folder);
    EXPECT_EQ(base::FileSystemPath(root.WidePath()), root.WidePath());  // short paths stay as they are

    const std::wstring ini = folder + L"UserConfig.ini";
    config::WriteIniFileValues(ini, "UserCustom", {{"CloseAction", "exit"}, {"NeverRequire", "1"}});
    config::WriteIniFileValue(ini, "UserCustom", "CloseAction", "hide");
    EXPECT_EQ(config::ReadIniValue(ini, "UserCustom", "CloseAction"), "hide");
    EXPECT_EQ(config::ReadIniValue(ini, "UserCustom", "NeverRequire"), "1");
    EXPECT_EQ(NamesMatching(L"\\\\?\\" + folder + L"*.tmp").size(), 0u);

    WriteFileBytes(L"\\\\?\\" + folder + L"TopActivate.bmp",
                   ReadFileBytes(base::ExeFolder() + L"Skin\\Blue\\TopActivate.bmp"));
    tk::Bitmap image;
    EXPECT_TRUE(image.LoadFromFile(folder + L"TopActivate.bmp"));
    EXPECT_EQ(image.Height(), 32);

    base::SetLogFile(folder + L"Velmora.log");
    base::LogF("a line from deep down");
    base::SetLogFile(L"");
    EXPECT_NE(ReadFileBytes(L"\\\\?\\" + folder + L"Velmora.log").find("a line from deep down"),
              std::string::npos);
}
