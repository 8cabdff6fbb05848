#include "support/TestFiles.h"

#include <atomic>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "base/Handles.h"

namespace testsupport {
namespace {

struct FindTraits {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Free(HANDLE h) { FindClose(h); }
};
using UniqueFind = base::Unique<HANDLE, FindTraits>;

}  // namespace

TempFolder::TempFolder() {
    static std::atomic<int> counter{0};
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string base(temp);
    if (!base.empty() && base.back() != '\\') {
        base += '\\';
    }
    for (;;) {
        path_ = base + "velmora-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(GetTickCount()) + "-" + std::to_string(counter++) + "\\";
        if (CreateDirectoryA(path_.c_str(), nullptr)) {
            break;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            throw std::runtime_error("cannot create " + path_);
        }
    }
}

TempFolder::~TempFolder() {
    RemovePath(path_);
}

CurrentDirectory::CurrentDirectory(const std::string& path) {
    char cwd[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, cwd);
    saved_ = cwd;
    SetCurrentDirectoryA(path.c_str());
}

CurrentDirectory::~CurrentDirectory() {
    SetCurrentDirectoryA(saved_.c_str());
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteFileBytes(const std::string& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}

bool PathExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void RemovePath(const std::string& path) {
    std::string p = path;
    while (!p.empty() && p.back() == '\\') {
        p.pop_back();
    }
    DWORD attributes = GetFileAttributesA(p.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return;
    }
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        SetFileAttributesA(p.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(p.c_str());
        return;
    }
    WIN32_FIND_DATAA found;
    UniqueFind find(FindFirstFileA((p + "\\*").c_str(), &found));
    if (find) {
        do {
            std::string name = found.cFileName;
            if (name != "." && name != "..") {
                RemovePath(p + "\\" + name);
            }
        } while (FindNextFileA(find.Get(), &found));
    }
    find.Reset();  // the folder goes only once nothing has it open
    RemoveDirectoryA(p.c_str());
}

void CopyFolder(const std::string& from, const std::string& to) {
    CreateDirectoryA(to.c_str(), nullptr);
    WIN32_FIND_DATAA found;
    UniqueFind find(FindFirstFileA((from + "\\*").c_str(), &found));
    if (!find) {
        return;
    }
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..") {
            continue;
        }
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            CopyFolder(from + "\\" + name, to + "\\" + name);
        } else {
            CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE);
        }
    } while (FindNextFileA(find.Get(), &found));
}

}  // namespace testsupport
