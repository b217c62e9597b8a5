// When a launched program counts as settled, and the machine's share that stands for its CPU time.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "measure/settle_watch.h"

namespace lentora {
namespace {

constexpr int kCalm = 30;
constexpr double kWindow = 10;

// One tick a second on a two-core machine; `machine` in percent, `program` its CPU seconds so far
// per launch (absent: the system gives none).
struct Ticks {
    SettleWatch watch{kCalm, kWindow};
    double second = 0;
    void Tick(int machine, std::map<size_t, double> program = {}) {
        second += 1;
        SettleWatch::Tick tick{second, 1, machine, machine / 100.0 * 2};
        watch.OnTick(tick, [&](size_t launch) -> std::optional<double> {
            auto it = program.find(launch);
            if (it == program.end()) return std::nullopt;
            return it->second;
        });
    }
};

TEST(MeasureSettle, AProgramSettlesWhenItAndTheMachineAreCalmForTwoTicks) {
    Ticks run;
    run.watch.Launched(0, 0);
    // Busy three seconds on one core, then calm; the machine likewise.
    const std::vector<std::pair<int, double>> ticks{{60, 1.0}, {55, 2.0}, {50, 3.0}, {5, 3.05}, {4, 3.1}};
    for (auto [machine, cpu] : ticks) {
        EXPECT_TRUE(run.watch.Watching());
        run.Tick(machine, {{0, cpu}});
    }
    const auto& result = run.watch.ResultOf(0);
    EXPECT_TRUE(result.done);
    ASSERT_TRUE(result.settledAfterSeconds);
    EXPECT_DOUBLE_EQ(*result.settledAfterSeconds, 3.0);
    EXPECT_FALSE(run.watch.Watching()) << "no tick is needed any more";
}

TEST(MeasureSettle, ABusyProgramOrABusyMachineKeepsItFromSettling) {
    struct Case {
        const char* what;
        std::vector<int> machine;
        std::vector<double> cpu;  // empty: no figure per program
        std::optional<double> settled;
    } cases[] = {
        // A third of one core of two: the machine is calm, the program is not.
        {"the program stays busy on a calm machine", {20, 20, 20, 20}, {0.4, 0.8, 1.2, 1.6}, std::nullopt},
        {"another program keeps the machine busy", {90, 90, 10, 10}, {0.0, 0.0, 0.0, 0.0}, 2.0},
        {"one calm tick between busy ones", {10, 90, 10, 10}, {}, 2.0},
        {"no figure per program: the machine decides", {70, 10, 10, 10}, {}, 1.0},
        {"never calm within the window", std::vector<int>(12, 80), {}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Ticks run;
        run.watch.Launched(0, 0);
        for (size_t i = 0; i < c.machine.size(); ++i) {
            std::map<size_t, double> program;
            if (!c.cpu.empty()) program[0] = c.cpu[i];
            run.Tick(c.machine[i], program);
        }
        EXPECT_EQ(run.watch.ResultOf(0).settledAfterSeconds, c.settled);
    }
}

TEST(MeasureSettle, TheMachinesShareEndsAtTheSettlingOrTheNextLaunch) {
    Ticks run;
    run.watch.Launched(0, 0);
    run.Tick(100);  // 2 s of CPU on two cores
    run.Tick(50);   // 1 s
    // The next launch takes over the machine's time; the first is still watched for its settling.
    run.watch.Launched(2, 2);  // launch 1 failed: never watched
    run.Tick(50);
    run.Tick(10);
    run.Tick(10);
    EXPECT_DOUBLE_EQ(run.watch.ResultOf(0).machineShareSeconds, 3.0);
    EXPECT_DOUBLE_EQ(*run.watch.ResultOf(0).settledAfterSeconds, 3.0);
    EXPECT_TRUE(run.watch.ResultOf(1).done);
    EXPECT_DOUBLE_EQ(run.watch.ResultOf(2).machineShareSeconds, 1.0) << "until its own settling";
    EXPECT_DOUBLE_EQ(*run.watch.ResultOf(2).settledAfterSeconds, 1.0);
    // The window ends the watch of one that never settles.
    run.watch.Launched(3, run.second);
    for (int i = 0; i < 10; ++i) run.Tick(95);
    EXPECT_TRUE(run.watch.ResultOf(3).done);
    EXPECT_FALSE(run.watch.ResultOf(3).settledAfterSeconds);
    EXPECT_FALSE(run.watch.Watching());
}

}  // namespace
}  // namespace lentora
