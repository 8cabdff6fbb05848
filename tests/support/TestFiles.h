// Files and folders for tests that run on Windows (under Wine here): temporary folders that clean
// up after themselves, and whole-file reads and writes.
#pragma once

#include <windows.h>

#include <string>

namespace testsupport {

// A fresh folder below the temporary directory, removed with everything in it at the end.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    // ANSI path with a trailing backslash.
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

// Makes a folder the current directory while it lives; the previous one comes back at the end.
class CurrentDirectory {
  public:
    explicit CurrentDirectory(const std::string& path);
    ~CurrentDirectory();
    CurrentDirectory(const CurrentDirectory&) = delete;
    CurrentDirectory& operator=(const CurrentDirectory&) = delete;

  private:
    std::string saved_;
};

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& content);
bool PathExists(const std::string& path);
// Deletes a file or a whole folder tree; missing paths are fine.
void RemovePath(const std::string& path);
void CopyFolder(const std::string& from, const std::string& to);

}  // namespace testsupport
