// The shell shortcuts in the prefix's real Startup, Desktop and Programs folders, read back through
// IShellLinkW, and the removal of autostart (shortcut and machine-wide Run value).
#include <gtest/gtest.h>

#include "support/ShellLinks.h"
#include "config/Reg2SysClass.h"
#include "support/TestFiles.h"
#include "base/Module.h"
#include "base/Text.h"

using namespace testsupport;

namespace {

class ShellShortcutTest : public ::testing::Test {
  protected:
    void SetUp() override {
        RemoveProgramShortcuts();
        DeleteRunValue();
    }
    void TearDown() override {
        RemoveProgramShortcuts();
        DeleteRunValue();
    }

    static void SetRunValue() {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, config::kRunKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        base::UniqueRegKey owned(key);
        const char value[] = "C:\\old\\Orvane.exe";
        ASSERT_EQ(RegSetValueExA(key, config::kRunValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                                 sizeof(value)),
                  ERROR_SUCCESS);
    }
    static bool RunValueExists(const char* name = config::kRunValueName) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, config::kRunKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) {
            return false;
        }
        base::UniqueRegKey owned(key);
        return RegQueryValueExA(key, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    }
    static void DeleteRunValue() {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, config::kRunKeyPath, 0, KEY_ALL_ACCESS, &key) ==
            ERROR_SUCCESS) {
            RegDeleteValueA(key, config::kRunValueName);
            RegCloseKey(key);
        }
    }

    config::TReg2SysClass shell;
};

}  // namespace

TEST_F(ShellShortcutTest, SpecialFoldersAreTheShellsOwn) {
    EXPECT_EQ(shell.GetSpecialFolder(CSIDL_STARTUP), SpecialFolder(CSIDL_STARTUP));
    EXPECT_EQ(shell.GetSpecialFolder(CSIDL_DESKTOPDIRECTORY), SpecialFolder(CSIDL_DESKTOPDIRECTORY));
    EXPECT_EQ(shell.GetSpecialFolder(CSIDL_PROGRAMS), SpecialFolder(CSIDL_PROGRAMS));
    EXPECT_FALSE(SpecialFolder(CSIDL_STARTUP).empty());
    // A folder the shell does not know resolves to nothing, so nothing is written for it.
    EXPECT_EQ(shell.GetSpecialFolder(0x7F), L"");
}

TEST_F(ShellShortcutTest, StartupShortcutPointsAtTheGivenProgramAndIsOverwrittenNextTime) {
    shell.AddStartupShortcut(L"C:\\Apps\\First\\Velmora.exe");
    LinkContent first = ReadLink(StartupLink());
    ASSERT_TRUE(first.loaded);
    EXPECT_EQ(first.target, L"C:\\Apps\\First\\Velmora.exe");
    EXPECT_EQ(first.workDir, L"C:\\Apps\\First\\");

    // The program moved: the same shortcut now points at the new place; there is no second one.
    shell.AddStartupShortcut(L"D:\\Moved\\Velmora.exe");
    LinkContent second = ReadLink(StartupLink());
    ASSERT_TRUE(second.loaded);
    EXPECT_EQ(second.target, L"D:\\Moved\\Velmora.exe");
    EXPECT_EQ(second.workDir, L"D:\\Moved\\");
    EXPECT_EQ(ExactName(SpecialFolder(CSIDL_STARTUP), L"Velmora*"), L"Velmora.lnk");

    // A folder whose name the system code page cannot spell (Korean and Cyrillic under code page 936).
    TempFolder folder(L" 벨모라 Велмора");
    const std::wstring program = folder.WidePath() + L"Velmora.exe";
    WriteFileBytes(program, "MZ");
    shell.AddStartupShortcut(program);
    LinkContent third = ReadLink(StartupLink());
    ASSERT_TRUE(third.loaded);
    EXPECT_EQ(third.target, program);
    EXPECT_EQ(third.workDir, folder.WidePath());
}

TEST_F(ShellShortcutTest, CreateShortcutNamesTheFileByTheLnkRule) {
    TempFolder folder;
    const std::wstring dir = folder.WidePath().substr(0, folder.WidePath().size() - 1);
    const std::wstring exe = base::ExePath();
    for (const wchar_t* name : {L"plain", L"kept.lnk", L"upper.LNK"}) {
        SCOPED_TRACE(base::WideToUtf8(name));
        EXPECT_TRUE(shell.CreateShortcut(exe, base::ExeFolder(), dir + L"\\" + name));
    }
    EXPECT_EQ(ExactName(dir, L"plain*"), L"plain.lnk");
    EXPECT_EQ(ExactName(dir, L"kept*"), L"kept.lnk");
    EXPECT_EQ(ExactName(dir, L"upper*"), L"upper.LNK.lnk");
    LinkContent content = ReadLink(dir + L"\\kept.lnk");
    ASSERT_TRUE(content.loaded);
    EXPECT_EQ(content.target, exe);
    EXPECT_EQ(content.workDir, base::ExeFolder());
}

TEST_F(ShellShortcutTest, SavingIntoAMissingFolderWritesNothingAndStillAnswersTrue) {
    TempFolder folder;
    const std::wstring link = folder.WidePath() + L"missing\\Velmora";
    EXPECT_TRUE(shell.CreateShortcut(base::ExePath(), base::ExeFolder(), link));
    EXPECT_FALSE(PathExists(folder.WidePath() + L"missing"));
}

TEST_F(ShellShortcutTest, DesktopShortcutPointsAtTheRunningProgram) {
    shell.CreateDesktopShortcut();
    LinkContent content = ReadLink(DesktopLink());
    ASSERT_TRUE(content.loaded);
    EXPECT_EQ(content.target, base::ExePath());
    EXPECT_EQ(content.workDir, base::ExeFolder());
}

TEST_F(ShellShortcutTest, ProgramGroupIsMadeWhenMissingAndKeepsItsOtherContent) {
    shell.CreateProgramGroupShortcut();
    LinkContent made = ReadLink(ProgramGroupLink());
    ASSERT_TRUE(made.loaded);
    EXPECT_EQ(made.target, base::ExePath());
    EXPECT_EQ(made.workDir, base::ExeFolder());

    // An existing group: the other files stay, the shortcut is replaced.
    WriteFileBytes(ProgramGroup() + L"\\Readme.txt", "keep me");
    const std::wstring stale = ProgramGroup() + L"\\Velmora.lnk";
    shell.CreateShortcut(L"C:\\Old\\Velmora.exe", L"C:\\Old\\", stale);
    ASSERT_EQ(ReadLink(ProgramGroupLink()).target, L"C:\\Old\\Velmora.exe");
    shell.CreateProgramGroupShortcut();
    EXPECT_EQ(ReadFileBytes(ProgramGroup() + L"\\Readme.txt"), "keep me");
    EXPECT_EQ(ReadLink(ProgramGroupLink()).target, base::ExePath());
}

TEST_F(ShellShortcutTest, RemoveAutostartDeletesTheShortcutAndTheRunValue) {
    shell.AddStartupShortcut(base::ExePath());
    SetRunValue();
    ASSERT_TRUE(PathExists(StartupLink()));
    ASSERT_TRUE(RunValueExists());
    shell.RemoveAutostart();
    EXPECT_FALSE(PathExists(StartupLink()));
    EXPECT_FALSE(RunValueExists());
}

TEST_F(ShellShortcutTest, RemoveAutostartHandlesEachHalfMissing) {
    // Only the Run value.
    SetRunValue();
    shell.RemoveAutostart();
    EXPECT_FALSE(RunValueExists());
    EXPECT_FALSE(PathExists(StartupLink()));
    // Only the shortcut.
    shell.AddStartupShortcut(base::ExePath());
    shell.RemoveAutostart();
    EXPECT_FALSE(PathExists(StartupLink()));
    // Neither: nothing changes, nothing is reported.
    shell.RemoveAutostart();
    EXPECT_FALSE(PathExists(StartupLink()));
    EXPECT_FALSE(RunValueExists());
}

TEST_F(ShellShortcutTest, RemoveAutostartLeavesOtherRunValuesAndAFolderOfThatName) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, config::kRunKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    base::UniqueRegKey owned(key);
    const char other[] = "C:\\Other\\Tool.exe";
    ASSERT_EQ(RegSetValueExA(key, "VelmoraTestOther", 0, REG_SZ, reinterpret_cast<const BYTE*>(other),
                             sizeof(other)),
              ERROR_SUCCESS);
    ASSERT_TRUE(CreateDirectoryW(StartupLink().c_str(), nullptr));

    shell.RemoveAutostart();
    EXPECT_TRUE(RunValueExists("VelmoraTestOther"));
    EXPECT_TRUE(PathExists(StartupLink()));  // a folder, not a shortcut: left alone
    RegDeleteValueA(key, "VelmoraTestOther");
    RemoveDirectoryW(StartupLink().c_str());
}
