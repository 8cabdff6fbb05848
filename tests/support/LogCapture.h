// Points the program's log at a file of its own for as long as the object lives, so that a test can
// read what was logged.
#pragma once

#include <string>

#include "base/Log.h"
#include "base/LogLine.h"
#include "support/TestFiles.h"

namespace testsupport {

class LogCapture {
  public:
    LogCapture() : path_(folder_.WidePath() + L"captured.log") {
        base::SetLogFile(path_, base::kLogRollOverBytes);
    }
    ~LogCapture() { base::SetLogFile(L"", base::kLogRollOverBytes); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    // Everything logged so far (UTF-8).
    std::string Text() const { return ReadFileBytes(path_); }

  private:
    TempFolder folder_;
    std::wstring path_;
};

}  // namespace testsupport
