// The machine's CPU use as the idle wait samples it, from the system's own time counters.
#include <gtest/gtest.h>

#include <windows.h>

#include "cpu_spin.h"
#include "sysint/cpu_load_sampler.h"

namespace lentora {
namespace {

using test::SpinEveryProcessor;

TEST(SysintCpuLoadSampler, NothingAtFirstThenThePerCentOfBusyTimeSinceThePreviousCall) {
    CpuLoadSampler sampler;
    EXPECT_EQ(sampler.BusyPercent(), std::nullopt);
    Sleep(300);
    const std::optional<int> resting = sampler.BusyPercent();
    ASSERT_TRUE(resting.has_value());
    EXPECT_GE(*resting, 0);
    EXPECT_LE(*resting, 100);

    SpinEveryProcessor(500);
    const std::optional<int> spinning = sampler.BusyPercent();
    ASSERT_TRUE(spinning.has_value());
    EXPECT_GE(*spinning, 80);
    EXPECT_LE(*spinning, 100);
}

// The system's counters move in steps: most calls right after another see no step and have
// nothing to divide by.
TEST(SysintCpuLoadSampler, CallsBackToBackGiveNothingOrAPerCent) {
    CpuLoadSampler sampler;
    sampler.BusyPercent();
    int unmeasured = 0;
    for (int i = 0; i < 1000; ++i) {
        const std::optional<int> busy = sampler.BusyPercent();
        if (!busy) ++unmeasured;
        else EXPECT_TRUE(*busy >= 0 && *busy <= 100) << *busy;
    }
    EXPECT_GT(unmeasured, 500);
}

}  // namespace
}  // namespace lentora
