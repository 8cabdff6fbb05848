// Points the program's log at a file of the test's own while it lives, so a test can read what a
// silent failure left there.
#pragma once

#include <string>

#include "base/Log.h"
#include "base/LogLine.h"
#include "base/Text.h"
#include "support/TestFiles.h"

namespace testsupport {

class LogCapture {
  public:
    LogCapture() { base::SetLogFile(base::AnsiToWide(path_), base::kLogRollOverBytes); }
    ~LogCapture() { base::SetLogFile(L"", base::kLogRollOverBytes); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    std::string Text() const { return ReadFileBytes(path_); }

  private:
    TempFolder folder_;
    std::string path_ = folder_.Path() + "test.log";
};

}  // namespace testsupport
