// Waiting for a condition while this thread's windows go on working, and actions run later from
// the message loop (for example inside a modal loop that a test has started).
#pragma once

#include <windows.h>

#include <functional>

namespace testsupport {

// Checks the condition until it holds or timeoutMs has passed, handling this thread's messages in
// between; answers whether it holds.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 5000);

// Handles this thread's messages for a fixed time. Only for checks that something does not happen;
// the caller says why the time is long enough.
void PumpFor(int milliseconds);

// Keeps what a test shows on screen for VELMORA_TEST_HOLD_MS milliseconds (none when unset), for a
// screenshot taken from outside: the docs' pictures of states only a test can set up.
void HoldForScreenshot();

// Runs an action from the message loop shortly after, for example inside a modal loop.
class LaterAction {
  public:
    static void Schedule(std::function<void()> action, UINT delayMs = 30);

  private:
    static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD);
};

}  // namespace testsupport
