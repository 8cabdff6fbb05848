#include "base/CrashReport.h"

#include <windows.h>
#include <dbghelp.h>
#include <shlobj.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "base/CrashDumps.h"
#include "base/Format.h"
#include "base/Handles.h"
#include "base/Log.h"
#include "base/Module.h"
#include "base/Text.h"

// How a crash is reported. The handlers run on the crashing thread, whose state may be anything: its
// stack nearly used up, a lock of the heap or of the loader held. So they only hand the crash to a
// helper thread made at install time and wait for it (with a time limit); the helper writes the dump
// and ends the process. This is the way the dump writer's documentation recommends: the crashing
// thread is not the one walking its own stack, a stack overflow leaves enough room for the hand-over,
// and no thread has to be started while the process is in that state. The helper first writes the
// dump and the marker naming it, with no heap of its own (the dump writer allocates some); the log
// line and the removal of old dumps come after, so that a broken heap costs those at worst.

namespace base {
namespace {

constexpr wchar_t kMarkerName[] = L"LastCrash.txt";
// A dump without the process's memory takes a second or two to write (several under Wine). A helper
// stuck on a lock the crashed thread holds must not keep a dead process around for long.
constexpr DWORD kReportTimeoutMs = 30000;
// What the thread that installs the handlers keeps of its stack for them after a stack overflow.
constexpr ULONG kStackGuaranteeBytes = 64 * 1024;
// The exceptions GCC's C++ runtime raises to throw: "GCC" with the customer bit (0x20474343), and
// its variants for unwinding in the next byte up.
constexpr DWORD kGccExceptionMask = 0x20FFFFFF;
constexpr DWORD kGccException = 0x20474343;
// Thread and module lists, the crashing thread's stack, no heap: small enough to keep several.
constexpr MINIDUMP_TYPE kDumpType =
    static_cast<MINIDUMP_TYPE>(MiniDumpNormal | MiniDumpWithUnloadedModules | MiniDumpWithThreadInfo);

// What the crashing thread hands to the helper.
struct CrashRequest {
    DWORD code = 0;
    DWORD threadId = 0;
    EXCEPTION_POINTERS* pointers = nullptr;
    // The description of a crash that is no system exception (std::terminate and the like).
    char description[300] = {};
};

// Everything the handlers use, set up at install time. Made once and never destroyed: a crash in a
// static destructor at exit must still be reported.
struct CrashState {
    // <local application data>\Velmora\ and its crashes\ folder, with trailing backslashes; empty
    // when there is no local application-data folder.
    std::wstring velmoraFolder;
    std::wstring folder;
    std::wstring markerPath;
    std::wstring dumpPattern;
    // The folder followed by room for a dump's name, which the helper writes in at the crash.
    std::wstring dumpPath;
    UniqueHandle requested;  // set by the crashing thread once the request is filled in
    UniqueHandle reported;   // set by the helper when it is done
    UniqueHandle helper;
    DWORD helperId = 0;
    std::atomic<DWORD> crashingThread{0};
    CrashRequest request;
};

CrashState* g_state = nullptr;

// Appends text to a fixed, null-terminated buffer, cutting what does not fit.
template <size_t N>
void AppendTo(char (&buffer)[N], const char* text) {
    size_t at = 0;
    while (at + 1 < N && buffer[at] != '\0') {
        ++at;
    }
    while (at + 1 < N && *text != '\0') {
        buffer[at++] = *text++;
    }
    buffer[at] = '\0';
}

std::wstring LocalAppDataFolder() {
    const DWORD needed = GetEnvironmentVariableW(L"LOCALAPPDATA", nullptr, 0);
    if (needed > 1) {
        std::wstring value(needed, L'\0');
        const DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", value.data(), needed);
        if (length > 0 && length < needed) {
            value.resize(length);
            return value;
        }
    }
    wchar_t folder[MAX_PATH] = {};
    if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))) {
        return folder;
    }
    return {};
}

std::string DescribeException(const EXCEPTION_RECORD& record) {
    switch (record.ExceptionCode) {
        case EXCEPTION_ACCESS_VIOLATION:
        case EXCEPTION_IN_PAGE_ERROR: {
            const char* kind =
                record.ExceptionCode == EXCEPTION_ACCESS_VIOLATION ? "access violation" : "page error";
            if (record.NumberParameters < 2) {
                return kind;
            }
            const ULONG_PTR operation = record.ExceptionInformation[0];
            return Format("%s %s address 0x%016llX", kind,
                          operation == 0   ? "reading"
                          : operation == 1 ? "writing"
                          : operation == 8 ? "executing"
                                           : "using",
                          static_cast<unsigned long long>(record.ExceptionInformation[1]));
        }
        case EXCEPTION_STACK_OVERFLOW:
            return "stack overflow";
        case EXCEPTION_ILLEGAL_INSTRUCTION:
            return "illegal instruction";
        case EXCEPTION_PRIV_INSTRUCTION:
            return "privileged instruction";
        case EXCEPTION_INT_DIVIDE_BY_ZERO:
            return "integer division by zero";
        case EXCEPTION_INT_OVERFLOW:
            return "integer overflow";
        case EXCEPTION_DATATYPE_MISALIGNMENT:
            return "misaligned data";
        case EXCEPTION_BREAKPOINT:
            return "breakpoint";
        case STATUS_HEAP_CORRUPTION:
            return "heap corruption";
        case STATUS_STACK_BUFFER_OVERRUN:
            return "stack buffer overrun";
        default:
            if (record.ExceptionCode >= EXCEPTION_FLT_DENORMAL_OPERAND &&
                record.ExceptionCode <= EXCEPTION_FLT_UNDERFLOW) {
                return "floating-point exception";
            }
            return "unhandled exception";
    }
}

// " in Velmora.exe+0x1A2B" for an address in a loaded module; empty otherwise.
std::string ModuleOffset(const void* address) {
    HMODULE module = nullptr;
    // (No address would name the executable.)
    if (!address || !GetModuleHandleExW(
                        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                        static_cast<const wchar_t*>(address), &module)) {
        return {};
    }
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
    std::wstring name(path, length);
    name.erase(0, name.find_last_of(L'\\') + 1);
    return Format(" in %s+0x%llX", WideToUtf8(name).c_str(),
                  static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(address) -
                                                  reinterpret_cast<uintptr_t>(module)));
}

// Leaves the helper thread out of the dump: it is only the dump writer, and Wine's writer would
// store its whole stack under the crashing thread's context.
BOOL CALLBACK LeaveOutHelper(void* parameter, const PMINIDUMP_CALLBACK_INPUT input,
                             PMINIDUMP_CALLBACK_OUTPUT output) {
    const DWORD helper = *static_cast<const DWORD*>(parameter);
    switch (input->CallbackType) {
        case IncludeThreadCallback:
            return input->IncludeThread.ThreadId != helper;
        case ThreadCallback:
        case ThreadExCallback:
            if (input->Thread.ThreadId == helper) {
                output->ThreadWriteFlags = 0;
            }
            return TRUE;
        case IncludeModuleCallback:
        case ModuleCallback:
            return TRUE;
        default:
            // No memory beyond the default, no cancelling, none of the other kinds of data.
            return FALSE;
    }
}

// Creates a new dump file named after the local time, with a sequence number when that name is
// taken; its name is written into state.dumpPath.
UniqueFile CreateDumpFile(CrashState& state, CrashDumpName& name) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    const CrashTime time{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
    for (int sequence = 1; sequence <= 99; ++sequence) {
        name = FormatCrashDumpName(time, sequence);
        wchar_t* out = state.dumpPath.data() + state.folder.size();
        for (size_t i = 0; i < kCrashDumpNameSize; ++i) {
            out[i] = static_cast<unsigned char>(name[i]);
        }
        UniqueFile file(CreateFileW(state.dumpPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file || GetLastError() != ERROR_FILE_EXISTS) {
            return file;
        }
    }
    return UniqueFile();
}

// Deletes the oldest dumps beyond the number kept, never the one just written.
void RemoveOldDumps(const CrashState& state, const char* newest) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    UniqueFind search(FindFirstFileW(state.dumpPattern.c_str(), &found));
    if (!search) {
        return;
    }
    do {
        names.push_back(WideToUtf8(found.cFileName));
    } while (FindNextFileW(search.Get(), &found));
    search.Reset();
    for (const std::string& name : CrashDumpsToDelete(names, newest)) {
        DeleteFileW((state.folder + Utf8ToWide(name)).c_str());
    }
}

// The helper's work: the dump, the marker for the next start, the log line, the old dumps.
void WriteReport(CrashState& state) {
    const CrashRequest& request = state.request;
    CrashDumpName name{};
    bool written = false;
    DWORD error = 0;
    if (!state.folder.empty()) {
        CreateDirectoryW(state.velmoraFolder.c_str(), nullptr);
        CreateDirectoryW(state.folder.c_str(), nullptr);
        if (UniqueFile dump = CreateDumpFile(state, name)) {
            MINIDUMP_EXCEPTION_INFORMATION exception{request.threadId, request.pointers, FALSE};
            // (No helper, id 0, when the crashing thread writes the dump itself.)
            DWORD helper = state.helperId;
            MINIDUMP_CALLBACK_INFORMATION callback{LeaveOutHelper, &helper};
            written = MiniDumpWriteDump(GetCurrentProcess(), GetCurrentProcessId(), dump.Get(), kDumpType,
                                        request.pointers ? &exception : nullptr, nullptr, &callback);
            error = written ? 0 : GetLastError();
            dump.Reset();
            if (!written) {
                DeleteFileW(state.dumpPath.c_str());
            }
        } else {
            error = GetLastError();
        }
        // The marker names the dump (nothing when there is none); the next start reports it.
        UniqueFile marker(CreateFileW(state.markerPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (marker && written) {
            DWORD count = 0;
            WriteFile(marker.Get(), name.data(), static_cast<DWORD>(strlen(name.data())), &count, nullptr);
        }
    }

    const EXCEPTION_RECORD* record = request.pointers ? request.pointers->ExceptionRecord : nullptr;
    const void* address = record ? record->ExceptionAddress : nullptr;
    const std::string what = request.description[0] != '\0' ? std::string(request.description)
                             : record                       ? DescribeException(*record)
                                                            : std::string("crash");
    const std::string dump = written ? "dump " + WideToUtf8(state.dumpPath.c_str())
                             : state.folder.empty()
                                 ? std::string("no dump (no local application-data folder)")
                                 : "no dump could be written (" + ErrorText(error) + ")";
    LogF("Crash: %s (code 0x%08lX) at 0x%016llX%s; %s", what.c_str(), request.code,
         static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(address)), ModuleOffset(address).c_str(),
         dump.c_str());
    if (written) {
        RemoveOldDumps(state, name.data());
    }
}

[[noreturn]] void EndProcess(DWORD code) {
    TerminateProcess(GetCurrentProcess(), code);
    // Not reached: the current process ends inside TerminateProcess.
    ExitProcess(code);
}

// Waits for a crash, reports it and ends the process itself: the crashing thread may not live to
// do it (a stack overflow can take it down while it waits), and the process must not then go on
// and end with the helper's own exit code.
DWORD WINAPI HelperThread(void* parameter) {
    CrashState& state = *static_cast<CrashState*>(parameter);
    WaitForSingleObject(state.requested.Get(), INFINITE);
    WriteReport(state);
    SetEvent(state.reported.Get());
    EndProcess(state.request.code);
}

// Reports the crash and ends the process with its code.
[[noreturn]] void ReportAndEnd(DWORD code, EXCEPTION_POINTERS* pointers, const char* description) {
    CrashState& state = *g_state;
    const DWORD self = GetCurrentThreadId();
    DWORD first = 0;
    if (!state.crashingThread.compare_exchange_strong(first, self)) {
        // A crash is already being reported. A second one on the same thread or on the helper means
        // the report itself failed: end at once, with the first crash's code where it is known. A crash
        // on another thread waits for the first report to end the process.
        if (first == self || self == state.helperId) {
            EndProcess(state.request.code != 0 ? state.request.code : code);
        }
        for (;;) {
            Sleep(INFINITE);
        }
    }
    state.request.code = code;
    state.request.threadId = self;
    state.request.pointers = pointers;
    if (description) {
        AppendTo(state.request.description, description);
    }
    if (state.helper) {
        SetEvent(state.requested.Get());
        WaitForSingleObject(state.reported.Get(), kReportTimeoutMs);
    } else {
        WriteReport(state);
    }
    EndProcess(code);
}

// For the crashes that are calls rather than exceptions: the report gets this thread's context at
// this point, so that the dump shows the stack that led here.
[[noreturn]] __attribute__((noinline)) void ReportHere(DWORD code, const char* description) {
    CONTEXT context{};
    RtlCaptureContext(&context);
    EXCEPTION_RECORD record{};
    record.ExceptionCode = code;
    record.ExceptionFlags = EXCEPTION_NONCONTINUABLE;
    record.ExceptionAddress = reinterpret_cast<void*>(context.Rip);
    EXCEPTION_POINTERS pointers{&record, &context};
    ReportAndEnd(code, &pointers, description);
}

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* pointers) {
    const EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
    // A C++ throw that no frame catches: continuing lets the C++ runtime call std::terminate
    // (OnTerminate below), which can still name the exception. The start-up code's own filter, which
    // this one replaces, does the same.
    if ((record.ExceptionCode & kGccExceptionMask) == kGccException &&
        (record.ExceptionFlags & EXCEPTION_NONCONTINUABLE) == 0) {
        return EXCEPTION_CONTINUE_EXECUTION;
    }
    ReportAndEnd(record.ExceptionCode, pointers, nullptr);
}

[[noreturn]] void OnTerminate() {
    // The exception being handled, if any, names the crash; this thread is intact, so rethrowing it
    // here is safe.
    char description[200] = {};
    if (const std::exception_ptr current = std::current_exception()) {
        try {
            std::rethrow_exception(current);
        } catch (const std::exception& e) {
            AppendTo(description, "std::terminate: uncaught exception: ");
            AppendTo(description, e.what());
        } catch (...) {
            AppendTo(description,
                     "std::terminate: uncaught exception of a type not derived from std::exception");
        }
    } else {
        AppendTo(description, "std::terminate without an exception (a pure virtual call, say)");
    }
    ReportHere(kCrashCodeTerminate, description);
}

void __cdecl OnPureCall() {
    ReportHere(kCrashCodePureCall, "pure virtual function call");
}

void __cdecl OnInvalidParameter(const wchar_t*, const wchar_t*, const wchar_t*, unsigned int, uintptr_t) {
    ReportHere(STATUS_INVALID_CRUNTIME_PARAMETER, "invalid parameter passed to a C runtime function");
}

}  // namespace

void InstallCrashHandler() {
    if (g_state) {
        return;
    }
    auto* state = new CrashState;
    std::wstring root = LocalAppDataFolder();
    if (!root.empty()) {
        if (root.back() != L'\\') {
            root += L'\\';
        }
        state->velmoraFolder = root + L"Velmora\\";
        state->folder = state->velmoraFolder + L"crashes\\";
        state->markerPath = state->folder + kMarkerName;
        state->dumpPattern = state->folder + L"Velmora-*.dmp";
        state->dumpPath = state->folder + std::wstring(kCrashDumpNameSize, L'\0');
    }
    state->requested.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    state->reported.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (state->requested && state->reported) {
        state->helper.Reset(CreateThread(nullptr, 0, HelperThread, state, 0, &state->helperId));
    }
    g_state = state;
    // Room on this thread's stack for the handlers after a stack overflow (by default a page or two
    // is left), for the hand-over to the helper.
    ULONG guarantee = kStackGuaranteeBytes;
    SetThreadStackGuarantee(&guarantee);

    SetUnhandledExceptionFilter(OnUnhandledException);
    std::set_terminate(OnTerminate);
    _set_invalid_parameter_handler(OnInvalidParameter);
    _set_purecall_handler(OnPureCall);
}

std::wstring CrashFolder() {
    return g_state ? g_state->folder : std::wstring();
}

void ReportPreviousCrash() {
    if (!g_state || g_state->markerPath.empty()) {
        return;
    }
    UniqueFile marker(CreateFileW(g_state->markerPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!marker) {
        return;
    }
    char text[kCrashDumpNameSize] = {};
    DWORD length = 0;
    ReadFile(marker.Get(), text, sizeof(text) - 1, &length, nullptr);
    marker.Reset();
    const std::string name(text, length);
    const std::wstring dump = g_state->folder + Utf8ToWide(name);
    if (IsCrashDumpName(name) && FileExists(dump)) {
        LogF("The previous run crashed; its dump is %s", WideToUtf8(dump).c_str());
    } else {
        Log("The previous run crashed; it left no dump");
    }
    DeleteFileW(g_state->markerPath.c_str());
}

}  // namespace base
