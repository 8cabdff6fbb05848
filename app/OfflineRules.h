// The offline page's address and the decisions of its retry timer. Platform-independent.
//
// When the platform cannot be reached, the main window shows a page of its own, an HTML resource of
// the executable opened as res://<executable>/offline.html#<failed address>, and navigates to the
// failed address again on a timer until a navigation gets through or goes elsewhere.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace app {

// The page's resource name (resource type 23, RT_HTML). Resource names are upper case in the module
// and matched without regard to case.
inline constexpr char kOfflinePageName[] = "offline.html";

struct RetryIntervals {
    // How often the failed address is tried again while the main window shows,
    uint32_t shownMs = 15000;
    // and at most how often while it is hidden.
    uint32_t hiddenMs = 60000;
};

// The offline page of the module at modulePath for a failed address (both UTF-8). The path goes in
// percent-encoded: every ASCII character but letters, digits and "-._~:" becomes %XX (a backslash
// %5C, a space %20, '#' %23, '%' %25), since the res protocol unescapes the path before it opens the
// module; other characters stay as they are, so a folder with a Chinese name reaches the protocol
// unchanged. The failed address travels in the fragment as the hexadecimal digits of its UTF-8 bytes:
// nothing in it can then be taken for a slash, a fragment or an escape by any layer in between.
std::string OfflinePageUrl(std::string_view modulePath, std::string_view failedUrl);

// Whether a reported address is the offline page: a res:// address whose last path part, before any
// query or fragment, is the page's name, whatever module it names and however its path is escaped.
bool IsOfflinePageUrl(std::string_view url);

// An address as the log may show it: without user name and password, query string and fragment,
// which may carry credentials or tickets.
std::string AddressForLog(std::string_view url);

// When the retry timer navigates again. The timer ticks every TickInterval() while it is armed; a
// shown window tries at every tick, a hidden one only once hiddenMs have passed since the timer was
// armed or last tried.
class RetrySchedule {
  public:
    explicit RetrySchedule(RetryIntervals intervals);

    uint32_t TickInterval() const;
    // The offline page has gone up: start counting.
    void Arm();
    // A navigation has begun or completed: no more ticks until armed again.
    void Disarm();
    bool Armed() const { return armed_; }
    // One tick of the timer; answers whether to navigate to the failed address now.
    bool Tick(bool windowHidden);

  private:
    RetryIntervals intervals_;
    bool armed_ = false;
    uint64_t sinceLastTryMs_ = 0;
};

}  // namespace app
