// The system drive's busy share from its own counters, or nothing where the system keeps none.
#include <gtest/gtest.h>

#include <windows.h>

#include "sysint/disk_busy_sampler.h"

namespace lentora {
namespace {

TEST(SysintDiskBusySampler, APerCentWhereTheDriveCountsAndNeverAFigureWhereItDoesNot) {
    DiskBusySampler sampler;
    Sleep(200);
    const std::optional<int> busy = sampler.Take();
    if (sampler.Available()) {
        ASSERT_TRUE(busy.has_value());
        EXPECT_GE(*busy, 0);
        EXPECT_LE(*busy, 100);
    } else {
        // Wine keeps no such counters: unknown, never 0.
        EXPECT_EQ(busy, std::nullopt);
        EXPECT_EQ(sampler.Take(), std::nullopt);
    }
}

}  // namespace
}  // namespace lentora
