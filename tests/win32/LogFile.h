// Sends the program's log to a file of the test's own while it lives, and back to its usual place
// afterwards, so a test can read what a silent failure left there.
#pragma once

#include <cstdint>
#include <string>

#include "base/Log.h"
#include "base/LogLine.h"
#include "base/Text.h"
#include "support/TestFiles.h"

namespace testsupport {

class LogFile {
  public:
    explicit LogFile(uint64_t rollOverBytes = base::kLogRollOverBytes) : path_(folder_.Path() + "test.log") {
        base::SetLogFile(base::AnsiToWide(path_), rollOverBytes);
    }
    ~LogFile() { base::SetLogFile(L"", base::kLogRollOverBytes); }
    LogFile(const LogFile&) = delete;
    LogFile& operator=(const LogFile&) = delete;

    const std::string& Path() const { return path_; }
    std::string Text() const { return ReadFileBytes(path_); }

  private:
    TempFolder folder_;
    std::string path_;
};

}  // namespace testsupport
