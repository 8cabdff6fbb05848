// Finds the standard message boxes that a process shows, reads them and presses OK, from a
// background thread, the way a user (or another program) would.
#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testsupport {

struct FoundBox {
    std::wstring caption;
    std::wstring text;
};

// The visible message boxes (dialog class "#32770") of a process.
std::vector<HWND> MessageBoxesOf(DWORD processId);
FoundBox ReadMessageBox(HWND box);
void PressOk(HWND box);

// While it lives, every message box of the given process (default: this one) is read and closed.
class MessageBoxWatcher {
  public:
    explicit MessageBoxWatcher(DWORD processId = GetCurrentProcessId());
    ~MessageBoxWatcher();
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    std::vector<FoundBox> Boxes() const;
    // Waits up to timeoutMs for at least count boxes.
    bool WaitFor(size_t count, int timeoutMs) const;

  private:
    void Run();

    DWORD processId_;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<FoundBox> boxes_;
    std::thread thread_;
};

}  // namespace testsupport
