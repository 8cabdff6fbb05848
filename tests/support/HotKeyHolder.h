// Another program holding a global hot key: tests/probes/HotKeyHolder.cpp, started beside the tests.
#pragma once

#include <windows.h>

#include "base/Handles.h"

namespace testsupport {

class HotKeyHolder {
  public:
    // Starts the holder and waits until the combination is held; raises std::runtime_error when it
    // cannot be started or does not get the key within 5 s.
    HotKeyHolder(UINT modifiers, UINT key);
    // Asks it to quit (it gives the key up) and waits; ends it forcibly only if that fails.
    ~HotKeyHolder();
    HotKeyHolder(const HotKeyHolder&) = delete;
    HotKeyHolder& operator=(const HotKeyHolder&) = delete;

  private:
    base::UniqueHandle process_;
    DWORD threadId_ = 0;
};

}  // namespace testsupport
