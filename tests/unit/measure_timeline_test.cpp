// The layout of the picture of a start: its axis, its rows and its scale.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "measure/program_name.h"
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
    EXPECT_GE(layout.X(layout.ticks[1]) - layout.X(0), 80) << "room for labels with hours";

    // No launch and no series at all still gives an axis.
    const TimelineLayout empty = LayOutTimeline(StartRecord{}, 600, 96, kWindow);
    ExpectSound(empty, 96);
    EXPECT_TRUE(empty.rows.empty());
}

TEST(MeasureTimeline, TheCurveBreaksAtTicksWithoutASampleAndStaysInItsBand) {
    constexpr std::uint8_t kUnknown = StartRecord::kUnknownPercent;
    struct Case {
        const char* name;
        std::vector<std::uint8_t> cpu;
        std::vector<size_t> runs;  // the length of each run of the curve
    };
    const Case cases[] = {
        {"no series", {}, {}},
        {"all known, zero included", {0, 40, 100, 0}, {4}},
        {"a gap in the middle is no drop to 0", {10, kUnknown, kUnknown, 30, 20}, {1, 2}},
        {"unknown at both ends", {kUnknown, 50, 60, kUnknown}, {2}},
        {"nothing known", {kUnknown, kUnknown}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartRecord start;
        start.machineCpu = c.cpu;
        const TimelineLayout layout = LayOutTimeline(start, 600, 96, kWindow);
        std::vector<size_t> runs;
        for (const auto& run : layout.curve) {
            runs.push_back(run.size());
            for (const TimelinePoint& point : run) {
                EXPECT_GE(point.y, layout.curveTop);
                EXPECT_LE(point.y, layout.curveTop + layout.curveHeight);
                EXPECT_GT(point.x, layout.timeLeft);
                EXPECT_LT(point.x, layout.timeRight);
            }
        }
        EXPECT_EQ(runs, c.runs);
    }
    // Two hours across a few hundred pixels: the samples of a pixel make one point, their mean.
    StartRecord busy;
    for (int tick = 0; tick < 7200; ++tick) busy.machineCpu.push_back(tick % 2 ? 100 : 0);
    const TimelineLayout squeezed = LayOutTimeline(busy, 600, 96, kWindow);
    ASSERT_EQ(squeezed.curve.size(), 1u);
    EXPECT_LE(squeezed.curve[0].size(), static_cast<size_t>(squeezed.timeRight - squeezed.timeLeft + 1));
    for (size_t i = 0; i < squeezed.curve[0].size(); ++i) {
        if (i > 0) {
            EXPECT_GT(squeezed.curve[0][i].x, squeezed.curve[0][i - 1].x);
        }
        EXPECT_NEAR(squeezed.curve[0][i].y, squeezed.curveTop + squeezed.curveHeight / 2, 3) << i;
    }

    // 0 % lies on the band's floor, 100 % on its top; later samples further right.
    StartRecord start;
    start.machineCpu = {0, 100};
    const TimelineLayout layout = LayOutTimeline(start, 600, 96, kWindow);
    ASSERT_EQ(layout.curve.size(), 1u);
    EXPECT_EQ(layout.curve[0][0].y, layout.curveTop + layout.curveHeight);
    EXPECT_EQ(layout.curve[0][1].y, layout.curveTop);
    EXPECT_LT(layout.curve[0][0].x, layout.curve[0][1].x);
}

TEST(MeasureTimeline, APointFindsTheRowItIsOnAndNoneBetweenOrAround) {
    StartRecord start;
    start.launches = {Launch(1, 2.0), Launch(2, 2.0), Launch(3, 2.0)};
    const TimelineLayout layout = LayOutTimeline(start, 600, 96, kWindow);
    ASSERT_EQ(layout.rows.size(), 3u);
    EXPECT_GE(layout.rowsTop, layout.curveTop + layout.curveHeight);
    EXPECT_EQ(layout.rows[0].top, layout.rowsTop);
    const TimelineRow& last = layout.rows.back();
    const struct {
        int y, row;
    } cases[] = {
        {layout.curveTop, -1},
        {layout.rowsTop - 1, -1},
        {layout.rowsTop, 0},
        {layout.rows[1].top - 1, 0},
        {layout.rows[1].top, 1},
        {last.top + last.height - 1, 2},
        {last.top + last.height, -1},
    };
    for (const auto& c : cases) EXPECT_EQ(layout.RowAt(c.y), c.row) << "at y " << c.y;
    EXPECT_EQ(LayOutTimeline(StartRecord{}, 600, 96, kWindow).RowAt(layout.rowsTop), -1);
}

TEST(MeasureTimeline, AxisMarksReadInMinutesAndSecondsAndHoursFromAnHourOn) {
    const struct {
        int seconds;
        const wchar_t* label;
    } cases[] = {{0, L"0:00"}, {5, L"0:05"}, {45, L"0:45"}, {60, L"1:00"}, {150, L"2:30"},
                 {3599, L"59:59"}, {3600, L"1:00:00"}, {5400, L"1:30:00"}, {7265, L"2:01:05"}};
    for (const auto& c : cases) EXPECT_EQ(TickLabel(c.seconds), c.label) << c.seconds;
}

TEST(MeasureTimeline, ARowIsNamedByItsProgramsFileName) {
    const struct {
        const wchar_t* line;
        const wchar_t* name;
    } cases[] = {
        {L"C:\\Tools\\a.exe", L"a.exe"},
        {L"C:\\Tools\\a.exe -x /y", L"a.exe"},
        {L"\"C:\\Program Files\\Big App\\big.exe\" --tray", L"big.exe"},
        {L"C:\\Program Files\\App\\app.exe /min", L"app.exe"},
        {L"C:\\Program Files (x86)\\My.Tools\\t.exe", L"t.exe"},
        {L"notepad.exe C:\\notes.txt", L"notepad.exe"},
        {L"D:/portable/run.cmd", L"run.cmd"},
        {L"\"C:\\unclosed\\x.exe", L"x.exe"},
        {L"", L""},
    };
    for (const auto& c : cases) EXPECT_EQ(ProgramFileName(c.line), c.name);
}

}  // namespace
}  // namespace lentora
