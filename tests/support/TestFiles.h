// Files and folders for tests that run on Windows (under Wine here): temporary folders that clean
// up after themselves, and whole-file reads and writes. Paths are wide (UTF-16); the ANSI forms are
// for tests whose paths the system code page can spell.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "base/Handles.h"

namespace testsupport {

// A fresh folder below the temporary directory, removed with everything in it at the end. A name
// suffix puts characters of one's choice into the folder's name.
class TempFolder {
  public:
    explicit TempFolder(const std::wstring& nameSuffix = L"");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    // With a trailing backslash.
    const std::wstring& WidePath() const { return path_; }
    // The same in the system code page.
    const std::string& Path() const { return ansiPath_; }

  private:
    std::wstring path_;
    std::string ansiPath_;
};

// Makes a folder the current directory while it lives; the previous one comes back at the end.
class CurrentDirectory {
  public:
    explicit CurrentDirectory(const std::wstring& path);
    explicit CurrentDirectory(const std::string& path);
    ~CurrentDirectory();
    CurrentDirectory(const CurrentDirectory&) = delete;
    CurrentDirectory& operator=(const CurrentDirectory&) = delete;

  private:
    std::wstring saved_;
};

// An open FindFirstFile search.
struct FindTraits {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Free(HANDLE h) { FindClose(h); }
};
using UniqueFind = base::Unique<HANDLE, FindTraits>;

// The names of the files and folders a FindFirstFile pattern matches ("." and ".." included).
std::vector<std::wstring> NamesMatching(const std::wstring& pattern);

std::string ReadFileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::string& content);
bool PathExists(const std::wstring& path);
// Deletes a file or a whole folder tree; missing paths are fine.
void RemovePath(const std::wstring& path);
void CopyFolder(const std::wstring& from, const std::wstring& to);

// Every file below a folder (subfolders included) by its name relative to the folder, with
// backslashes, and what the system says of it.
std::map<std::string, WIN32_FIND_DATAA> FilesBelow(const std::string& folder);

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& content);
bool PathExists(const std::string& path);
void RemovePath(const std::string& path);
void CopyFolder(const std::string& from, const std::string& to);

}  // namespace testsupport
