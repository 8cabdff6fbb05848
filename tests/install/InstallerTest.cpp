// The per-user installer and its uninstaller under Wine, as a user (or a deployment tool) runs them:
// silently (/S), in a Wine prefix made fresh for these tests (tests/install/run-install-tests.sh), so
// the user's folders and registry start clean. Each test starts from nothing installed and removes
// what it installed. VELMORA_SETUP_EXE names the installer (a Windows path).
#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <tlhelp32.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "InstallExpectations.h"
#include "app/SingleInstance.h"
#include "base/Handles.h"
#include "base/Text.h"
#include "blackbox/VelmoraProcess.h"
#include "config/AppConfigClass.h"
#include "support/ShellLinks.h"
#include "support/TestFiles.h"
#include "toolkit/GdiHandles.h"
#include "webhost/WebBrowser.h"

using blackbox::WaitUntil;
using testsupport::PathExists;
using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;

namespace {

constexpr char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Velmora";

std::string SetupExe() {
    char value[MAX_PATH * 2] = {};
    GetEnvironmentVariableA("VELMORA_SETUP_EXE", value, sizeof(value));
    return value;
}

std::string InstallFolder() {
    return base::WideToAnsi(testsupport::SpecialFolder(CSIDL_LOCAL_APPDATA)) + "\\Programs\\Velmora";
}
std::string Installed(const std::string& name) {
    return InstallFolder() + "\\" + name;
}
std::string StartMenuLink() {
    return base::WideToAnsi(testsupport::SpecialFolder(CSIDL_PROGRAMS)) + "\\Velmora.lnk";
}

bool SamePath(const std::string& a, const std::string& b) {
    return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) == CSTR_EQUAL;
}

// Relative names of every file below a folder, with backslashes.
std::set<std::string> FileNamesBelow(const std::string& folder) {
    std::set<std::string> files;
    for (const auto& entry : testsupport::FilesBelow(folder)) {
        files.insert(entry.first);
    }
    return files;
}

std::set<std::string> PortableFiles() {
    std::set<std::string> files;
    std::string list = installtest::kPortableFiles;
    size_t start = 0;
    while (start <= list.size()) {
        const size_t end = std::min(list.find(';', start), list.size());
        if (end > start) {
            files.insert(list.substr(start, end - start));
        }
        start = end + 1;
    }
    return files;
}

std::string RegString(const char* key, const char* name) {
    char value[2048] = {};
    DWORD size = sizeof(value);
    if (RegGetValueA(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS) {
        return "<missing>";
    }
    return value;
}
bool RegDword(const char* key, const char* name, DWORD& value) {
    DWORD size = sizeof(value);
    return RegGetValueA(HKEY_CURRENT_USER, key, name, RRF_RT_REG_DWORD, nullptr, &value, &size) ==
           ERROR_SUCCESS;
}
bool RegKeyExists(const char* key) {
    base::UniqueRegKey handle;
    return RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, handle.Put()) == ERROR_SUCCESS;
}
bool RegValueExists(const char* key, const char* name) {
    return RegGetValueA(HKEY_CURRENT_USER, key, name, RRF_RT_ANY, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

// A shortcut as the program's own shortcut code makes it (config/Reg2SysClass).
bool WriteLink(const std::wstring& path, const std::string& target) {
    base::ComPtr<IShellLinkW> shellLink;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                shellLink.PutVoid()))) {
        return false;
    }
    shellLink->SetPath(base::AnsiToWide(target).c_str());
    shellLink->SetWorkingDirectory(base::AnsiToWide(InstallFolder()).c_str());
    base::ComPtr<IPersistFile> file = shellLink.As<IPersistFile>(IID_IPersistFile);
    return file && SUCCEEDED(file->Save(path.c_str(), TRUE));
}

// Starts a command line: its process, or none (a test failure) when it cannot be started.
base::UniqueHandle Start(const std::string& commandLine, DWORD* processId = nullptr) {
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        ADD_FAILURE() << "cannot start " << commandLine;
        return base::UniqueHandle();
    }
    base::UniqueHandle thread(pi.hThread);
    if (processId) {
        *processId = pi.dwProcessId;
    }
    return base::UniqueHandle(pi.hProcess);
}

// Runs a command line to its end; the exit code, or ~0u when it had to be ended after the timeout.
DWORD Run(const std::string& commandLine, int timeoutMs, DWORD* elapsedMs = nullptr) {
    base::UniqueHandle process = Start(commandLine);
    if (!process) {
        return ~0u;
    }
    const DWORD start = GetTickCount();
    DWORD code = ~0u;
    if (WaitForSingleObject(process.Get(), static_cast<DWORD>(timeoutMs)) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.Get(), &code);
    } else {
        ADD_FAILURE() << commandLine << " still ran after " << timeoutMs << " ms";
        TerminateProcess(process.Get(), 1);
    }
    if (elapsedMs) {
        *elapsedMs = GetTickCount() - start;
    }
    return code;
}

DWORD RunSetup(DWORD* elapsedMs = nullptr) {
    return Run("\"" + SetupExe() + "\" /S", 60000, elapsedMs);
}

// The processes a process has started, opened as soon as they are seen.
void OpenChildren(DWORD parentId, std::vector<base::UniqueHandle>& children, std::set<DWORD>& seen) {
    base::UniqueFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) {
        return;
    }
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot.Get(), &entry); more;
         more = Process32Next(snapshot.Get(), &entry)) {
        if (entry.th32ParentProcessID == parentId && seen.insert(entry.th32ProcessID).second) {
            if (HANDLE child = OpenProcess(SYNCHRONIZE, FALSE, entry.th32ProcessID)) {
                children.emplace_back(child);
            }
        }
    }
}

// Runs Uninstall.exe /S to the very end: the uninstaller copies itself to the temporary folder, starts
// the copy and ends at once, so the copy is waited for too. Its exit code is not available: the copy's
// work is judged by what it leaves.
DWORD RunUninstaller() {
    DWORD processId = 0;
    base::UniqueHandle process = Start("\"" + Installed("Uninstall.exe") + "\" /S", &processId);
    if (!process) {
        return ~0u;
    }
    std::vector<base::UniqueHandle> children;
    std::set<DWORD> seen;
    const DWORD start = GetTickCount();
    while (WaitForSingleObject(process.Get(), 20) == WAIT_TIMEOUT) {
        OpenChildren(processId, children, seen);
        if (GetTickCount() - start > 60000) {
            ADD_FAILURE() << "the uninstaller still ran after 60 s";
            TerminateProcess(process.Get(), 1);
            return ~0u;
        }
    }
    OpenChildren(processId, children, seen);
    DWORD code = ~0u;
    GetExitCodeProcess(process.Get(), &code);
    for (auto& child : children) {
        if (WaitForSingleObject(child.Get(), 60000) != WAIT_OBJECT_0) {
            ADD_FAILURE() << "the uninstaller's copy still ran after 60 s";
        }
    }
    return code;
}

std::string VersionString(const std::string& file, const char* name) {
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(file.c_str(), &handle);
    std::vector<char> data(size);
    if (size == 0 || !GetFileVersionInfoA(file.c_str(), 0, size, data.data())) {
        return "<none>";
    }
    char* value = nullptr;
    UINT length = 0;
    const std::string path = std::string("\\StringFileInfo\\080404b0\\") + name;
    if (!VerQueryValueA(data.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) || !value) {
        return "<none>";
    }
    return value;
}

bool FixedFileVersion(const std::string& file, DWORD& ms, DWORD& ls) {
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(file.c_str(), &handle);
    std::vector<char> data(size);
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (size == 0 || !GetFileVersionInfoA(file.c_str(), 0, size, data.data()) ||
        !VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &length) || !info) {
        return false;
    }
    ms = info->dwFileVersionMS;
    ls = info->dwFileVersionLS;
    return true;
}

// The installed program, started as its Start-menu shortcut starts it (in the install folder).
class InstalledProgram {
  public:
    InstalledProgram() {
        const std::string exe = Installed("Velmora.exe");
        std::string commandLine = "\"" + exe + "\"";
        STARTUPINFOA si{};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi{};
        if (CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           InstallFolder().c_str(), &si, &pi)) {
            base::UniqueHandle thread(pi.hThread);
            process_.Reset(pi.hProcess);
            processId_ = pi.dwProcessId;
        }
    }
    ~InstalledProgram() {
        if (!Ended(0)) {
            if (HWND window = blackbox::FindMainWindow(processId_)) {
                DWORD_PTR result = 0;
                SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 3000,
                                    &result);
            }
            if (!Ended(5000)) {
                TerminateProcess(process_.Get(), 1);
                Ended(5000);
            }
        }
    }
    InstalledProgram(const InstalledProgram&) = delete;
    InstalledProgram& operator=(const InstalledProgram&) = delete;

    bool Started() const { return static_cast<bool>(process_); }
    DWORD ProcessId() const { return processId_; }
    HWND WaitForVisibleWindow() const {
        HWND window = nullptr;
        WaitUntil([&] { return (window = blackbox::FindMainWindow(processId_)) != nullptr || Ended(0); },
                  15000);
        if (window && !WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, 15000)) {
            return nullptr;
        }
        return window;
    }
    bool Ended(int timeoutMs) const {
        return !process_ ||
               WaitForSingleObject(process_.Get(), static_cast<DWORD>(timeoutMs)) == WAIT_OBJECT_0;
    }

  private:
    base::UniqueHandle process_;
    DWORD processId_ = 0;
};

void RemoveEverythingInstalled() {
    if (PathExists(Installed("Uninstall.exe"))) {
        RunUninstaller();
    }
    testsupport::RemovePath(InstallFolder());
    RegDeleteTreeA(HKEY_CURRENT_USER, kUninstallKey);
    RegDeleteKeyA(HKEY_CURRENT_USER, kUninstallKey);
    base::UniqueRegKey agent;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, webhost::UserAgentKey, 0, KEY_SET_VALUE, agent.Put()) ==
        ERROR_SUCCESS) {
        RegDeleteValueA(agent.Get(), webhost::UserAgentToken);
    }
    DeleteFileA(StartMenuLink().c_str());
    testsupport::RemoveProgramShortcuts();
}

class Installer : public ::testing::Test {
  protected:
    void SetUp() override {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        ASSERT_FALSE(SetupExe().empty()) << "VELMORA_SETUP_EXE is not set";
        ASSERT_TRUE(PathExists(SetupExe())) << SetupExe();
        // A clean per-user location: nothing of the program's yet.
        ASSERT_FALSE(PathExists(InstallFolder()));
        ASSERT_FALSE(RegKeyExists(kUninstallKey));
        ASSERT_FALSE(PathExists(StartMenuLink()));
    }
    void TearDown() override {
        RemoveEverythingInstalled();
        CoUninitialize();
    }
};

}  // namespace

TEST_F(Installer, SilentInstallPutsTheFilesTheShortcutAndTheUninstallEntryInPlace) {
    ASSERT_EQ(RunSetup(), 0u);

    std::set<std::string> expected = PortableFiles();
    expected.insert("Uninstall.exe");
    EXPECT_EQ(FileNamesBelow(InstallFolder()), expected);
    EXPECT_EQ(config::ReadIniValue(base::AnsiToWide(Installed("SysConfig.ini")), "Orvane", "DirectUrl"),
              installtest::kStartUrl);
    EXPECT_EQ(config::ReadIniValue(base::AnsiToWide(Installed("UserConfig.ini")), "UserCustom", "SkinPath"),
              "Skin\\Blue\\");
    EXPECT_EQ(config::ReadIniValue(base::AnsiToWide(Installed("Version.dat")), "Version", "Ver"),
              installtest::kVersion);

    // The one version, in the program's version resource.
    const std::string exe = Installed("Velmora.exe");
    EXPECT_EQ(VersionString(exe, "ProductVersion"), installtest::kVersion);
    EXPECT_EQ(VersionString(exe, "FileVersion"), installtest::kVersion);
    EXPECT_EQ(VersionString(exe, "CompanyName"), installtest::kPublisher);
    DWORD ms = 0, ls = 0;
    ASSERT_TRUE(FixedFileVersion(exe, ms, ls));
    EXPECT_EQ(ms, MAKELONG(installtest::kVersionMinor, installtest::kVersionMajor));
    EXPECT_EQ(ls, MAKELONG(0, installtest::kVersionPatch));

    const testsupport::LinkContent link = testsupport::ReadLink(base::AnsiToWide(StartMenuLink()));
    ASSERT_TRUE(link.loaded) << StartMenuLink();
    EXPECT_TRUE(SamePath(base::WideToAnsi(link.target), exe)) << base::WideToUtf8(link.target);
    EXPECT_TRUE(SamePath(base::WideToAnsi(link.workDir), InstallFolder())) << base::WideToUtf8(link.workDir);

    EXPECT_EQ(RegString(kUninstallKey, "DisplayName"), "Velmora");
    EXPECT_EQ(RegString(kUninstallKey, "DisplayVersion"), installtest::kVersion);
    EXPECT_EQ(RegString(kUninstallKey, "Publisher"), installtest::kPublisher);
    EXPECT_TRUE(SamePath(RegString(kUninstallKey, "DisplayIcon"), exe + ",0"))
        << RegString(kUninstallKey, "DisplayIcon");
    EXPECT_TRUE(SamePath(RegString(kUninstallKey, "InstallLocation"), InstallFolder()));
    const std::string uninstaller = "\"" + Installed("Uninstall.exe") + "\"";
    EXPECT_TRUE(SamePath(RegString(kUninstallKey, "UninstallString"), uninstaller));
    EXPECT_TRUE(SamePath(RegString(kUninstallKey, "QuietUninstallString"), uninstaller + " /S"));
    DWORD value = 0;
    ASSERT_TRUE(RegDword(kUninstallKey, "NoModify", value));
    EXPECT_EQ(value, 1u);
    ASSERT_TRUE(RegDword(kUninstallKey, "NoRepair", value));
    EXPECT_EQ(value, 1u);
    ASSERT_TRUE(RegDword(kUninstallKey, "EstimatedSize", value));
    // Kilobytes: at least the program itself.
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    ASSERT_TRUE(GetFileAttributesExA(exe.c_str(), GetFileExInfoStandard, &attributes));
    EXPECT_GE(value, attributes.nFileSizeLow / 1024);
    EXPECT_LT(value, 100u * 1024);
}

TEST_F(Installer, TheInstalledProgramStartsFromItsFolderAndShowsItsWindow) {
    ASSERT_EQ(RunSetup(), 0u);
    InstalledProgram program;
    ASSERT_TRUE(program.Started());
    HWND window = program.WaitForVisibleWindow();
    ASSERT_NE(window, nullptr);
    wchar_t caption[32] = {};
    GetWindowTextW(window, caption, 32);
    EXPECT_STREQ(caption, L"Velmora");
    // The compact login window.
    RECT rect{};
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.right - rect.left, 400);
    EXPECT_EQ(rect.bottom - rect.top, 250);
    // Its skin was found below the install folder: only a window whose skin loaded takes its rounded
    // shape (without the skin there is no first layout, and an error box instead).
    EXPECT_TRUE(WaitUntil([window] {
        tk::UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
        return GetWindowRgn(window, region.Get()) == COMPLEXREGION;
    }));
}

TEST_F(Installer, SilentUpgradeKeepsTheUsersSettingsAndRenewsTheProgram) {
    ASSERT_EQ(RunSetup(), 0u);
    const std::string program = ReadFileBytes(Installed("Velmora.exe"));
    // The user's settings: a chosen hot key; SysConfig.ini lost; an old program; a missing readme.
    const std::string userConfig =
        "[UserCustom]\r\nSkinPath=Skin\\Blue\\\r\nHotKey=3,90,49242\r\nCloseAction=exit\r\n";
    WriteFileBytes(Installed("UserConfig.ini"), userConfig);
    DeleteFileA(Installed("SysConfig.ini").c_str());
    WriteFileBytes(Installed("Velmora.exe"), "an older Velmora.exe");
    DeleteFileA(Installed("README.txt").c_str());

    ASSERT_EQ(RunSetup(), 0u);
    EXPECT_EQ(ReadFileBytes(Installed("UserConfig.ini")), userConfig);
    EXPECT_EQ(config::ReadIniValue(base::AnsiToWide(Installed("UserConfig.ini")), "UserCustom", "HotKey"),
              "3,90,49242");
    EXPECT_EQ(config::ReadIniValue(base::AnsiToWide(Installed("SysConfig.ini")), "Orvane", "DirectUrl"),
              installtest::kStartUrl);
    EXPECT_TRUE(ReadFileBytes(Installed("Velmora.exe")) == program) << "Velmora.exe was not replaced";
    EXPECT_TRUE(PathExists(Installed("README.txt")));

    // And a user's start page survives too.
    WriteFileBytes(Installed("SysConfig.ini"), "[Orvane]\r\nDirectUrl=https://example.invalid/mine\r\n");
    ASSERT_EQ(RunSetup(), 0u);
    EXPECT_EQ(config::ReadIniValue(base::AnsiToWide(Installed("SysConfig.ini")), "Orvane", "DirectUrl"),
              "https://example.invalid/mine");
    EXPECT_EQ(ReadFileBytes(Installed("UserConfig.ini")), userConfig);
}

TEST_F(Installer, InstallWhileTheProgramHidesOnCloseEndsItLikeTheTrayMenusExit) {
    ASSERT_EQ(RunSetup(), 0u);
    // The sample settings: NeverRequire=1, CloseAction=hide, so a WM_CLOSE to the window only hides it.
    ASSERT_EQ(
        config::ReadIniValue(base::AnsiToWide(Installed("UserConfig.ini")), "UserCustom", "CloseAction"),
        "hide");
    InstalledProgram program;
    HWND window = program.WaitForVisibleWindow();
    ASSERT_NE(window, nullptr);

    DWORD elapsed = 0;
    EXPECT_EQ(RunSetup(&elapsed), 0u);
    EXPECT_TRUE(program.Ended(0)) << "the running copy still runs after the install";
    EXPECT_LT(elapsed, 10000u);
    EXPECT_TRUE(PathExists(Installed("Velmora.exe")));
    EXPECT_FALSE(RegValueExists(webhost::UserAgentKey, webhost::UserAgentToken));
}

TEST_F(Installer, InstallWhileTheProgramExitsOnCloseClosesItsWindow) {
    ASSERT_EQ(RunSetup(), 0u);
    WriteFileBytes(Installed("UserConfig.ini"),
                   "[UserCustom]\r\nSkinPath=Skin\\Blue\\\r\nNeverRequire=1\r\nCloseAction=Exit\r\n");
    InstalledProgram program;
    ASSERT_NE(program.WaitForVisibleWindow(), nullptr);
    EXPECT_EQ(RunSetup(), 0u);
    EXPECT_TRUE(program.Ended(0));
    EXPECT_EQ(
        config::ReadIniValue(base::AnsiToWide(Installed("UserConfig.ini")), "UserCustom", "CloseAction"),
        "Exit");
}

TEST_F(Installer, InstallGivesUpWithoutTouchingAFileWhenTheProgramDoesNotEnd) {
    ASSERT_EQ(RunSetup(), 0u);
    WriteFileBytes(Installed("Velmora.exe"), "a Velmora.exe that is running");
    // A copy that holds the single-instance mutex but never ends (no window to ask). The name is the
    // program's own computation: the installer must arrive at the same one.
    const std::wstring name =
        app::InstanceMutexNameForPath(app::LongPathOf(base::AnsiToWide(Installed("Velmora.exe"))));
    base::UniqueHandle mutex(CreateMutexW(nullptr, FALSE, name.c_str()));
    ASSERT_TRUE(mutex);

    DWORD elapsed = 0;
    EXPECT_EQ(RunSetup(&elapsed), 2u);
    EXPECT_GE(elapsed, 9500u);
    EXPECT_EQ(ReadFileBytes(Installed("Velmora.exe")), "a Velmora.exe that is running");
    mutex.Reset();
    EXPECT_EQ(RunSetup(), 0u);
    EXPECT_NE(ReadFileBytes(Installed("Velmora.exe")), "a Velmora.exe that is running");
}

// Every thread of a process suspended while this lives, as a debugger or a stuck driver stops it.
class StoppedProcess {
  public:
    explicit StoppedProcess(DWORD processId) {
        base::UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
        THREADENTRY32 entry{};
        entry.dwSize = sizeof(entry);
        for (BOOL more = snapshot && Thread32First(snapshot.Get(), &entry); more;
             more = Thread32Next(snapshot.Get(), &entry)) {
            if (entry.th32OwnerProcessID != processId) {
                continue;
            }
            base::UniqueHandle thread(OpenThread(THREAD_SUSPEND_RESUME, FALSE, entry.th32ThreadID));
            if (thread && SuspendThread(thread.Get()) != static_cast<DWORD>(-1)) {
                threads_.push_back(std::move(thread));
            }
        }
    }
    ~StoppedProcess() {
        for (const base::UniqueHandle& thread : threads_) {
            ResumeThread(thread.Get());
        }
    }
    StoppedProcess(const StoppedProcess&) = delete;
    StoppedProcess& operator=(const StoppedProcess&) = delete;
    bool Stopped() const { return !threads_.empty(); }

  private:
    std::vector<base::UniqueHandle> threads_;
};

TEST_F(Installer, AStoppedCopyIsNotAskedToCloseSoItLivesOnOnceItRunsAgain) {
    ASSERT_EQ(RunSetup(), 0u);
    // A close request would end this copy (CloseAction=Exit).
    WriteFileBytes(Installed("UserConfig.ini"),
                   "[UserCustom]\r\nSkinPath=Skin\\Blue\\\r\nNeverRequire=1\r\nCloseAction=Exit\r\n");
    InstalledProgram program;
    HWND window = program.WaitForVisibleWindow();
    ASSERT_NE(window, nullptr);
    {
        StoppedProcess stopped(program.ProcessId());
        ASSERT_TRUE(stopped.Stopped());
        DWORD elapsed = 0;
        EXPECT_EQ(RunSetup(&elapsed), 2u);
        EXPECT_GE(elapsed, 9500u);
    }
    // Running again, it handles what was posted to it in order: a hide posted now comes after any
    // close request the installer had posted, which would have ended the program (its quit follows
    // at once) instead of leaving it hidden in the tray.
    PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(window) || program.Ended(0); }, 10000));
    EXPECT_FALSE(program.Ended(3000));
    EXPECT_TRUE(IsWindow(window));
}

TEST_F(Installer, SilentUninstallLeavesNothingButTheKeptSettings) {
    ASSERT_EQ(RunSetup(), 0u);
    const std::string exe = Installed("Velmora.exe");
    // What the program itself may have made: its shortcuts, the user-agent value, its log and crash dumps.
    ASSERT_TRUE(WriteLink(testsupport::DesktopLink(), exe));
    ASSERT_TRUE(CreateDirectoryW(testsupport::ProgramGroup().c_str(), nullptr));
    ASSERT_TRUE(WriteLink(testsupport::ProgramGroupLink(), exe));
    ASSERT_TRUE(WriteLink(testsupport::StartupLink(), exe));
    base::UniqueRegKey agent;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, webhost::UserAgentKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                              agent.Put(), nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(agent.Get(), webhost::UserAgentToken, 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
    agent.Reset();
    const std::string logFolder =
        base::WideToAnsi(testsupport::SpecialFolder(CSIDL_LOCAL_APPDATA)) + "\\Velmora";
    CreateDirectoryA(logFolder.c_str(), nullptr);
    WriteFileBytes(logFolder + "\\Velmora.log", "a line\r\n");
    CreateDirectoryA((logFolder + "\\crashes").c_str(), nullptr);
    WriteFileBytes(logFolder + "\\crashes\\Velmora-20261209-071500.dmp", "MDMP");
    WriteFileBytes(logFolder + "\\crashes\\LastCrash.txt", "Velmora-20261209-071500.dmp");
    WriteFileBytes(Installed("UserConfig.ini"), "[UserCustom]\r\nHotKey=3,90,49242\r\n");

    RunUninstaller();
    EXPECT_EQ(FileNamesBelow(InstallFolder()), (std::set<std::string>{"SysConfig.ini", "UserConfig.ini"}));
    EXPECT_EQ(config::ReadIniValue(base::AnsiToWide(Installed("UserConfig.ini")), "UserCustom", "HotKey"),
              "3,90,49242");
    EXPECT_FALSE(PathExists(Installed("Skin")));
    EXPECT_FALSE(PathExists(StartMenuLink()));
    EXPECT_FALSE(PathExists(testsupport::DesktopLink()));
    EXPECT_FALSE(PathExists(testsupport::ProgramGroup()));
    EXPECT_FALSE(PathExists(testsupport::StartupLink()));
    EXPECT_FALSE(RegKeyExists(kUninstallKey));
    EXPECT_FALSE(RegValueExists(webhost::UserAgentKey, webhost::UserAgentToken));
    EXPECT_FALSE(PathExists(logFolder));
}

TEST_F(Installer, UninstallRemovesTheFolderWhenNothingIsLeftInIt) {
    ASSERT_EQ(RunSetup(), 0u);
    DeleteFileA(Installed("SysConfig.ini").c_str());
    DeleteFileA(Installed("UserConfig.ini").c_str());
    RunUninstaller();
    EXPECT_FALSE(PathExists(InstallFolder()));
    EXPECT_FALSE(RegKeyExists(kUninstallKey));
}

TEST_F(Installer, UninstallWhileTheProgramRunsEndsItFirst) {
    ASSERT_EQ(RunSetup(), 0u);
    InstalledProgram program;
    ASSERT_NE(program.WaitForVisibleWindow(), nullptr);
    RunUninstaller();
    EXPECT_TRUE(program.Ended(0));
    EXPECT_FALSE(PathExists(Installed("Velmora.exe")));
    EXPECT_FALSE(RegKeyExists(kUninstallKey));
}
