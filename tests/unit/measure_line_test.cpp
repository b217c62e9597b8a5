// The log line of a measured launch.
#include <gtest/gtest.h>

#include "measure/measured_line.h"

namespace lentora {
namespace {

TEST(MeasureLine, TellsEachFigureAndSaysWhichAreUnknown) {
    MeasuredLaunch full;
    full.commandLine = L"C:\\Tools\\a.exe -x";
    full.cpuSeconds = 2.44;
    full.bytesRead = 48'140'000;
    full.bytesWritten = 3'200'000;
    full.readiness = Readiness::Ready;
    full.readyAfterSeconds = 5.75;
    MeasuredLaunch machine = full;
    machine.cpuSource = CpuSource::MachineShare;
    machine.readiness = Readiness::NoWindow;
    MeasuredLaunch bare;
    bare.commandLine = L"b.exe";
    MeasuredLaunch late = bare;
    late.readiness = Readiness::NotReady;
    late.bytesRead = 0;
    struct Case {
        const MeasuredLaunch& launch;
        const wchar_t* line;
    } cases[] = {
        {full, L"Measured \"C:\\Tools\\a.exe -x\": CPU 2.4 s, read 48.1 MB, written 3.2 MB, ready after 5.8 s"},
        {machine, L"Measured \"C:\\Tools\\a.exe -x\": CPU 2.4 s (the machine's), read 48.1 MB, written 3.2 MB, no window"},
        {bare, L"Measured \"b.exe\": CPU unknown, read unknown, written unknown, ready unknown"},
        {late, L"Measured \"b.exe\": CPU unknown, read 0.0 MB, written unknown, not ready within the measuring time"},
    };
    for (const Case& c : cases) EXPECT_EQ(MeasuredLogLine(c.launch), c.line);
}

}  // namespace
}  // namespace lentora
