#include "base/Log.h"

#include <windows.h>
#include <shlobj.h>

#include <exception>

#include "base/Format.h"
#include "base/Handles.h"
#include "base/Module.h"
#include "base/LogLine.h"
#include "base/Text.h"

namespace base {
namespace {

struct LogTarget {
    std::wstring path;
    uint64_t rollOverBytes = kLogRollOverBytes;
    bool resolved = false;
};

LogTarget& Target() {
    static LogTarget target;
    return target;
}

// %LOCALAPPDATA%\Velmora\Velmora.log, creating the Velmora folder; empty when that cannot be done.
std::wstring DefaultLogPath() {
    wchar_t folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))) {
        return {};
    }
    std::wstring path = std::wstring(folder) + L"\\Velmora";
    if (!CreateDirectoryW(path.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        return {};
    }
    return path + L"\\Velmora.log";
}

LogTime Now() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

// Appends the line, rolling the file over first when it would pass the limit. Each write opens the file
// afresh (appends are atomic, so two copies of the program can share it) and closes it again.
void AppendToFile(const LogTarget& target, const std::string& line) {
    const auto open = [&] {
        return UniqueFile(CreateFileW(FileSystemPath(target.path).c_str(), FILE_APPEND_DATA,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    };
    UniqueFile file = open();
    LARGE_INTEGER size{};
    if (file && GetFileSizeEx(file.Get(), &size) &&
        LogNeedsRollOver(static_cast<uint64_t>(size.QuadPart), line.size(), target.rollOverBytes)) {
        file.Reset();
        const std::wstring older = target.path + L".1";
        MoveFileExW(FileSystemPath(target.path).c_str(), FileSystemPath(older).c_str(),
                    MOVEFILE_REPLACE_EXISTING);
        file = open();
    }
    if (file) {
        DWORD written = 0;
        WriteFile(file.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    }
}

}  // namespace

void Log(std::string_view message) {
    const std::string line = FormatLogLine(Now(), message);
    OutputDebugStringW(Utf8ToWide(line).c_str());
    LogTarget& target = Target();
    if (!target.resolved) {
        target.path = DefaultLogPath();
        target.resolved = true;
    }
    if (!target.path.empty()) {
        AppendToFile(target, line);
    }
}

void LogF(const char* format, ...) {
    va_list args;
    va_start(args, format);
    const std::string message = FormatV(format, args);
    va_end(args);
    Log(message);
}

void LogCaughtException(const char* where) {
    try {
        throw;
    } catch (const std::exception& e) {
        LogF("%s: %s", where, e.what());
    } catch (...) {
        LogF("%s: an exception of unknown type", where);
    }
}

std::string SystemMessage(unsigned long code) {
    UniqueLocalMemory<wchar_t> buffer;
    const DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        code, 0, reinterpret_cast<wchar_t*>(buffer.Put()), 0, nullptr);
    std::wstring text = buffer ? std::wstring(buffer.Get(), n) : std::wstring();
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) {
        text.pop_back();
    }
    return WideToUtf8(text);
}

std::string ErrorText(unsigned long code) {
    const std::string text = SystemMessage(code);
    return Format("error %lu", code) + (text.empty() ? "" : ": " + text);
}

std::string HResultText(long result) {
    // A Win32 error carried in an HRESULT has its text under the error's own number.
    const DWORD code = static_cast<DWORD>(result);
    const std::string text =
        SystemMessage(HRESULT_FACILITY(result) == FACILITY_WIN32 ? HRESULT_CODE(result) : code);
    return Format("0x%08lX", static_cast<unsigned long>(code)) + (text.empty() ? "" : ": " + text);
}

std::wstring LogFilePath() {
    LogTarget& target = Target();
    if (!target.resolved) {
        target.path = DefaultLogPath();
        target.resolved = true;
    }
    return target.path;
}

void SetLogFile(const std::wstring& path, uint64_t rollOverBytes) {
    LogTarget& target = Target();
    target.path = path;
    target.resolved = !path.empty();
    target.rollOverBytes = rollOverBytes;
}

}  // namespace base
