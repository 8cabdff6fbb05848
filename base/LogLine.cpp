#include "base/LogLine.h"

#include "base/Format.h"

namespace base {

std::string FormatLogLine(const LogTime& time, std::string_view message) {
    std::string line = Format("%04d-%02d-%02d %02d:%02d:%02d.%03d ", time.year, time.month, time.day,
                              time.hour, time.minute, time.second, time.millisecond);
    line.reserve(line.size() + message.size() + 2);
    for (char c : message) {
        line.push_back(c == '\r' || c == '\n' ? ' ' : c);
    }
    line += "\r\n";
    return line;
}

bool LogNeedsRollOver(uint64_t currentSize, uint64_t lineSize, uint64_t limit) {
    return currentSize > 0 && currentSize + lineSize > limit;
}

}  // namespace base
