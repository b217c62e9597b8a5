// The layout of the picture of a start: its axis, its rows and its scale.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "measure/timeline_layout.h"

namespace lentora {
namespace {

constexpr double kWindow = 60;

MeasuredLaunch Launch(double at, std::optional<double> settled, LaunchOutcome outcome = LaunchOutcome::Started) {
    MeasuredLaunch launch;
    launch.commandLine = L"C:\\a.exe";
    launch.launchedAfterSeconds = at;
    launch.outcome = outcome;
    launch.settledAfterSeconds = settled;
    launch.cpuSeconds = 2.0;
    return launch;
}

// What holds for every layout: marks at round steps far enough apart, the span ending on one, rows
// one below the other inside the picture, every mark and bar inside the time area.
void ExpectSound(const TimelineLayout& layout, unsigned dpi) {
    ASSERT_GE(layout.ticks.size(), 2u);
    EXPECT_EQ(layout.ticks.front(), 0);
    EXPECT_EQ(layout.ticks.back(), layout.seconds);
    const int step = layout.ticks[1] - layout.ticks[0];
    EXPECT_GE(layout.X(step) - layout.X(0), 56 * static_cast<int>(dpi) / 96);
    int y = layout.curveTop + layout.curveHeight;
    for (const TimelineRow& row : layout.rows) {
        EXPECT_GE(row.top, y);
        EXPECT_GE(row.height, 18 * static_cast<int>(dpi) / 96) << "readable";
        y = row.top + row.height;
        EXPECT_GE(row.markX, layout.timeLeft);
        EXPECT_LE(row.barLeft, row.barRight);
        EXPECT_LE(row.barRight, layout.timeRight);
    }
    EXPECT_LE(y, layout.height);
}

TEST(MeasureTimeline, OneLaunchFillsTheAxisToItsSettling) {
    StartRecord start;
    start.launches = {Launch(5, 12.5)};
    start.machineCpu.assign(10, 50);
    const TimelineLayout layout = LayOutTimeline(start, 600, 96, kWindow);
    ExpectSound(layout, 96);
    EXPECT_EQ(layout.seconds, 20) << "17.5 s of walk, on round steps";
    ASSERT_EQ(layout.rows.size(), 1u);
    EXPECT_EQ(layout.rows[0].markX, layout.X(5));
    EXPECT_EQ(layout.rows[0].barRight, layout.X(17.5));
    EXPECT_EQ(layout.rows[0].impact, Impact::High);
}

TEST(MeasureTimeline, FiftyLaunchesStayReadableAtEveryScaleAndTheRowsMakeThePictureTall) {
    StartRecord start;
    for (int i = 0; i < 50; ++i) start.launches.push_back(Launch(i * 10.0, i % 7 == 0 ? std::nullopt : std::optional(4.0)));
    start.launches.push_back(Launch(20, std::nullopt, LaunchOutcome::Failed));
    for (unsigned dpi : {96u, 144u, 192u}) {
        SCOPED_TRACE(dpi);
        const int width = 600 * static_cast<int>(dpi) / 96;
        const TimelineLayout layout = LayOutTimeline(start, width, dpi, kWindow);
        ExpectSound(layout, dpi);
        ASSERT_EQ(layout.rows.size(), 51u);
        EXPECT_GT(layout.height, 51 * 18 * static_cast<int>(dpi) / 96);
        // A launch that never settled is busy for the whole window; a failed one not at all.
        EXPECT_EQ(layout.rows[7].barRight, layout.X(70 + kWindow));
        EXPECT_EQ(layout.rows[50].barLeft, layout.rows[50].barRight);
        // Twice the pixels for twice the DPI, to the rounding.
        if (dpi == 192) {
            const TimelineLayout single = LayOutTimeline(start, 600, 96, kWindow);
            EXPECT_EQ(layout.seconds, single.seconds);
            EXPECT_NEAR(layout.rows[30].markX, 2 * single.rows[30].markX, 2);
            EXPECT_EQ(layout.rows[30].top, 2 * single.rows[30].top);
        }
    }
}

TEST(MeasureTimeline, ATwoHourWalkGetsLongSteps) {
    StartRecord start;
    start.launches = {Launch(10, 5.0), Launch(7100, 30.0)};
    start.machineCpu.assign(7200, 3);
    const TimelineLayout layout = LayOutTimeline(start, 600, 96, kWindow);
    ExpectSound(layout, 96);
    EXPECT_GE(layout.seconds, 7200);
    EXPECT_EQ(layout.ticks[1] % 60, 0) << "whole minutes";
    EXPECT_LE(layout.ticks.size(), 9u);

    // No launch and no series at all still gives an axis.
    const TimelineLayout empty = LayOutTimeline(StartRecord{}, 600, 96, kWindow);
    ExpectSound(empty, 96);
    EXPECT_TRUE(empty.rows.empty());
}

}  // namespace
}  // namespace lentora
