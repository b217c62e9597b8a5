#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tasks/startup_approval.h"

namespace lentora {
namespace {

// 2026-12-10 15:00 UTC as a FILETIME, stored little-endian in bytes 4 to 11.
constexpr std::uint64_t kTime = 0x01DD88B7'20B35800;
constexpr std::uint8_t kTimeBytes[] = {0x00, 0x58, 0xB3, 0x20, 0xB7, 0x88, 0xDD, 0x01};

std::vector<std::uint8_t> Value(std::uint8_t first, bool withTime = true) {
    std::vector<std::uint8_t> bytes = {first, 0, 0, 0};
    for (std::uint8_t b : kTimeBytes) bytes.push_back(withTime ? b : 0);
    return bytes;
}

TEST(StartupApproval, DecodesTheSwitchAndItsTimeAndTakesMalformedValuesAsEnabled) {
    struct Case {
        const char* what;
        bool isBinary;
        std::vector<std::uint8_t> data;
        bool enabled;
        std::uint64_t time;
    };
    auto shortValue = Value(0x03);
    shortValue.pop_back();
    auto longValue = Value(0x03);
    longValue.push_back(0);
    const Case cases[] = {
        {"02: enabled", true, Value(0x02, false), true, 0},
        {"06: enabled, its time ignored", true, Value(0x06), true, 0},
        {"03: disabled", true, Value(0x03), false, kTime},
        {"07: disabled", true, Value(0x07), false, kTime},
        {"03 without a time", true, Value(0x03, false), false, 0},
        {"11 bytes", true, shortValue, true, 0},
        {"13 bytes", true, longValue, true, 0},
        {"empty", true, {}, true, 0},
        {"one odd byte", true, {0x03}, true, 0},
        {"not binary data", false, Value(0x03), true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StartupApproval approval = DecodeStartupApproval(c.isBinary, c.data);
        EXPECT_EQ(approval.enabled, c.enabled);
        EXPECT_EQ(approval.switchedOffAt, c.time);
    }
}

TEST(StartupApproval, EncodesAsTaskManagerWritesAndReadsBack) {
    const StartupApprovalBytes off = EncodeStartupApproval({false, kTime});
    EXPECT_EQ(std::vector<std::uint8_t>(off.begin(), off.end()), Value(0x03));
    const StartupApprovalBytes on = EncodeStartupApproval({true, kTime});
    EXPECT_EQ(std::vector<std::uint8_t>(on.begin(), on.end()), Value(0x02, false)) << "no time while enabled";

    StartupApproval read = DecodeStartupApproval(true, off);
    EXPECT_FALSE(read.enabled);
    EXPECT_EQ(read.switchedOffAt, kTime);
    EXPECT_TRUE(DecodeStartupApproval(true, on).enabled);
}

}  // namespace
}  // namespace lentora
