// The log line of a measured launch, in fixed English like every log line.
#pragma once
#include <string>

#include "measure/start_record.h"

namespace lentora {

// Measured "<line>": CPU 2.4 s, read 48.1 MB, written 3.2 MB, ready after 5.8 s
// A figure the system did not give reads "unknown"; a CPU figure of the machine's share says so.
std::wstring MeasuredLogLine(const MeasuredLaunch& launch);

// A figure with one decimal and a point, whatever the user's regional settings.
std::wstring OneDecimal(double value);

}  // namespace lentora
