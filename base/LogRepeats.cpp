#include "base/LogRepeats.h"

#include <algorithm>

namespace base {

std::string LogRepeats::CountLine(const std::string& line, uint64_t repeats) {
    return line + " (" + std::to_string(repeats) + (repeats == 1 ? " more time)" : " more times)");
}

std::vector<std::string> LogRepeats::Occurred(const std::string& line, uint64_t nowMs) {
    std::vector<std::string> out;
    auto it = followed_.find(line);
    if (it == followed_.end()) {
        if (followed_.size() >= kMaxFollowed) {
            auto oldest = std::min_element(
                followed_.begin(), followed_.end(),
                [](const auto& a, const auto& b) { return a.second.order < b.second.order; });
            if (oldest->second.unreported > 0) {
                out.push_back(CountLine(oldest->first, oldest->second.unreported));
            }
            followed_.erase(oldest);
        }
        followed_.emplace(line, Followed{nowMs, 0, seen_++});
        out.push_back(line);
        return out;
    }
    Followed& f = it->second;
    ++f.unreported;
    if (nowMs - f.lastReportMs >= reportEveryMs_) {
        out.push_back(CountLine(line, f.unreported));
        f.unreported = 0;
        f.lastReportMs = nowMs;
    }
    return out;
}

std::vector<std::string> LogRepeats::Flush() {
    std::vector<std::string> out;
    std::vector<std::pair<uint64_t, std::string>> pending;
    for (const auto& [line, f] : followed_) {
        if (f.unreported > 0) {
            pending.emplace_back(f.order, CountLine(line, f.unreported));
        }
    }
    std::sort(pending.begin(), pending.end());
    out.reserve(pending.size());
    for (auto& [order, text] : pending) {
        out.push_back(std::move(text));
    }
    followed_.clear();
    return out;
}

}  // namespace base
