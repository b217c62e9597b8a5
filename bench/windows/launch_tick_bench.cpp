// One tick of the walk that launches N tasks due at once, against N bare CreateProcessW calls of
// the same helper with the same arguments, in the same process and run, alternating.
//   launch_tick_bench <record_launch.exe> <languages folder> [rounds] [tasks] [--log]
// The real main window runs in a temporary program folder whose tasks are all due at tick 1;
// --log turns the application log on (two lines per launch). Prints each round and the medians.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "../../tests/win32/main_window_probe.h"
#include "bench_timing.h"
#include "ui/message_box.h"

namespace fs = std::filesystem;
using lentora::MainWindow;

namespace {

class Stopwatch {
public:
    Stopwatch() {
        QueryPerformanceFrequency(&frequency_);
        QueryPerformanceCounter(&start_);
    }
    double Ms() const {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return 1000.0 * static_cast<double>(now.QuadPart - start_.QuadPart) / static_cast<double>(frequency_.QuadPart);
    }

private:
    LARGE_INTEGER frequency_{}, start_{};
};

using bench::Median;

size_t LineCount(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return static_cast<size_t>(std::count(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>(), '\n'));
}

// Lets the started helpers finish before the next measurement; false after 60 s.
bool WaitForRecords(const fs::path& file, size_t count) {
    for (int i = 0; i < 6000; ++i) {
        if (LineCount(file) >= count) return true;
        Sleep(10);
    }
    return false;
}

// The launcher's call without the launcher: same command line, flags, folder and start-up info.
bool BareLaunch(const std::wstring& commandLine, const std::wstring& folder) {
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOWMINIMIZED;
    PROCESS_INFORMATION pi{};
    std::wstring line = commandLine;
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NEW_PROCESS_GROUP | NORMAL_PRIORITY_CLASS,
                        nullptr, folder.c_str(), &si, &pi))
        return false;
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return true;
}

struct Setup {
    fs::path root, program, apps, records;
    std::vector<std::wstring> lines;
};

Setup PrepareFolders(const fs::path& helper, const fs::path& languages, int tasks, bool log) {
    Setup s;
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    s.root = fs::path(temp) / (L"lentora-tick-bench-" + std::to_wstring(GetCurrentProcessId()));
    s.program = s.root / L"Lentora";
    s.apps = s.root / L"apps";
    s.records = s.root / L"records.txt";
    fs::create_directories(s.program);
    fs::create_directories(s.apps);
    fs::copy(languages, s.program / L"languages", fs::copy_options::recursive);
    fs::copy_file(helper, s.apps / L"record_launch.exe");
    std::ofstream(s.program / L"lentora.ini", std::ios::binary)
        << "[Options]\r\ncheck_update=0\r\nWaitTimer=0\r\nShowBalloon=0\r\nUseLog=" << (log ? 1 : 0) << "\r\n";
    std::string xml = "<?xml version=\"1.0\" encoding=\"windows-1251\" standalone=\"yes\"?>"
                      "<ROOT progname=\"Lentora\" version=\"1.4.1.250\"><TASKSLIST>";
    std::string exe = (s.apps / L"record_launch.exe").string();
    for (int i = 0; i < tasks; ++i) {
        std::string line = exe + " " + std::to_string(i);
        s.lines.emplace_back(line.begin(), line.end());
        xml += "<TASK id=\"" + std::to_string(i) + "\" name=\"" + line + "\" time=\"1\" enable=\"true\" reg=\"0\"/>";
    }
    std::ofstream(s.program / L"startlist.xml", std::ios::binary) << xml << "</TASKSLIST></ROOT>";
    return s;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fputs("usage: launch_tick_bench <record_launch.exe> <languages folder> [rounds] [tasks] [--log]\n", stderr);
        return 2;
    }
    int rounds = argc > 3 ? _wtoi(argv[3]) : 5;
    int tasks = argc > 4 ? _wtoi(argv[4]) : 50;
    bool log = argc > 5 && std::wstring(argv[5]) == L"--log";
    if (rounds < 1 || tasks < 1) {
        std::fputs("rounds and tasks must be at least 1\n", stderr);
        return 2;
    }

    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_LINK_CLASS | ICC_TAB_CLASSES};
    InitCommonControlsEx(&icc);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    // Nothing may wait for a user.
    lentora::ui::SetMessageBoxHandler([](HWND, const std::wstring&, const std::wstring&, UINT) { return IDOK; });

    Setup s = PrepareFolders(argv[1], argv[2], tasks, log);
    SetEnvironmentVariableW(L"LENTORA_RECORD_FILE", s.records.c_str());
    auto form = std::make_unique<MainWindow>(lentora::StartupContext{(s.program / L"lentora.exe").wstring(), {}});
    const lentora::test::MainWindowProbe probe(*form);
    if (!form->Create() || static_cast<int>(probe.Tasks().Count()) != tasks) {
        std::fputs("the main window did not start with the task list\n", stderr);
        return 1;
    }
    const std::wstring folder = s.apps.wstring();
    std::vector<double> tickMs, bareMs;
    size_t expected = 0;
    bool ok = true;
    auto tick = [&] {
        probe.Seq().StartOrStop();  // the walk begins; its timer is never dispatched here
        Stopwatch watch;
        probe.Seq().Tick();
        tickMs.push_back(watch.Ms());
        probe.Seq().StartOrStop();  // and stops
    };
    auto bare = [&] {
        Stopwatch watch;
        for (const auto& line : s.lines) ok &= BareLaunch(line, folder);
        bareMs.push_back(watch.Ms());
    };
    for (int round = 0; round < rounds; ++round) {
        for (int step = 0; step < 2 && ok; ++step) {
            (round + step) % 2 ? bare() : tick();
            expected += static_cast<size_t>(tasks);
            ok &= WaitForRecords(s.records, expected);
        }
        if (!ok) break;
        std::printf("round %d: tick %.1f ms, bare %.1f ms\n", round + 1, tickMs.back(), bareMs.back());
    }
    form.reset();
    if (!ok)
        std::fprintf(stderr, "a launch failed or its helper never reported: %zu of %zu records\n",
                     LineCount(s.records), expected);
    std::error_code ignored;
    fs::remove_all(s.root, ignored);
    if (!ok) return 1;
    double t = Median(tickMs), b = Median(bareMs);
    std::printf("tasks %d, log %s, rounds %d: tick median %.1f ms, bare CreateProcessW median %.1f ms, ratio %.3f\n",
                tasks, log ? "on" : "off", rounds, t, b, t / b);
    return 0;
}
