#include "app/OfflinePage.h"

#include "base/Error.h"
#include "base/Format.h"
#include "base/Log.h"
#include "base/Module.h"
#include "base/Text.h"

namespace app {
namespace {

// The executable's full path, wide: the folder may have any name a user can give it.
std::wstring ModulePath() {
    std::wstring path = base::ExePath();
    if (path.empty()) {
        throw base::Error("The program's own path is not known");
    }
    return path;
}

std::string LogAddress(const std::wstring& url) {
    return AddressForLog(base::WideToUtf8(url));
}

}  // namespace

std::wstring OfflinePageAddress(const std::wstring& failedUrl) {
    return base::Utf8ToWide(OfflinePageUrl(base::WideToUtf8(ModulePath()), base::WideToUtf8(failedUrl)));
}

bool IsOfflinePage(const std::wstring& url) {
    return IsOfflinePageUrl(base::WideToUtf8(url));
}

TOfflinePage::TOfflinePage(HWND window, RetryIntervals intervals) : window_(window), schedule_(intervals) {}

TOfflinePage::~TOfflinePage() {
    StopTimer();
    try {
        FlushFailures();  // the count of a failure that lasted until the end
    } catch (...) {
    }
}

bool TOfflinePage::NavigateError(const std::wstring& url, long statusCode) {
    const std::string failure = base::Format("Navigation failed: %s (status 0x%08lX)",
                                             LogAddress(url).c_str(), static_cast<unsigned long>(statusCode));
    for (const std::string& line : failures_.Occurred(failure, GetTickCount64())) {
        base::Log(line);
    }
    if (url.empty() || IsOfflinePage(url)) {
        // Nothing to try again; or the page of our own cannot show either, and the retries go on.
        return false;
    }
    failedUrl_ = url;
    retryUnderWay_ = false;
    StartTimer();
    std::wstring page;
    try {
        page = OfflinePageAddress(url);
    } catch (const base::Error&) {
        base::LogCaughtException("Opening the offline page");
        return false;
    }
    return Open(page, "Opening the offline page");
}

void TOfflinePage::BeforeNavigate(const std::wstring& url) {
    if (IsOfflinePage(url)) {
        return;
    }
    StopTimer();
    retryUnderWay_ = !failedUrl_.empty() && url == failedUrl_;
    if (!retryUnderWay_) {
        failedUrl_.clear();  // the user or the page went elsewhere
    }
}

void TOfflinePage::NavigateComplete(const std::wstring& url) {
    StopTimer();
    FlushFailures();
    if (retryUnderWay_ || (!failedUrl_.empty() && url == failedUrl_)) {
        base::LogF("Retry succeeded: %s", LogAddress(url).c_str());
    }
    retryUnderWay_ = false;
    failedUrl_.clear();
}

void TOfflinePage::FlushFailures() {
    for (const std::string& line : failures_.Flush()) {
        base::Log(line);
    }
}

void CALLBACK TOfflinePage::TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
    try {
        reinterpret_cast<TOfflinePage*>(id)->OnTimer();
    } catch (...) {
        base::LogCaughtException("The offline page's retry timer");
    }
}

void TOfflinePage::OnTimer() {
    const bool hidden = !IsWindowVisible(window_);
    if (!failedUrl_.empty() && schedule_.Tick(hidden)) {
        // A copy: the navigation's own events may clear the member while it runs.
        const std::wstring url = failedUrl_;
        Open(url, "Retrying the failed address");
    }
}

void TOfflinePage::StartTimer() {
    StopTimer();
    schedule_.Arm();
    // The timer's identifier is this object, which the procedure gets back.
    timer_ = SetTimer(window_, reinterpret_cast<UINT_PTR>(this), schedule_.TickInterval(), &TimerProc);
    if (timer_ == 0) {
        base::LogF("No retry timer for the offline page (%s)", base::ErrorText(GetLastError()).c_str());
    }
}

void TOfflinePage::StopTimer() {
    schedule_.Disarm();
    if (timer_ != 0) {
        KillTimer(window_, timer_);
        timer_ = 0;
    }
}

bool TOfflinePage::Open(const std::wstring& url, const char* what) {
    if (!Navigate) {
        return false;
    }
    try {
        Navigate(url);
        return true;
    } catch (const base::Error&) {
        base::LogCaughtException(what);
        return false;
    }
}

}  // namespace app
