// The crash dumps' folder rules: what a dump is called and which old ones go. Platform-independent.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace base {

// The dumps kept in the folder; a new dump pushes out the oldest beyond this.
inline constexpr size_t kCrashDumpsKept = 5;

// A local date and time, as the system's clock gives it.
struct CrashTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// Room for the longest name FormatCrashDumpName writes, with its terminating null.
inline constexpr size_t kCrashDumpNameSize = 32;
using CrashDumpName = std::array<char, kCrashDumpNameSize>;

// "Velmora-20261208-094507.dmp". A second dump within the same second (sequence 2 to 99) is
// "Velmora-20261208-094507-2.dmp". Written into a fixed array, null-terminated, because the crash
// handler names its dump without touching the heap.
CrashDumpName FormatCrashDumpName(const CrashTime& time, int sequence = 1);

// Whether a file name is one FormatCrashDumpName writes.
bool IsCrashDumpName(std::string_view name);

// Of the file names in the folder, the dumps to delete so that `keep` remain: the oldest by the
// time and sequence in their names. Names that are not dumps are never chosen, and neither is
// `newest`, the dump just written (with the clock set back, it may name an earlier time than the
// others).
std::vector<std::string> CrashDumpsToDelete(const std::vector<std::string>& names, std::string_view newest,
                                            size_t keep = kCrashDumpsKept);

}  // namespace base
