// Where the picture of a start puts things: the machine's CPU curve across the top, one row per
// launch below it with the launch's mark and a bar for how long the program kept the machine busy,
// and a time axis with round steps. In pixels for a given width and DPI; the rows keep a readable
// height, so a long list is taller than the page and scrolls.
#pragma once
#include <string>
#include <vector>

#include "measure/launch_cost.h"
#include "measure/start_record.h"

namespace lentora {

struct TimelineRow {
    int top = 0, height = 0;
    int markX = 0;              // the launch
    int barLeft = 0, barRight = 0;  // until it settled, or the window's end; empty when not started
    Impact impact = Impact::Unmeasured;  // of this launch's own figures
};

struct TimelinePoint {
    int x = 0, y = 0;
};

struct TimelineLayout {
    int nameWidth = 0;                // the programs' names, left of the time area
    int timeLeft = 0, timeRight = 0;  // the time area, across
    double seconds = 0;               // the time shown, from the walk's beginning
    int curveTop = 0, curveHeight = 0;
    // The machine's CPU use, each sample in the middle of its second; a tick without a sample
    // breaks the curve, so it is drawn as runs of known samples.
    std::vector<std::vector<TimelinePoint>> curve;
    std::vector<int> ticks;  // the axis' marks, in seconds
    int rowsTop = 0;         // below the curve and the axis' labels
    std::vector<TimelineRow> rows;
    int height = 0;  // the whole picture

    // The x of a second of the walk.
    int X(double second) const;
    // The row at a height of the picture, or -1 outside every row.
    int RowAt(int y) const;
};

// `measuringWindowSeconds` is how long a launch that never settled is shown busy.
TimelineLayout LayOutTimeline(const StartRecord& start, int width, unsigned dpi, double measuringWindowSeconds);

// An axis mark's label: minutes and seconds ("0:45", "2:00"), hours in front from an hour on
// ("1:30:00"). The same in every language.
std::wstring TickLabel(int seconds);

}  // namespace lentora
