#include "config/IniFile.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <limits>
#include <optional>

#include "base/Error.h"
#include "base/Handles.h"
#include "base/Module.h"
#include "base/Log.h"
#include "base/Text.h"
#include "config/IniText.h"

namespace config {
namespace {

// A failed step: what was being done and the system's error code.
struct StepFailure {
    const char* step;
    DWORD error;
};

[[noreturn]] void Fail(const char* step, DWORD error = GetLastError()) {
    throw StepFailure{step, error};
}

std::function<void(const std::wstring&)>& ReplaceHook() {
    static std::function<void(const std::wstring&)> hook;
    return hook;
}

std::u16string ToUtf16(const std::wstring& text) {
    return std::u16string(text.begin(), text.end());
}

AnsiCodePage SystemCodePage() {
    AnsiCodePage page;
    page.encode = [](std::u16string_view text) {
        return base::WideToAnsi(std::wstring(text.begin(), text.end()));
    };
    page.isLeadByte = [](unsigned char b) { return IsDBCSLeadByte(b) != FALSE; };
    return page;
}

// The whole file, or nothing when there is no file yet.
std::optional<std::string> ReadExisting(const std::wstring& path) {
    base::UniqueFile file(CreateFileW(base::FileSystemPath(path).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        if (GetLastError() == ERROR_FILE_NOT_FOUND) {
            return std::nullopt;
        }
        Fail("opening the file");
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size)) {
        Fail("reading the file's size");
    }
    if (size.QuadPart > std::numeric_limits<int32_t>::max()) {
        Fail("reading the file", ERROR_FILE_TOO_LARGE);
    }
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() &&
        (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
         read != bytes.size())) {
        Fail("reading the file");
    }
    return bytes;
}

// A new, empty file beside the target: "<name>.<process>-<count>.tmp".
std::wstring CreateTemporaryBeside(const std::wstring& path, base::UniqueFile& file) {
    static std::atomic<unsigned> counter{0};
    for (;;) {
        std::wstring name = path + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" +
                            std::to_wstring(counter++) + L".tmp";
        file.Reset(CreateFileW(base::FileSystemPath(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file) {
            return name;
        }
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) {
            Fail("creating the temporary file");
        }
    }
}

void WriteAll(HANDLE file, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 24));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) {
            Fail("writing the temporary file");
        }
        done += written;
    }
    if (!FlushFileBuffers(file)) {
        Fail("flushing the temporary file");
    }
}

// The temporary file takes the original's place in one step: a rename over it. (ReplaceFileW is not
// one step everywhere: some implementations move the original aside first, which leaves a moment
// without any file.) The original's hidden, system and archive marks go over to the new file.
void PutInPlace(const std::wstring& temporary, const std::wstring& path, bool existed) {
    const DWORD attributes =
        existed ? GetFileAttributesW(base::FileSystemPath(path).c_str()) : INVALID_FILE_ATTRIBUTES;
    constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & kKept)) {
        SetFileAttributesW(base::FileSystemPath(temporary).c_str(), attributes & kKept);
    }
    if (!MoveFileExW(base::FileSystemPath(temporary).c_str(), base::FileSystemPath(path).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        Fail("replacing the file");
    }
}

// The process that made a temporary file of ours for the file named targetName:
// "<targetName>.<process>-<count>.tmp"; nothing for any other name.
std::optional<DWORD> TemporaryOwner(const std::wstring& name, const std::wstring& targetName) {
    const std::wstring suffix = L".tmp";
    if (name.size() <= targetName.size() + 1 + suffix.size() ||
        _wcsnicmp(name.c_str(), targetName.c_str(), targetName.size()) != 0 ||
        name[targetName.size()] != L'.' ||
        _wcsicmp(name.c_str() + name.size() - suffix.size(), suffix.c_str()) != 0) {
        return std::nullopt;
    }
    const std::wstring middle =
        name.substr(targetName.size() + 1, name.size() - targetName.size() - 1 - suffix.size());
    const size_t dash = middle.find(L'-');
    const auto digits = [](const std::wstring& text) {
        return !text.empty() && text.size() <= 10 &&
               std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
    };
    if (dash == std::wstring::npos || !digits(middle.substr(0, dash)) || !digits(middle.substr(dash + 1))) {
        return std::nullopt;
    }
    const unsigned long long process = std::stoull(middle.substr(0, dash));
    if (process > std::numeric_limits<DWORD>::max()) {
        return std::nullopt;
    }
    return static_cast<DWORD>(process);
}

bool ProcessRuns(DWORD process) {
    base::UniqueHandle handle(OpenProcess(SYNCHRONIZE, FALSE, process));
    if (!handle) {
        return GetLastError() == ERROR_ACCESS_DENIED;  // it runs, under another account
    }
    return WaitForSingleObject(handle.Get(), 0) == WAIT_TIMEOUT;
}

// A writer that was ended between writing its temporary file and the rename (the file itself is
// then intact) leaves the temporary file behind; the next write removes those of processes that no
// longer run. A failure here only means the litter stays.
void RemoveStaleTemporaries(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
    const std::wstring targetName = path.substr(folder.size());
    WIN32_FIND_DATAW found{};
    base::UniqueFind find(FindFirstFileW(base::FileSystemPath(path + L".*.tmp").c_str(), &found));
    if (!find) {
        return;
    }
    do {
        const std::optional<DWORD> owner = TemporaryOwner(found.cFileName, targetName);
        if (!owner || *owner == GetCurrentProcessId() || ProcessRuns(*owner)) {
            continue;
        }
        const std::wstring stale = folder + found.cFileName;
        if (DeleteFileW(base::FileSystemPath(stale).c_str())) {
            base::LogF("Removed %s, left by a write that was ended before it finished",
                       base::WideToUtf8(stale).c_str());
        }
    } while (FindNextFileW(find.Get(), &found));
}

void WriteThroughTemporary(const std::wstring& path, const std::string& bytes, bool existed) {
    base::UniqueFile file;
    const std::wstring temporary = CreateTemporaryBeside(path, file);
    try {
        WriteAll(file.Get(), bytes);
        file.Reset();
        if (ReplaceHook()) {
            ReplaceHook()(temporary);
        }
        PutInPlace(temporary, path, existed);
    } catch (...) {
        file.Reset();
        DeleteFileW(base::FileSystemPath(temporary).c_str());
        throw;
    }
}

}  // namespace

void WriteIniFileValue(const std::wstring& path, const std::string& section, const std::string& key,
                       const std::string& value) {
    WriteIniFileValues(path, section, {{key, value}});
}

void WriteIniFileValues(const std::wstring& path, const std::string& section, const IniKeyValues& values) {
    std::string keys;
    for (const auto& [key, value] : values) {
        keys += (keys.empty() ? "" : ", ") + key;
    }
    try {
        const std::optional<std::string> before = ReadExisting(path);
        std::string bytes = before.value_or("");
        bool changed = !before;
        for (const auto& [key, value] : values) {
            // The texts as C strings, as the profile routines take them.
            const IniAssignment assignment{ToUtf16(base::AnsiToWide(section.c_str())),
                                           ToUtf16(base::AnsiToWide(key.c_str())),
                                           ToUtf16(base::AnsiToWide(value.c_str()))};
            if (std::optional<std::string> after = SetIniValue(bytes, assignment, SystemCodePage())) {
                bytes = std::move(*after);
                changed = true;
            }
        }
        if (!changed) {
            return;  // every value is there already
        }
        WriteThroughTemporary(path, bytes, before.has_value());
        RemoveStaleTemporaries(path);
    } catch (const StepFailure& failure) {
        base::LogF("Writing %s of [%s] in %s: %s failed (%s)", keys.c_str(), section.c_str(),
                   base::WideToUtf8(path).c_str(), failure.step, base::ErrorText(failure.error).c_str());
        throw base::Error("Unable to write to " + base::WideToUtf8(path));
    } catch (const std::exception& e) {
        base::LogF("Writing %s of [%s] in %s: %s", keys.c_str(), section.c_str(),
                   base::WideToUtf8(path).c_str(), e.what());
        throw base::Error("Unable to write to " + base::WideToUtf8(path));
    }
}

void SetIniReplaceHookForTests(std::function<void(const std::wstring& temporaryPath)> hook) {
    ReplaceHook() = std::move(hook);
}

}  // namespace config
