// The crash dumps' names and which old ones are deleted.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/CrashDumps.h"

using base::CrashDumpsToDelete;
using base::FormatCrashDumpName;

TEST(CrashDumpsTest, NamesCarryTheLocalTimeAndASequenceWithinTheSameSecond) {
    const base::CrashTime t{2026, 12, 8, 9, 5, 7};
    EXPECT_STREQ(FormatCrashDumpName(t).data(), "Velmora-20261208-090507.dmp");
    EXPECT_STREQ(FormatCrashDumpName(t, 2).data(), "Velmora-20261208-090507-2.dmp");
    // The longest name still fits its array, and the sequence stops at 99.
    EXPECT_STREQ(FormatCrashDumpName({9999, 12, 31, 23, 59, 59}, 150).data(),
                 "Velmora-99991231-235959-99.dmp");
    EXPECT_TRUE(base::IsCrashDumpName(FormatCrashDumpName(t, 42).data()));
}

TEST(CrashDumpsTest, TheOldestDumpsBeyondFiveGoAndNothingElse) {
    struct Case {
        const char* what;
        std::vector<std::string> names;
        std::string newest;
        std::vector<std::string> deleted;
    };
    const std::string a = "Velmora-20250101-000000.dmp", b = "Velmora-20250101-000001.dmp",
                      c = "Velmora-20250102-000000.dmp", d = "Velmora-20251231-235959.dmp",
                      e = "Velmora-20260101-000000.dmp", f = "Velmora-20260101-000000-2.dmp",
                      g = "Velmora-20260101-000000-10.dmp", h = "Velmora-20270101-000000.dmp",
                      i = "Velmora-20270202-000000.dmp", j = "Velmora-20270303-000000.dmp",
                      k = "Velmora-20270404-000000.dmp";
    const std::vector<Case> cases = {
        {"five in all: none go", {d, b, e, a, c}, e, {}},
        {"seven in all: the two oldest go, whatever the listing's order", {e, c, a, f, d, g, b}, g, {a, b}},
        {"within one second, -10 is later than -2, both later than the first",
         {g, f, e, h, i, j, k},
         k,
         {e, f}},
        {"the one just written stays though the clock was set back", {b, c, d, e, f, a}, a, {b}},
        {"the one just written need not be listed (its write failed)", {a, b, c, d, e, f}, g, {a}},
        {"other files and look-alikes are never chosen",
         {"notes.txt", "Velmora-2026-01-01.dmp", "velmora-20200101-000000.dmp", "Velmora-20200101-000000.DMP",
          "Velmora-20200101-000000-1.dmp", "Velmora-20200101-000000-02.dmp",
          "Velmora-20200101-000000-100.dmp", "Velmora-2020010x-000000.dmp", "Velmora-20200101_000000.dmp",
          "Velmora-20200101-000000.dmp.txt", a, b, c, d, e, f},
         f,
         {a}},
    };
    for (const Case& test : cases) {
        EXPECT_EQ(CrashDumpsToDelete(test.names, test.newest), test.deleted) << test.what;
    }
    // A smaller number kept.
    EXPECT_EQ(CrashDumpsToDelete({a, b, c}, c, 1), (std::vector<std::string>{a, b}));
}
