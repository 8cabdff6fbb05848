// The log's line format and roll-over rule. Platform-independent.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace base {

// The log file rolls over when a line would take it past this size; one older file is kept.
inline constexpr uint64_t kLogRollOverBytes = uint64_t{1024} * 1024;

struct LogTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
};

// "2026-12-08 12:45:35.123 message\r\n": one line, whatever the message holds (line breaks inside it
// become spaces, so that every entry stays one line).
std::string FormatLogLine(const LogTime& time, std::string_view message);

// Whether a file of currentSize bytes must roll over before a line of lineSize bytes is added. A line
// longer than the limit still goes into a fresh file.
bool LogNeedsRollOver(uint64_t currentSize, uint64_t lineSize, uint64_t limit = kLogRollOverBytes);

}  // namespace base
