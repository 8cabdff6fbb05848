// A program that installs the crash handler as Velmora.exe does and then crashes on purpose, in the
// way its argument names. Its log goes to Velmora\Velmora.log below LOCALAPPDATA from the
// environment, next to the crashes folder, so that a test pointing LOCALAPPDATA at a folder of its
// own finds both there.
//   crash_probe access-violation | stack-overflow | terminate | exception | noexcept | pure-call |
//               invalid-parameter | crt-pure-call | two-threads | report
// "report" crashes not: it only reports the previous crash and ends with 0. An unknown kind ends
// with 2.
#include <windows.h>

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <thread>

#include "base/CrashReport.h"
#include "base/Handles.h"
#include "base/Log.h"

namespace {

// Keeps the compiler from proving the crashes below away.
volatile int* volatile g_nowhere = nullptr;

void AccessViolation() {
    *g_nowhere = 1;
}

// Recursion the optimiser cannot turn into a loop (each frame's buffer is used after the call) and
// that never reaches its limit.
volatile int g_depthLimit = 1 << 30;
int Recurse(int depth) {
    volatile char buffer[4096];
    buffer[0] = static_cast<char>(depth);
    if (depth >= g_depthLimit) {
        return 0;
    }
    return Recurse(depth + 1) + buffer[0];
}

void ThrowThrough() {
    throw std::runtime_error("thrown on purpose by the crash probe");
}

void ThrowFromNoexcept() noexcept {
    ThrowThrough();
}

}  // namespace

// A pure virtual call the compiler lets through: the base-class destructor calls the pure function
// through a pointer it loads from a volatile, while the object is a Base again. Outside the anonymous
// namespace, so that the compiler cannot know every class derived from Base and drop the call.
struct ProbeBase {
    virtual ~ProbeBase();
    virtual void Pure() = 0;
};
struct ProbeDerived : ProbeBase {
    void Pure() override {}
};
ProbeBase* volatile g_destroyed = nullptr;
ProbeBase::~ProbeBase() {
    g_destroyed = this;
    g_destroyed->Pure();
}

namespace {

// Two threads crashing at once: only one report may come of it.
void TwoThreads() {
    const base::UniqueHandle go(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    std::thread other([&go] {
        WaitForSingleObject(go.Get(), INFINITE);
        AccessViolation();
    });
    SetEvent(go.Get());
    AccessViolation();
    other.join();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        return 2;
    }
    const std::string kind = argv[1];
    if (const wchar_t* root = _wgetenv(L"LOCALAPPDATA")) {
        const std::wstring folder = std::wstring(root) + L"\\Velmora";
        CreateDirectoryW(folder.c_str(), nullptr);
        base::SetLogFile(folder + L"\\Velmora.log");
    }
    base::InstallCrashHandler();
    base::ReportPreviousCrash();

    if (kind == "report") {
        return 0;
    } else if (kind == "access-violation") {
        AccessViolation();
    } else if (kind == "stack-overflow") {
        return Recurse(0);
    } else if (kind == "terminate") {
        std::terminate();
    } else if (kind == "exception") {
        ThrowThrough();
    } else if (kind == "noexcept") {
        ThrowFromNoexcept();
    } else if (kind == "pure-call") {
        ProbeDerived object;
    } else if (kind == "invalid-parameter") {
        // The runtime in use reports no invalid parameter to a handler (see base/CrashReport.h), so this
        // calls the handler it holds, as a runtime that does would.
        _get_invalid_parameter_handler()(nullptr, nullptr, nullptr, 0, 0);
    } else if (kind == "crt-pure-call") {
        // Likewise; this runtime has no _get_purecall_handler, but setting one answers the one held.
        const _purecall_handler handler = _set_purecall_handler(nullptr);
        handler();
    } else if (kind == "two-threads") {
        TwoThreads();
    }
    return 2;
}
