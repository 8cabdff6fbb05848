// TOfflinePage: what the main window does when the platform cannot be reached. A failed top-level
// navigation is replaced by the page of our own carried in the executable's resources (see
// OfflineRules.h), and a timer on the main window navigates to the failed address again: every
// shown-interval while the window shows, at most every hidden-interval while it is hidden, until a
// navigation to another address begins. The owner passes the top-level navigation events in and says
// how to navigate; frames are the owner's to filter out.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "app/OfflineRules.h"
#include "base/LogRepeats.h"

namespace app {

// The offline page for a failed address, in this executable's resources.
std::wstring OfflinePageAddress(const std::wstring& failedUrl);
// Whether an address the browser reports is the offline page.
bool IsOfflinePage(const std::wstring& url);

class TOfflinePage {
  public:
    // window carries the retry timer, and its visibility sets the pace of the retries.
    explicit TOfflinePage(HWND window, RetryIntervals intervals = {});
    ~TOfflinePage();
    TOfflinePage(const TOfflinePage&) = delete;
    TOfflinePage& operator=(const TOfflinePage&) = delete;

    // How the page and the retries are opened: the owner's browser. May raise base::Error.
    std::function<void(const std::wstring& url)> Navigate;

    // A top-level navigation failed with statusCode. The error is logged (a failure that repeats with
    // every retry: once, then with its count hourly and when a navigation completes); unless the address is
    // empty or the offline page itself, the offline page is requested and the retry timer starts. Answers
    // whether the control's own error page is to be cancelled (it stays when ours cannot be opened).
    bool NavigateError(const std::wstring& url, long statusCode);
    // A top-level navigation begins: anything but the offline page stops the timer.
    void BeforeNavigate(const std::wstring& url);
    // A top-level navigation other than the offline page completed: the timer stops, and when it was
    // the failed address again, the log records that the retry got through.
    void NavigateComplete(const std::wstring& url);

    // The address that failed last, while the offline page stands in for it.
    const std::wstring& FailedUrl() const { return failedUrl_; }
    bool RetryTimerRunning() const { return timer_ != 0; }

  private:
    static void CALLBACK TimerProc(HWND window, UINT message, UINT_PTR id, DWORD time);
    void OnTimer();
    void StartTimer();
    void StopTimer();
    // Navigates; a failure is logged and answered false.
    bool Open(const std::wstring& url, const char* what);
    // Writes the counts of the failures not yet reported.
    void FlushFailures();

    HWND window_;
    RetrySchedule schedule_;
    UINT_PTR timer_ = 0;
    std::wstring failedUrl_;
    // The navigation under way goes to the failed address again.
    bool retryUnderWay_ = false;
    base::LogRepeats failures_;
};

}  // namespace app
