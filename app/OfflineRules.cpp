#include "app/OfflineRules.h"

#include <algorithm>

namespace app {
namespace {

void AppendHex(std::string& out, unsigned char byte, const char* digits) {
    out += digits[byte >> 4];
    out += digits[byte & 0x0F];
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

bool KeptInPath(unsigned char c) {
    if (c >= 0x80) {
        return true;  // part of a non-ASCII character: the protocol gets it as it is
    }
    const bool alphanumeric = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    return alphanumeric || c == '-' || c == '.' || c == '_' || c == '~' || c == ':';
}

}  // namespace

std::string OfflinePageUrl(std::string_view modulePath, std::string_view failedUrl) {
    std::string url = "res://";
    for (const char c : modulePath) {
        const auto byte = static_cast<unsigned char>(c);
        if (KeptInPath(byte)) {
            url += c;
        } else {
            url += '%';
            AppendHex(url, byte, "0123456789ABCDEF");
        }
    }
    url += '/';
    url += kOfflinePageName;
    url += '#';
    for (const char c : failedUrl) {
        AppendHex(url, static_cast<unsigned char>(c), "0123456789abcdef");
    }
    return url;
}

bool IsOfflinePageUrl(std::string_view url) {
    if (url.size() < 6 || !EqualNoCase(url.substr(0, 6), "res://")) {
        return false;
    }
    // The fragment is hexadecimal, so the last slash is the one before the resource name, even when
    // the module's path shows an unescaped '#'.
    const size_t slash = url.rfind('/');
    std::string_view name = url.substr(slash + 1);
    name = name.substr(0, name.find_first_of("?#"));
    return slash >= 6 && EqualNoCase(name, kOfflinePageName);
}

std::string AddressForLog(std::string_view url) {
    std::string address(url.substr(0, url.find_first_of("?#")));
    const size_t scheme = address.find("://");
    if (scheme == std::string::npos) {
        return address;
    }
    const size_t hostStart = scheme + 3;
    const size_t hostEnd = std::min(address.find('/', hostStart), address.size());
    const size_t at = address.rfind('@', hostEnd - 1);
    if (at != std::string::npos && at >= hostStart && at < hostEnd) {
        address.erase(hostStart, at + 1 - hostStart);
    }
    return address;
}

RetrySchedule::RetrySchedule(RetryIntervals intervals) : intervals_(intervals) {
    intervals_.shownMs = std::max<uint32_t>(intervals_.shownMs, 1);
}

uint32_t RetrySchedule::TickInterval() const {
    return intervals_.shownMs;
}

void RetrySchedule::Arm() {
    armed_ = true;
    sinceLastTryMs_ = 0;
}

void RetrySchedule::Disarm() {
    armed_ = false;
}

bool RetrySchedule::Tick(bool windowHidden) {
    if (!armed_) {
        return false;
    }
    sinceLastTryMs_ += intervals_.shownMs;
    if (windowHidden && sinceLastTryMs_ < intervals_.hiddenMs) {
        return false;
    }
    sinceLastTryMs_ = 0;
    return true;
}

}  // namespace app
