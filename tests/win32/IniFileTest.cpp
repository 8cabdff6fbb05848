// The program's INI writer on real files: it must leave every file reading exactly as the system's
// own profile writer would (checked through the system's reader), keep every byte it does not
// target, and never leave a file empty or half written, whatever stops it.
#include "config/IniFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/Error.h"
#include "base/Handles.h"
#include "base/Module.h"
#include "base/Text.h"
#include "LogFile.h"
#include "support/ByteEdits.h"
#include "support/TestFiles.h"

using testsupport::ReadFileBytes;
using testsupport::TempFolder;
using testsupport::WriteFileBytes;

namespace {

struct CorpusFile {
    const char* name;
    std::string bytes;
    bool exists = true;
};

std::string Utf16Le(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (char16_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

// INI files as people and other programs leave them.
std::vector<CorpusFile> Corpus() {
    using namespace std::string_literals;
    return {
        {"plain", "[Orvane]\r\nDirectUrl=http://h/\r\nTipTimeOut=\r\n[UserCustom]\r\nHotKey=0,120,120\r\n"},
        {"quoted values",
         "[Orvane]\r\nDirectUrl=\"http://h/a "
         "b\"\r\nTipTimeOut='5'\r\n[UserCustom]\r\nCloseAction=\"hide\"\r\n"},
        {"other letter case", "[orvane]\r\ntiptimeout=3\r\n[USERCUSTOM]\r\nHOTKEY=1,2,3\r\nwindowpos=x\r\n"},
        {"duplicate keys",
         "[Orvane]\r\nTipTimeOut=1\r\nTipTimeOut=2\r\n[UserCustom]\r\nHotKey=a\r\nHotKey=b\r\n"},
        {"duplicate sections",
         "[UserCustom]\r\nA=1\r\n[Orvane]\r\nB=2\r\n[usercustom]\r\nHotKey=3\r\n[Orvane]\r\nTipTimeOut="
         "4\r\n"},
        {"spaces around =",
         "[Orvane]\r\n  TipTimeOut   =   7  \r\n[UserCustom]\r\n\tHotKey\t=\t0,120,120\t\r\n"},
        {"no final line end", "[Orvane]\r\nDirectUrl=x\r\n[UserCustom]\r\nCloseAction=hide"},
        {"CR only", "[Orvane]\rDirectUrl=http://h/\r; note\r[UserCustom]\rHotKey=1\r"},
        {"LF only", "[Orvane]\nDirectUrl=http://h/\n\n[UserCustom]\nShotCutRemind=1\n"},
        {"UTF-8 without mark",
         "[Orvane]\r\nDirectUrl=http://h/"
         "\xE4\xB8\xAD\xE6\x96\x87\r\n[UserCustom]\r\nNeverTip=\xE4\xB8\xAD\r\n"},
        {"UTF-8 with mark",
         "\xEF\xBB\xBF[Orvane]\r\nDirectUrl=http://h/\xE4\xB8\xAD\r\n[UserCustom]\r\nHotKey=1\r\n"},
        {"UTF-16LE with mark",
         Utf16Le(u"[Orvane]\r\nDirectUrl=http://h/中文\r\n[UserCustom]\r\nWindowPos=1\r\n")},
        {"comments",
         "; first\r\n# second\r\n[Orvane]\r\n;TipTimeOut=9\r\nDirectUrl=x ; not a comment\r\n"
         "[UserCustom]\r\n; HotKey=1\r\n"},
        {"empty values",
         "[Orvane]\r\nTipTimeOut=\r\nDirectUrl=\r\n[UserCustom]\r\nHotKey=\r\nWindowPos=\r\n"},
        {"lines before the first section", "TipTimeOut=4\r\nHotKey=x\r\n\r\n[Orvane]\r\nDirectUrl=x\r\n"},
        {"missing section", "[Other]\r\nTipTimeOut=1\r\nHotKey=2\r\n"},
        {"missing file", "", false},
        {"empty file", ""},
        {"blank lines everywhere",
         "\r\n\r\n[Orvane]\r\n\r\nDirectUrl=x\r\n\r\n\r\n[UserCustom]\r\n\r\nHotKey=1\r\n\r\n"},
        {"headers with blanks and text after them",
         "[ Orvane ] remark\r\nDirectUrl=x\r\n[\tUserCustom\t]\r\nHotKey=1\r\n"},
        {"keys without =", "[Orvane]\r\nTipTimeOut\r\n[UserCustom]\r\nHotKey\r\nCloseAction\r\n"},
        {"GBK text and a second byte that is ]",
         "[Orvane]\xB0\x5D\r\nDirectUrl=\xD6\xD0\xCE\xC4\r\n"
         "[UserCustom]\r\n\xB0\x5D=1\r\nHotKey=\xBF\xBC\r\n"},
        {"header without ]", "[Orvane]\r\n[UserCustom\r\nTipTimeOut=1\r\nHotKey=2\r\n"},
        {"zero byte in a value", "[Orvane]\r\nDirectUrl=http://h/a\0b\r\n[UserCustom]\r\nNeverTip=x\0y\r\n"s},
        {"DOS end of file", "[Orvane]\r\nDirectUrl=x\r\n[UserCustom]\r\nHotKey=1\r\n\x1A"},
        {"entries without names", "[Orvane]\r\n=x\r\nTipTimeOut=1\r\n=y\r\n[UserCustom]\r\n=z\r\n"},
        {"only blanks", " \t \r\n  \r\n"},
        {"a long line",
         "[Orvane]\r\nDirectUrl=" + std::string(3000, 'u') + "\r\n[UserCustom]\r\nHotKey=1\r\n"},
        {"form feed and vertical tab",
         "[Orvane]\x0B\r\n\x0C"
         "DirectUrl=x\r\n[UserCustom]\r\nHotKey=1\x0C\r\n"},
    };
}

struct Write {
    const wchar_t* section;
    const wchar_t* key;
    const wchar_t* value;
};

// Every value the program writes: the TipTimeOut default and what the five setters write.
const Write kProgramWrites[] = {
    {L"Orvane", L"TipTimeOut", L"10"},
    {L"UserCustom", L"AutoRegNextTime", L"1"},
    {L"UserCustom", L"CloseAction", L"exit"},
    {L"UserCustom", L"HotKey", L"3,90,49242"},
    {L"UserCustom", L"WindowPos", L"0,100,50,1024,700,200,100,800,600"},
    {L"UserCustom", L"ShotCutRemind", L"0"},
};

// Everything the system's reader sees: each section it lists, with all of its entries.
std::wstring ReadEverything(const std::wstring& path) {
    std::vector<wchar_t> names(1 << 16), entries(1 << 16);
    const DWORD n =
        GetPrivateProfileSectionNamesW(names.data(), static_cast<DWORD>(names.size()), path.c_str());
    std::wstring seen;
    for (const wchar_t* name = names.data(); name < names.data() + n && *name; name += wcslen(name) + 1) {
        seen += L"[" + std::wstring(name) + L"]\n";
        const DWORD m =
            GetPrivateProfileSectionW(name, entries.data(), static_cast<DWORD>(entries.size()), path.c_str());
        for (const wchar_t* entry = entries.data(); entry < entries.data() + m && *entry;
             entry += wcslen(entry) + 1) {
            seen += std::wstring(entry) + L"\n";
        }
    }
    return seen;
}

// The part of before that after replaced must lie within one line: every other line is untouched.
::testing::AssertionResult OnlyOneLineChanged(const std::string& before, const std::string& after,
                                              size_t unit) {
    const testsupport::ReplacedBytes removed = testsupport::FindReplacedBytes(before, after, unit);
    for (size_t i = 0; i < removed.bytes.size(); i += unit) {
        if (removed.bytes[i] == '\r' || removed.bytes[i] == '\n') {
            return ::testing::AssertionFailure() << "a line end was changed at byte " << removed.offset + i;
        }
    }
    return ::testing::AssertionSuccess();
}

size_t UnitOf(const std::string& bytes) {
    return bytes.starts_with("\xFF\xFE") ? 2 : 1;
}

}  // namespace

TEST(IniFile, EveryFileReadsAsTheSystemsOwnWriterWouldLeaveItAndOnlyTheTargetLineChanges) {
    TempFolder folder;
    const std::vector<CorpusFile> corpus = Corpus();
    ASSERT_GE(corpus.size(), 25u);
    for (const CorpusFile& file : corpus) {
        for (const Write& write : kProgramWrites) {
            SCOPED_TRACE(std::string(file.name) + ", " + base::WideToUtf8(write.key));
            const std::wstring ours = folder.WidePath() + L"ours.ini";
            const std::wstring system = folder.WidePath() + L"system.ini";
            testsupport::RemovePath(ours);
            testsupport::RemovePath(system);
            if (file.exists) {
                WriteFileBytes(ours, file.bytes);
                WriteFileBytes(system, file.bytes);
            }
            config::WriteIniFileValue(ours, base::WideToAnsi(write.section), base::WideToAnsi(write.key),
                                      base::WideToAnsi(write.value));
            ASSERT_TRUE(WritePrivateProfileStringW(write.section, write.key, write.value, system.c_str()));
            EXPECT_EQ(ReadEverything(ours), ReadEverything(system));
            EXPECT_TRUE(OnlyOneLineChanged(file.bytes, ReadFileBytes(ours), UnitOf(file.bytes)));
        }
    }
}

TEST(IniFile, AWriteStoppedBeforeTheReplaceLeavesTheOldFileAndNoTemporaryFile) {
    TempFolder folder;
    const std::wstring path = folder.WidePath() + L"SysConfig.ini";
    const std::string before = "[Orvane]\r\nDirectUrl=http://h/\r\n";
    WriteFileBytes(path, before);
    std::wstring temporary;
    std::string temporaryContent;
    config::SetIniReplaceHookForTests([&](const std::wstring& written) {
        temporary = written;
        temporaryContent = ReadFileBytes(written);
        throw base::Error("stopped");
    });
    try {
        config::WriteIniFileValue(path, "Orvane", "TipTimeOut", "10");
        ADD_FAILURE() << "the write should fail";
    } catch (const base::Error& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + base::WideToUtf8(path));
    }
    config::SetIniReplaceHookForTests(nullptr);
    // The temporary file was complete and beside the original; it is gone, the original unchanged.
    EXPECT_EQ(base::WideToUtf8(temporary).find(base::WideToUtf8(path)), 0u);
    EXPECT_EQ(temporaryContent, before + "TipTimeOut=10\r\n");
    EXPECT_FALSE(testsupport::PathExists(temporary));
    EXPECT_EQ(ReadFileBytes(path), before);
}

// A process that was started suspended, for its identifier: ended, or still there (suspended).
DWORD StartedProcess(bool end, base::UniqueHandle& keep) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    std::wstring commandLine = L"\"" + base::ExePath() + L"\" --gtest_list_tests";
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                        nullptr, &startup, &started)) {
        return 0;
    }
    base::UniqueHandle thread(started.hThread);
    keep.Reset(started.hProcess);
    if (end) {
        TerminateProcess(keep.Get(), 0);
        WaitForSingleObject(keep.Get(), 10000);
    }
    return started.dwProcessId;
}

TEST(IniFile, TemporaryFilesOfWritersThatNoLongerRunAreRemovedByTheNextWrite) {
    TempFolder folder;
    testsupport::LogFile log;
    const std::wstring path = folder.WidePath() + L"SysConfig.ini";
    WriteFileBytes(path, "[Orvane]\r\nDirectUrl=http://h/\r\n");
    base::UniqueHandle ended, running;
    const DWORD dead = StartedProcess(true, ended);
    const DWORD live = StartedProcess(false, running);
    ASSERT_NE(dead, 0u);
    ASSERT_NE(live, 0u);
    const auto temporary = [&](DWORD process) { return path + L"." + std::to_wstring(process) + L"-0.tmp"; };
    const std::vector<std::wstring> kept = {
        temporary(live), temporary(GetCurrentProcessId()), path + L".old.tmp",
        folder.WidePath() + L"UserConfig.ini." + std::to_wstring(dead) + L"-0.tmp"};
    for (const std::wstring& file : kept) {
        WriteFileBytes(file, "someone's");
    }
    WriteFileBytes(temporary(dead), "[Orvane]\r\nDirectUrl=http://h/\r\nTipTimeOut=10\r\n");

    config::WriteIniFileValue(path, "Orvane", "TipTimeOut", "10");
    TerminateProcess(running.Get(), 0);

    EXPECT_FALSE(testsupport::PathExists(temporary(dead)));
    for (const std::wstring& file : kept) {
        EXPECT_TRUE(testsupport::PathExists(file)) << base::WideToUtf8(file);
    }
    EXPECT_NE(log.Text().find("Removed " + base::WideToUtf8(temporary(dead))), std::string::npos)
        << log.Text();
}

TEST(IniFile, WritesThatCannotBeDoneRaiseAndLeaveNothingBehind) {
    TempFolder folder;
    // A folder where the file should be.
    const std::wstring blocked = folder.WidePath() + L"UserConfig.ini";
    ASSERT_TRUE(CreateDirectoryW(blocked.c_str(), nullptr));
    EXPECT_THROW(config::WriteIniFileValue(blocked, "UserCustom", "HotKey", "0,120,120"), base::Error);
    // A folder that does not exist.
    const std::wstring nowhere = folder.WidePath() + L"missing\\UserConfig.ini";
    try {
        config::WriteIniFileValue(nowhere, "UserCustom", "HotKey", "0,120,120");
        ADD_FAILURE() << "the write should fail";
    } catch (const base::Error& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + base::WideToUtf8(nowhere));
    }
    std::vector<std::wstring> names = testsupport::NamesMatching(folder.WidePath() + L"*");
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L".", L"..", L"UserConfig.ini"}));
}

TEST(IniFile, AFileThatAlreadyHoldsTheValueIsNotWritten) {
    TempFolder folder;
    const std::wstring path = folder.WidePath() + L"SysConfig.ini";
    WriteFileBytes(path, "[Orvane]\r\nTipTimeOut = 10\r\n");
    int replaced = 0;
    config::SetIniReplaceHookForTests([&](const std::wstring&) { ++replaced; });
    config::WriteIniFileValue(path, "orvane", "TIPTIMEOUT", "10");
    config::WriteIniFileValue(path, "Orvane", "TipTimeOut", "11");
    config::SetIniReplaceHookForTests(nullptr);
    EXPECT_EQ(replaced, 1);
    EXPECT_EQ(ReadFileBytes(path), "[Orvane]\r\nTipTimeOut = 11\r\n");
}

TEST(IniFile, KillingAWriterAtAnyMomentLeavesTheOldOrTheNewFileNeverAPartOfOne) {
    TempFolder folder;
    const std::wstring path = folder.WidePath() + L"SysConfig.ini";
    // About 10 MB after the key, so that each write takes long enough to be cut at every step.
    const std::string head = "[Orvane]\r\nDirectUrl=http://h/\r\nTipTimeOut=";
    std::string tail = "\r\n[Filler]\r\n";
    for (int i = 0; tail.size() < 10'000'000; ++i) {
        tail += "Key" + std::to_string(i) + "=" + std::string(80, 'x') + "\r\n";
    }
    const std::string versions[] = {head + "0" + tail, head + "1" + tail, head + "22" + tail};
    WriteFileBytes(path, versions[0]);
    const std::wstring probe = base::ExeFolder() + L"ini_writer_probe.exe";
    int leftovers = 0;
    std::string outcomes;
    for (int cut = 0; cut < 24; ++cut) {
        SCOPED_TRACE("kill " + std::to_string(cut));
        DeleteFileW((path + L".started").c_str());
        std::wstring commandLine = L"\"" + probe + L"\" \"" + path + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION started{};
        ASSERT_TRUE(CreateProcessW(probe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &startup, &started));
        base::UniqueHandle process(started.hProcess), thread(started.hThread);
        const DWORD begin = GetTickCount();
        while (!testsupport::PathExists(path + L".started") && GetTickCount() - begin < 20000) {
            Sleep(5);
        }
        // Spread over the first few writes, so that kills land while the file is read, while the
        // temporary file is written and flushed, and around the rename.
        Sleep(static_cast<DWORD>(cut * 29));
        TerminateProcess(process.Get(), 9);
        ASSERT_EQ(WaitForSingleObject(process.Get(), 20000), WAIT_OBJECT_0);
        const std::string now = ReadFileBytes(path);
        EXPECT_TRUE(now == versions[0] || now == versions[1] || now == versions[2]) << now.size() << " bytes";
        outcomes += now == versions[0] ? '0' : now == versions[1] ? '1' : now == versions[2] ? '2' : '?';
        // A temporary file the kill left behind is the writer's only trace; it never replaces anything.
        for (const std::wstring& name : testsupport::NamesMatching(path + L".*.tmp")) {
            ++leftovers;
            DeleteFileW((folder.WidePath() + name).c_str());
        }
    }
    RecordProperty("TemporaryFilesLeftByKills", leftovers);
    RecordProperty("Outcomes", outcomes);
}
