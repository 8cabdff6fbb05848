#include "support/TestFiles.h"

#include <atomic>
#include <stdexcept>

#include "base/Handles.h"
#include "base/Module.h"
#include "base/Text.h"

namespace testsupport {

TempFolder::TempFolder(const std::wstring& nameSuffix) {
    static std::atomic<int> counter{0};
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    std::wstring base(temp);
    if (!base.empty() && base.back() != L'\\') {
        base += L'\\';
    }
    for (;;) {
        path_ = base + L"velmora-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(GetTickCount()) + L"-" + std::to_wstring(counter++) + nameSuffix + L"\\";
        if (CreateDirectoryW(path_.c_str(), nullptr)) {
            break;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            throw std::runtime_error("cannot create " + base::WideToUtf8(path_));
        }
    }
    ansiPath_ = base::WideToAnsi(path_);
}

TempFolder::~TempFolder() {
    RemovePath(path_);
}

CurrentDirectory::CurrentDirectory(const std::wstring& path) {
    wchar_t cwd[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, cwd);
    saved_ = cwd;
    SetCurrentDirectoryW(path.c_str());
}

CurrentDirectory::CurrentDirectory(const std::string& path) : CurrentDirectory(base::AnsiToWide(path)) {}

CurrentDirectory::~CurrentDirectory() {
    SetCurrentDirectoryW(saved_.c_str());
}

std::vector<std::wstring> NamesMatching(const std::wstring& pattern) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    UniqueFind find(FindFirstFileW(pattern.c_str(), &found));
    if (find) {
        do {
            names.push_back(found.cFileName);
        } while (FindNextFileW(find.Get(), &found));
    }
    return names;
}

std::string ReadFileBytes(const std::wstring& path) {
    base::UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string content;
    if (!file) {
        return content;
    }
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file.Get(), buffer, sizeof(buffer), &read, nullptr) && read > 0) {
        content.append(buffer, read);
    }
    return content;
}

void WriteFileBytes(const std::wstring& path, const std::string& content) {
    base::UniqueFile file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!file ||
        !WriteFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr) ||
        written != content.size()) {
        throw std::runtime_error("cannot write " + base::WideToUtf8(path));
    }
}

bool PathExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void RemovePath(const std::wstring& path) {
    std::wstring p = path;
    while (!p.empty() && p.back() == L'\\') {
        p.pop_back();
    }
    DWORD attributes = GetFileAttributesW(base::FileSystemPath(p).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return;
    }
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        SetFileAttributesW(base::FileSystemPath(p).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(base::FileSystemPath(p).c_str());
        return;
    }
    WIN32_FIND_DATAW found;
    UniqueFind find(FindFirstFileW(base::FileSystemPath(p + L"\\*").c_str(), &found));
    if (find) {
        do {
            std::wstring name = found.cFileName;
            if (name != L"." && name != L"..") {
                RemovePath(p + L"\\" + name);
            }
        } while (FindNextFileW(find.Get(), &found));
    }
    find.Reset();  // the folder goes only once nothing has it open
    RemoveDirectoryW(base::FileSystemPath(p).c_str());
}

void CopyFolder(const std::wstring& from, const std::wstring& to) {
    CreateDirectoryW(to.c_str(), nullptr);
    WIN32_FIND_DATAW found;
    UniqueFind find(FindFirstFileW((from + L"\\*").c_str(), &found));
    if (!find) {
        return;
    }
    do {
        std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") {
            continue;
        }
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            CopyFolder(from + L"\\" + name, to + L"\\" + name);
        } else {
            CopyFileW((from + L"\\" + name).c_str(), (to + L"\\" + name).c_str(), FALSE);
        }
    } while (FindNextFileW(find.Get(), &found));
}

std::string ReadFileBytes(const std::string& path) {
    return ReadFileBytes(base::AnsiToWide(path));
}
void WriteFileBytes(const std::string& path, const std::string& content) {
    WriteFileBytes(base::AnsiToWide(path), content);
}
bool PathExists(const std::string& path) {
    return PathExists(base::AnsiToWide(path));
}
void RemovePath(const std::string& path) {
    RemovePath(base::AnsiToWide(path));
}
void CopyFolder(const std::string& from, const std::string& to) {
    CopyFolder(base::AnsiToWide(from), base::AnsiToWide(to));
}

namespace {

void CollectFiles(const std::string& folder, const std::string& prefix,
                  std::map<std::string, WIN32_FIND_DATAA>& files) {
    WIN32_FIND_DATAA data{};
    base::UniqueFind find(FindFirstFileA((folder + "*").c_str(), &data));
    if (!find) {
        return;
    }
    do {
        const std::string name = data.cFileName;
        if (name == "." || name == "..") {
            continue;
        }
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            CollectFiles(folder + name + "\\", prefix + name + "\\", files);
        } else {
            files[prefix + name] = data;
        }
    } while (FindNextFileA(find.Get(), &data));
}

}  // namespace

std::map<std::string, WIN32_FIND_DATAA> FilesBelow(const std::string& folder) {
    std::map<std::string, WIN32_FIND_DATAA> files;
    CollectFiles(folder.empty() || folder.back() == '\\' ? folder : folder + "\\", "", files);
    return files;
}

}  // namespace testsupport
