// Times how long programs take from CreateProcess to their first visible top-level window, and the
// working set they have at that moment. Not a test: it prints figures (scripts/bench).
//
//   startup_bench.exe <runs> <name>=<exe path> [<name>=<exe path> ...]
//
// Each program starts once to warm up, then the programs take turns (A B C A B C ...) so that what
// the machine is doing meanwhile falls on all of them alike. Every start runs in the program's own
// folder; the configuration files a program writes there are removed before each start, so that each
// start finds the same empty configuration. The program is ended as soon as its window is seen.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "base/Handles.h"

namespace {

struct Program {
    std::wstring name;
    std::wstring path;
    std::wstring folder;
    std::vector<double> milliseconds;
    std::vector<double> workingSetKb;
};

struct Search {
    DWORD processId;
    bool found;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window)) {
        search->found = true;
        return FALSE;
    }
    return TRUE;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

void RemoveConfiguration(const std::wstring& folder) {
    for (const wchar_t* name : {L"SysConfig.ini", L"UserConfig.ini", L"Version.dat"}) {
        DeleteFileW((folder + name).c_str());
    }
}

// Starts the program, waits for its first visible top-level window and ends it. False when it did not
// show a window within 30 s.
bool TimeOneStart(Program& program, bool record) {
    RemoveConfiguration(program.folder);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    std::wstring commandLine = L"\"" + program.path + L"\"";
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(program.path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        program.folder.c_str(), &startup, &info)) {
        std::printf("cannot start %ls (error %lu)\n", program.path.c_str(), GetLastError());
        return false;
    }
    base::UniqueHandle process(info.hProcess);
    base::UniqueHandle thread(info.hThread);
    Search search{info.dwProcessId, false};
    double elapsed = 0;
    while (!search.found && elapsed < 30000) {
        EnumWindows(&FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
        QueryPerformanceCounter(&now);
        elapsed = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
                  static_cast<double>(frequency.QuadPart);
        if (!search.found) {
            Sleep(1);
        }
    }
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof(memory);
    const bool measured = GetProcessMemoryInfo(process.Get(), &memory, sizeof(memory)) != FALSE;
    TerminateProcess(process.Get(), 0);
    WaitForSingleObject(process.Get(), 10000);
    if (!search.found) {
        std::printf("%ls showed no window within 30 s\n", program.name.c_str());
        return false;
    }
    if (record) {
        program.milliseconds.push_back(elapsed);
        program.workingSetKb.push_back(measured ? static_cast<double>(memory.WorkingSetSize) / 1024.0 : 0.0);
    }
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::printf("usage: startup_bench <runs> <name>=<exe path> ...\n");
        return 2;
    }
    const int runs = _wtoi(argv[1]);
    std::vector<Program> programs;
    for (int i = 2; i < argc; ++i) {
        const std::wstring arg = argv[i];
        const size_t eq = arg.find(L'=');
        const std::wstring path = arg.substr(eq + 1);
        programs.push_back({arg.substr(0, eq), path, path.substr(0, path.find_last_of(L'\\') + 1), {}, {}});
    }
    for (Program& program : programs) {
        if (!TimeOneStart(program, false)) {
            return 1;
        }
    }
    for (int run = 0; run < runs; ++run) {
        for (Program& program : programs) {
            if (!TimeOneStart(program, true)) {
                return 1;
            }
        }
    }
    std::printf("start to first visible window, %d interleaved starts each after one warm-up start\n", runs);
    std::printf("  %-10s %12s %12s %16s\n", "program", "median ms", "min ms", "working set KB");
    for (const Program& program : programs) {
        std::printf("  %-10ls %12.1f %12.1f %16.0f\n", program.name.c_str(), Median(program.milliseconds),
                    *std::min_element(program.milliseconds.begin(), program.milliseconds.end()),
                    Median(program.workingSetKb));
    }
    const Program& first = programs.front();
    for (size_t i = 1; i < programs.size(); ++i) {
        std::printf("  %ls / %ls: time %.2f x, working set %.2f x (medians)\n", first.name.c_str(),
                    programs[i].name.c_str(), Median(first.milliseconds) / Median(programs[i].milliseconds),
                    Median(first.workingSetKb) / std::max(1.0, Median(programs[i].workingSetKb)));
    }
    return 0;
}
