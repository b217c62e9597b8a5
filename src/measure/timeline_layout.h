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

struct TimelineLayout {
    int nameWidth = 0;                // the programs' names, left of the time area
    int timeLeft = 0, timeRight = 0;  // the time area, across
    double seconds = 0;               // the time shown, from the walk's beginning
    int curveTop = 0, curveHeight = 0;
    std::vector<int> ticks;  // the axis' marks, in seconds
    std::vector<TimelineRow> rows;
    int height = 0;  // the whole picture

    // The x of a second of the walk.
    int X(double second) const;
};

// `measuringWindowSeconds` is how long a launch that never settled is shown busy.
TimelineLayout LayOutTimeline(const StartRecord& start, int width, unsigned dpi, double measuringWindowSeconds);

}  // namespace lentora
