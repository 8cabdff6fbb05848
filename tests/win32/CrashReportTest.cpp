// The crash handler at work in a child process that crashes on purpose (tests/probes/CrashProbe.cpp),
// with LOCALAPPDATA pointing at a folder of the test's own: how the process ends, the dump and the
// log line it leaves, the next start's report, and how many dumps are kept.
#include <gtest/gtest.h>

#include <windows.h>
#include <dbghelp.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "base/CrashReport.h"
#include "base/Handles.h"
#include "base/Module.h"
#include "base/Text.h"
#include "support/TestFiles.h"

namespace {

using testsupport::NamesMatching;
using testsupport::PathExists;
using testsupport::ReadFileBytes;
using testsupport::TempFolder;
using testsupport::WriteFileBytes;

// Sets an environment variable of this process, and so of the children it starts, while it lives.
class ScopedVariable {
  public:
    ScopedVariable(const wchar_t* name, const std::wstring& value) : name_(name) {
        const DWORD length = GetEnvironmentVariableW(name, nullptr, 0);
        if (length > 0) {
            saved_.resize(length);
            saved_.resize(GetEnvironmentVariableW(name, saved_.data(), length));
            had_ = true;
        }
        SetEnvironmentVariableW(name, value.c_str());
    }
    ~ScopedVariable() { SetEnvironmentVariableW(name_, had_ ? saved_.c_str() : nullptr); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

  private:
    const wchar_t* name_;
    std::wstring saved_;
    bool had_ = false;
};

template <typename T>
bool ReadAt(const std::string& bytes, uint64_t offset, T& value) {
    if (offset > bytes.size() || bytes.size() - offset < sizeof(T)) {
        return false;
    }
    std::memcpy(&value, bytes.data() + offset, sizeof(T));
    return true;
}

bool UnderWine() {
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

// A minidump a debugger can open: the header, a stream directory and streams inside the file, a
// thread list, a module list, and an exception stream with the crash's code on one of the listed
// threads (unless crashingThreadListed is false).
testing::AssertionResult IsMinidumpOfCrash(const std::string& bytes, DWORD code,
                                           bool crashingThreadListed = true) {
    MINIDUMP_HEADER header{};
    if (!ReadAt(bytes, 0, header) || bytes.compare(0, 4, "MDMP") != 0 ||
        (header.Version & 0xFFFF) != MINIDUMP_VERSION) {
        return testing::AssertionFailure() << "no minidump header in " << bytes.size() << " bytes";
    }
    std::vector<DWORD> threads;
    ULONG32 modules = 0;
    MINIDUMP_EXCEPTION_STREAM exception{};
    for (ULONG32 i = 0; i < header.NumberOfStreams; ++i) {
        MINIDUMP_DIRECTORY entry{};
        if (!ReadAt(bytes, header.StreamDirectoryRva + uint64_t{i} * sizeof(entry), entry) ||
            entry.Location.Rva > bytes.size() ||
            bytes.size() - entry.Location.Rva < entry.Location.DataSize) {
            return testing::AssertionFailure() << "stream " << i << " past the end of the file";
        }
        const uint64_t rva = entry.Location.Rva;
        ULONG32 count = 0;
        if (entry.StreamType == ThreadListStream && ReadAt(bytes, rva, count)) {
            MINIDUMP_THREAD thread{};
            for (ULONG32 t = 0; t < count && ReadAt(bytes, rva + 4 + uint64_t{t} * sizeof(thread), thread);
                 ++t) {
                threads.push_back(thread.ThreadId);
            }
        } else if (entry.StreamType == ModuleListStream && ReadAt(bytes, rva, count) &&
                   entry.Location.DataSize >= 4 + uint64_t{count} * sizeof(MINIDUMP_MODULE)) {
            modules = count;
        } else if (entry.StreamType == ExceptionStream) {
            ReadAt(bytes, rva, exception);
        }
    }
    const bool listed = std::find(threads.begin(), threads.end(), exception.ThreadId) != threads.end();
    if (modules == 0 || exception.ExceptionRecord.ExceptionCode != code ||
        (crashingThreadListed && !listed)) {
        return testing::AssertionFailure()
               << header.NumberOfStreams << " streams, " << threads.size() << " threads, " << modules
               << " modules, exception 0x" << std::hex << exception.ExceptionRecord.ExceptionCode
               << " on thread " << std::dec << exception.ThreadId << (listed ? "" : ", not listed");
    }
    return testing::AssertionSuccess();
}

std::string Hex(DWORD code) {
    char text[16];
    snprintf(text, sizeof(text), "0x%08lX", code);
    return text;
}

size_t CountOf(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) {
        ++count;
    }
    return count;
}

class CrashReportTest : public testing::Test {
  protected:
    std::wstring CrashFolder() const { return root_.WidePath() + L"Velmora\\crashes\\"; }
    std::string LogText() const { return ReadFileBytes(root_.WidePath() + L"Velmora\\Velmora.log"); }
    std::vector<std::wstring> Dumps() const { return NamesMatching(CrashFolder() + L"*.dmp"); }

    // Runs the probe and answers its exit code; a probe that does not end is ended and fails the test.
    DWORD RunProbe(const std::wstring& kind) const {
        const std::wstring probe = base::ExeFolder() + L"crash_probe.exe";
        std::wstring commandLine = L"\"" + probe + L"\" " + kind;
        const ScopedVariable localAppData(L"LOCALAPPDATA",
                                          root_.WidePath().substr(0, root_.WidePath().size() - 1));
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION started{};
        // Wine now and then refuses a start right after the previous probe ended: a few more tries.
        bool startedOk = false;
        DWORD error = 0;
        for (int attempt = 0; attempt < 5 && !startedOk; ++attempt) {
            startedOk = CreateProcessW(probe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                       nullptr, &startup, &started) != FALSE;
            if (!startedOk) {
                error = GetLastError();
                Sleep(200);
            }
        }
        if (!startedOk) {
            ADD_FAILURE() << "cannot start " << base::WideToUtf8(probe) << " (error " << error << ")";
            return 0;
        }
        const base::UniqueHandle process(started.hProcess), thread(started.hThread);
        // Long enough for a start under Wine; a crash box or a debugger would keep it for ever.
        if (WaitForSingleObject(process.Get(), 60000) != WAIT_OBJECT_0) {
            TerminateProcess(process.Get(), 1);
            WaitForSingleObject(process.Get(), 10000);
            ADD_FAILURE() << base::WideToUtf8(kind) << ": the probe did not end";
            return 0;
        }
        DWORD code = 0;
        GetExitCodeProcess(process.Get(), &code);
        return code;
    }

    TempFolder root_;
};

struct CrashKind {
    const wchar_t* argument;
    DWORD code;
    const char* logged;
    // Wine's dump writer loses a thread whose stack is used up: the thread ends while the dump is
    // written (its context is still in the exception stream). Windows keeps it.
    bool threadLostUnderWine = false;
};

class CrashKindTest : public CrashReportTest, public testing::WithParamInterface<CrashKind> {};

TEST_P(CrashKindTest, EndsTheProcessWithItsCodeLeavingOneDumpAndOneLogLine) {
    const CrashKind& kind = GetParam();
    EXPECT_EQ(Hex(RunProbe(kind.argument)), Hex(kind.code));

    const std::vector<std::wstring> dumps = Dumps();
    ASSERT_EQ(dumps.size(), 1u);
    const std::wstring dump = CrashFolder() + dumps[0];
    EXPECT_TRUE(
        IsMinidumpOfCrash(ReadFileBytes(dump), kind.code, !(kind.threadLostUnderWine && UnderWine())));

    const std::string log = LogText();
    EXPECT_EQ(CountOf(log, "Crash: "), 1u) << log;
    EXPECT_NE(log.find(kind.logged), std::string::npos) << log;
    EXPECT_NE(log.find("(code " + Hex(kind.code) + ") at 0x"), std::string::npos) << log;
    EXPECT_NE(log.find("; dump " + base::WideToUtf8(dump) + "\r\n"), std::string::npos) << log;
    EXPECT_EQ(log.find("The previous run crashed"), std::string::npos) << log;
}

INSTANTIATE_TEST_SUITE_P(
    Crash, CrashKindTest,
    testing::Values(
        CrashKind{L"access-violation", EXCEPTION_ACCESS_VIOLATION,
                  "Crash: access violation writing address 0x0000000000000000"},
        CrashKind{L"stack-overflow", EXCEPTION_STACK_OVERFLOW, "Crash: stack overflow", true},
        CrashKind{L"terminate", base::kCrashCodeTerminate, "Crash: std::terminate without an exception"},
        CrashKind{L"exception", base::kCrashCodeTerminate,
                  "Crash: std::terminate: uncaught exception: thrown on purpose by the crash probe"},
        CrashKind{L"noexcept", base::kCrashCodeTerminate,
                  "Crash: std::terminate: uncaught exception: thrown"},
        CrashKind{L"pure-call", base::kCrashCodeTerminate, "Crash: std::terminate without an exception"},
        CrashKind{L"crt-pure-call", base::kCrashCodePureCall, "Crash: pure virtual function call"},
        CrashKind{L"invalid-parameter", STATUS_INVALID_CRUNTIME_PARAMETER, "Crash: invalid parameter"},
        // Both threads crash at once: one report, one dump.
        CrashKind{L"two-threads", EXCEPTION_ACCESS_VIOLATION, "Crash: access violation"}),
    [](const testing::TestParamInfo<CrashKind>& info) {
        std::string name = base::WideToUtf8(info.param.argument);
        std::replace(name.begin(), name.end(), '-', '_');
        return name;
    });

TEST_F(CrashReportTest, TheNextStartReportsThePreviousCrashOnce) {
    // A run without a crash leaves nothing and has nothing to report.
    EXPECT_EQ(RunProbe(L"report"), 0u);
    EXPECT_FALSE(PathExists(CrashFolder()));

    EXPECT_EQ(RunProbe(L"access-violation"), EXCEPTION_ACCESS_VIOLATION);
    const std::vector<std::wstring> dumps = Dumps();
    ASSERT_EQ(dumps.size(), 1u);
    EXPECT_EQ(RunProbe(L"report"), 0u);
    EXPECT_EQ(RunProbe(L"report"), 0u);
    const std::string log = LogText();
    EXPECT_EQ(CountOf(log, "The previous run crashed"), 1u) << log;
    EXPECT_NE(log.find("The previous run crashed; its dump is " + base::WideToUtf8(CrashFolder() + dumps[0]) +
                       "\r\n"),
              std::string::npos)
        << log;
    // Reporting keeps the dump.
    EXPECT_EQ(Dumps(), dumps);
}

TEST_F(CrashReportTest, ACrashWithSixDumpsPresentLeavesTheNewestFive) {
    CreateDirectoryW((root_.WidePath() + L"Velmora").c_str(), nullptr);
    CreateDirectoryW(CrashFolder().c_str(), nullptr);
    std::vector<std::wstring> old;
    for (int day = 1; day <= 6; ++day) {
        old.push_back(L"Velmora-2020010" + std::to_wstring(day) + L"-120000.dmp");
        WriteFileBytes(CrashFolder() + old.back(), "an old dump");
    }
    WriteFileBytes(CrashFolder() + L"notes.txt", "not a dump");

    EXPECT_EQ(RunProbe(L"access-violation"), EXCEPTION_ACCESS_VIOLATION);
    std::vector<std::wstring> kept = Dumps();
    std::sort(kept.begin(), kept.end());
    ASSERT_EQ(kept.size(), 5u);
    EXPECT_EQ(std::vector<std::wstring>(kept.begin(), kept.begin() + 4),
              std::vector<std::wstring>(old.begin() + 2, old.end()));
    EXPECT_TRUE(IsMinidumpOfCrash(ReadFileBytes(CrashFolder() + kept[4]), EXCEPTION_ACCESS_VIOLATION));
    EXPECT_TRUE(PathExists(CrashFolder() + L"notes.txt"));
}

}  // namespace
