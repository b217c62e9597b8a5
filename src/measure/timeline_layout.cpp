#include "measure/timeline_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace lentora {
namespace {

// At 96 DPI.
constexpr int kNameWidth = 160, kMargin = 8, kCurveHeight = 60, kAxisHeight = 18, kRowHeight = 18, kTickSpacing = 56;
// Marks labelled with hours ("1:30:00") stand further apart.
constexpr int kHourTickSpacing = 80;
// Round steps of the axis, in seconds.
constexpr int kSteps[] = {1, 2, 5, 10, 15, 30, 60, 120, 300, 600, 900, 1800, 3600, 7200, 14400};

int Scale(int pixels, unsigned dpi) { return static_cast<int>(std::lround(pixels * static_cast<double>(dpi) / 96.0)); }

}  // namespace

int TimelineLayout::X(double second) const {
    if (seconds <= 0) return timeLeft;
    return timeLeft + static_cast<int>(std::lround(second / seconds * (timeRight - timeLeft)));
}

int TimelineLayout::RowAt(int y) const {
    // Rows lie one below the other, in order.
    auto below = std::upper_bound(rows.begin(), rows.end(), y, [](int at, const TimelineRow& row) { return at < row.top; });
    if (below == rows.begin()) return -1;
    const TimelineRow& row = *std::prev(below);
    return y < row.top + row.height ? static_cast<int>(std::prev(below) - rows.begin()) : -1;
}

std::wstring TickLabel(int seconds) {
    wchar_t buffer[32];
    if (seconds >= 3600)
        std::swprintf(buffer, std::size(buffer), L"%d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
    else
        std::swprintf(buffer, std::size(buffer), L"%d:%02d", seconds / 60, seconds % 60);
    return buffer;
}

TimelineLayout LayOutTimeline(const StartRecord& start, int width, unsigned dpi, double measuringWindowSeconds) {
    TimelineLayout layout;
    const int margin = Scale(kMargin, dpi);
    layout.nameWidth = std::min(Scale(kNameWidth, dpi), std::max(width / 3, 0));
    layout.timeLeft = layout.nameWidth + margin;
    layout.timeRight = std::max(layout.timeLeft + 1, width - margin);

    // The walk's whole span: every launch until it settled, and the machine's series.
    double end = static_cast<double>(start.machineCpu.size());
    for (const MeasuredLaunch& launch : start.launches) {
        double busy = launch.outcome == LaunchOutcome::Started ? launch.settledAfterSeconds.value_or(measuringWindowSeconds) : 0;
        end = std::max(end, launch.launchedAfterSeconds + busy);
    }
    end = std::max(end, 1.0);

    // The smallest round step whose marks stand far enough apart; the span ends on a mark.
    const double pixels = layout.timeRight - layout.timeLeft;
    int step = kSteps[std::size(kSteps) - 1];
    for (int candidate : kSteps) {
        const double marks = std::ceil(end / candidate);
        if (pixels / marks >= Scale(end >= 3600 ? kHourTickSpacing : kTickSpacing, dpi)) {
            step = candidate;
            break;
        }
    }
    layout.seconds = std::ceil(end / step) * step;
    for (int second = 0; second <= layout.seconds; second += step) layout.ticks.push_back(second);

    layout.curveTop = margin;
    layout.curveHeight = Scale(kCurveHeight, dpi);
    const int curveBottom = layout.curveTop + layout.curveHeight;
    auto curveY = [&](double percent) {
        return curveBottom - static_cast<int>(std::lround(std::min(percent, 100.0) / 100.0 * layout.curveHeight));
    };
    // A long walk has several samples a pixel: they make one point, their mean.
    std::vector<TimelinePoint>* run = nullptr;
    double sum = 0;
    int samples = 0;
    for (size_t tick = 0; tick < start.machineCpu.size(); ++tick) {
        const std::uint8_t percent = start.machineCpu[tick];
        if (percent == StartRecord::kUnknownPercent) {
            run = nullptr;
            continue;
        }
        const int x = layout.X(static_cast<double>(tick) + 0.5);
        if (run && run->back().x == x) {
            sum += percent;
            run->back().y = curveY(sum / ++samples);
            continue;
        }
        if (!run) run = &layout.curve.emplace_back();
        sum = percent;
        samples = 1;
        run->push_back({x, curveY(percent)});
    }

    int y = curveBottom + Scale(kAxisHeight, dpi);
    layout.rowsTop = y;
    const int rowHeight = Scale(kRowHeight, dpi);
    for (const MeasuredLaunch& launch : start.launches) {
        TimelineRow row;
        row.top = y;
        row.height = rowHeight;
        row.markX = layout.X(launch.launchedAfterSeconds);
        row.barLeft = row.barRight = row.markX;
        if (launch.outcome == LaunchOutcome::Started)
            row.barRight = layout.X(launch.launchedAfterSeconds + launch.settledAfterSeconds.value_or(measuringWindowSeconds));
        TypicalCost own;
        own.cpuSeconds = launch.cpuSeconds;
        if (launch.bytesRead && launch.bytesWritten)
            own.diskBytes = static_cast<double>(*launch.bytesRead) + static_cast<double>(*launch.bytesWritten);
        row.impact = ImpactOf(own);
        layout.rows.push_back(row);
        y += rowHeight;
    }
    layout.height = y + margin;
    return layout;
}

}  // namespace lentora
