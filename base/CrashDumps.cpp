#include "base/CrashDumps.h"

#include <algorithm>
#include <optional>

namespace base {
namespace {

constexpr std::string_view kPrefix = "Velmora-";
constexpr std::string_view kExtension = ".dmp";
// "YYYYMMDD-HHMMSS"
constexpr size_t kStampLength = 15;
constexpr int kMaxSequence = 99;

// Writes value as exactly `digits` decimal digits, with leading zeros; answers the end.
char* PutDigits(char* out, int value, int digits) {
    value = std::max(value, 0);
    for (int i = digits - 1; i >= 0; --i) {
        out[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    return out + digits;
}

char* PutText(char* out, std::string_view text) {
    return std::copy(text.begin(), text.end(), out);
}

bool AllDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// What orders dumps: the time stamp in the name (its digits sort as the time does), then the
// sequence number of dumps within the same second.
struct DumpKey {
    std::string_view stamp;
    int sequence = 1;
    bool operator<(const DumpKey& other) const {
        return stamp != other.stamp ? stamp < other.stamp : sequence < other.sequence;
    }
};

std::optional<DumpKey> ParseDumpName(std::string_view name) {
    if (name.size() < kPrefix.size() + kStampLength + kExtension.size() || !name.starts_with(kPrefix) ||
        !name.ends_with(kExtension)) {
        return std::nullopt;
    }
    const std::string_view middle =
        name.substr(kPrefix.size(), name.size() - kPrefix.size() - kExtension.size());
    if (!AllDigits(middle.substr(0, 8)) || middle[8] != '-' || !AllDigits(middle.substr(9, 6))) {
        return std::nullopt;
    }
    DumpKey key{middle.substr(0, kStampLength)};
    const std::string_view tail = middle.substr(kStampLength);
    if (!tail.empty()) {
        // "-2" to "-99", as FormatCrashDumpName writes them: no leading zero, never "-1".
        const std::string_view number = tail.substr(1);
        if (tail[0] != '-' || number.size() > 2 || !AllDigits(number) || number[0] == '0') {
            return std::nullopt;
        }
        key.sequence = number.size() == 1 ? number[0] - '0' : (number[0] - '0') * 10 + (number[1] - '0');
        if (key.sequence < 2) {
            return std::nullopt;
        }
    }
    return key;
}

}  // namespace

CrashDumpName FormatCrashDumpName(const CrashTime& time, int sequence) {
    CrashDumpName name{};
    char* out = PutText(name.data(), kPrefix);
    out = PutDigits(out, time.year, 4);
    out = PutDigits(out, time.month, 2);
    out = PutDigits(out, time.day, 2);
    *out++ = '-';
    out = PutDigits(out, time.hour, 2);
    out = PutDigits(out, time.minute, 2);
    out = PutDigits(out, time.second, 2);
    sequence = std::min(sequence, kMaxSequence);
    if (sequence >= 2) {
        *out++ = '-';
        out = PutDigits(out, sequence, sequence >= 10 ? 2 : 1);
    }
    PutText(out, kExtension);
    return name;
}

bool IsCrashDumpName(std::string_view name) {
    return ParseDumpName(name).has_value();
}

std::vector<std::string> CrashDumpsToDelete(const std::vector<std::string>& names, std::string_view newest,
                                            size_t keep) {
    std::vector<std::pair<DumpKey, const std::string*>> older;
    bool newestPresent = false;
    for (const std::string& name : names) {
        const std::optional<DumpKey> key = ParseDumpName(name);
        if (!key) {
            continue;
        }
        if (name == newest) {
            newestPresent = true;
        } else {
            older.emplace_back(*key, &name);
        }
    }
    // The newest dump takes one of the places kept; the others go oldest first.
    const size_t total = older.size() + (newestPresent ? 1 : 0);
    const size_t excess = total > keep ? std::min(total - keep, older.size()) : 0;
    std::sort(older.begin(), older.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> doomed;
    doomed.reserve(excess);
    for (size_t i = 0; i < excess; ++i) {
        doomed.push_back(*older[i].second);
    }
    return doomed;
}

}  // namespace base
