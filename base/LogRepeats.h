// Folding a failure that repeats (an address that cannot be reached, retried every 15 seconds) into
// few log lines. Platform-independent.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace base {

// The first occurrence of a line is logged at once; its repeats are counted and reported as one line
// with their count at the latest an hour after the last line about it, and whenever the failure
// stops (Flush). Lines are told apart by their whole text.
class LogRepeats {
  public:
    static constexpr uint64_t kReportEveryMs = uint64_t{60} * 60 * 1000;
    // At most this many different lines are followed; the oldest is reported and dropped for a new one.
    static constexpr size_t kMaxFollowed = 16;

    explicit LogRepeats(uint64_t reportEveryMs = kReportEveryMs) : reportEveryMs_(reportEveryMs) {}

    // The lines to write now for one occurrence of `line` at nowMs (a monotonic clock).
    std::vector<std::string> Occurred(const std::string& line, uint64_t nowMs);
    // The count lines of every repeat not yet reported; nothing is followed afterwards.
    std::vector<std::string> Flush();

  private:
    struct Followed {
        uint64_t lastReportMs = 0;
        uint64_t unreported = 0;
        uint64_t order = 0;  // when it was first seen, for dropping the oldest
    };
    static std::string CountLine(const std::string& line, uint64_t repeats);

    uint64_t reportEveryMs_;
    uint64_t seen_ = 0;
    std::map<std::string, Followed> followed_;
};

}  // namespace base
