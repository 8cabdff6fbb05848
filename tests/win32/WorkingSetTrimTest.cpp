// Working-set trimming: the call into the system, the hourly thread timer and its re-entry flag.
// The test program's own import of SetProcessWorkingSetSize is redirected to a recorder that
// forwards to the system, so every real call is seen with its arguments.
#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "ImportHook.h"
#include "support/Wait.h"
#include "config/MMSaveClass.h"

using testsupport::ImportHook;

namespace {

using TrimFunction = BOOL(WINAPI*)(HANDLE, SIZE_T, SIZE_T);

struct TrimCall {
    HANDLE process;
    SIZE_T minimum;
    SIZE_T maximum;
};

std::vector<TrimCall> calls;
TrimFunction systemTrim = nullptr;
BOOL lastResult = FALSE;
// Runs inside the system call, while the trim is in progress.
std::function<void()> duringTrim;

BOOL WINAPI RecordingTrim(HANDLE process, SIZE_T minimum, SIZE_T maximum) {
    calls.push_back({process, minimum, maximum});
    if (duringTrim) {
        auto inner = std::exchange(duringTrim, nullptr);
        inner();
    }
    lastResult = systemTrim(process, minimum, maximum);
    return lastResult;
}

class WorkingSetTrimTest : public ::testing::Test {
  protected:
    void SetUp() override {
        calls.clear();
        duringTrim = nullptr;
        ASSERT_TRUE(hook_.Installed());
        systemTrim = reinterpret_cast<TrimFunction>(hook_.Original());
    }
    void TearDown() override { config::StopTrimTimer(); }

    ImportHook hook_{"kernel32.dll", "SetProcessWorkingSetSize", reinterpret_cast<void*>(&RecordingTrim)};
};

}  // namespace

TEST_F(WorkingSetTrimTest, TrimAsksTheSystemToEmptyTheWholeWorkingSet) {
    config::TMMSaveClass saver;
    saver.TrimWorkingSet();
    saver.TrimWorkingSet();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].process, GetCurrentProcess());
    EXPECT_EQ(calls[0].minimum, static_cast<SIZE_T>(-1));
    EXPECT_EQ(calls[0].maximum, static_cast<SIZE_T>(-1));
    EXPECT_TRUE(lastResult);  // the system accepted the request
}

TEST_F(WorkingSetTrimTest, TimerProcedureDoesNotStartASecondTrimWhileOneRuns) {
    bool flagInside = false;
    duringTrim = [&] {
        flagInside = config::TimerTrimRunning();
        config::TrimTimerProc(nullptr, WM_TIMER, 0, 0);  // re-entered: returns at once
    };
    config::TrimTimerProc(nullptr, WM_TIMER, 0, 0);
    EXPECT_TRUE(flagInside);
    EXPECT_EQ(calls.size(), 1u);
    // The flag is cleared afterwards: the next tick trims again.
    EXPECT_FALSE(config::TimerTrimRunning());
    config::TrimTimerProc(nullptr, WM_TIMER, 0, 0);
    EXPECT_EQ(calls.size(), 2u);
}

TEST_F(WorkingSetTrimTest, ThreadTimerTrimsThroughTheMessageLoopUntilKilled) {
    config::StartTrimTimer(20);
    const UINT_PTR id = config::TrimTimerId();
    ASSERT_NE(id, 0u);
    config::StartTrimTimer(20);  // already running: the same timer
    EXPECT_EQ(config::TrimTimerId(), id);
    EXPECT_TRUE(testsupport::WaitUntil([] { return calls.size() >= 2; }, 3000));

    config::StopTrimTimer();
    EXPECT_EQ(config::TrimTimerId(), 0u);
    const size_t trims = calls.size();
    // The timer came every 20 ms: five periods without a trim show it is gone.
    testsupport::PumpFor(100);
    EXPECT_EQ(calls.size(), trims);
}
