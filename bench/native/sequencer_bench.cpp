// Cost of one walk tick over a long task list with nothing due, against the bare scan of the same
// rows held in a plain vector: the host interface should add little to the scan itself.
#include <benchmark/benchmark.h>

#include <optional>
#include <string>
#include <vector>

#include "launch/sequencer.h"
#include "tasks/task_delay.h"

namespace {

constexpr int kRows = 10000;
constexpr int kLargestDelay = 600;

std::wstring DelayOfRow(int i) { return std::to_wstring(1 + i % kLargestDelay); }

class NullLog : public lentora::ILogSink {
public:
    void Log(const std::wstring&) override {}
};

// A walk nobody watches.
class NullView : public lentora::IWalkObserver {
public:
    void StartModeBegan() override {}
    void StatusChanged(const lentora::WalkStatus&) override {}
    void WalkActiveChanged(bool) override {}
    void TicksChanged(std::optional<int>) override {}
    void DelayOfStartTimer(std::optional<std::uint32_t>) override {}
    void TickTimer(bool) override {}
    void ActionVisible(lentora::SequencerAction, bool) override {}
    void StatusesReset() override {}
    void LaunchEnded(lentora::TaskId, lentora::LaunchOutcome, bool) override {}
    void HeldForSystem(bool) override {}
    void Finished() override {}
};

class BenchHost : public lentora::ISequencerHost {
public:
    struct Task {
        std::wstring commandLine;
        lentora::TaskDelay delay;
        bool enabled = true;
    };

    BenchHost() {
        rows_.reserve(kRows);
        for (int i = 0; i < kRows; ++i)
            rows_.push_back({L"C:\\Program Files\\Tool\\tool" + std::to_wstring(i) + L".exe /min", DelayOfRow(i), true});
    }

    bool DelayOfStartOn() const override { return false; }
    std::optional<std::int32_t> DelayOfStartSec() const override { return 0; }
    std::wstring DelayOfStartText() const override { return L"0"; }
    std::optional<std::int32_t> ExitTimeSec() const override { return 2000000000; }  // the walk never closes here
    int RowCount() const override { return static_cast<int>(rows_.size()); }
    lentora::SequencerRow Row(int i) const override {
        const Task& t = rows_[static_cast<size_t>(i)];
        // As the window reads its rows; the rows never change here, so a row's number serves as its id.
        return {t.commandLine, t.delay.Seconds(), t.enabled, static_cast<lentora::TaskId>(i) + 1};
    }
    lentora::LaunchOutcome LaunchProgram(lentora::TaskId, const std::wstring&) override { return lentora::LaunchOutcome::Started; }

private:
    std::vector<Task> rows_;
};

void BM_SequencerTickNoneDue(benchmark::State& state) {
    BenchHost host;
    NullView view;
    NullLog log;
    lentora::Sequencer sequencer(host, view, log);
    sequencer.StartOrStop();
    // Past the largest delay every row is scanned and none is due.
    for (int i = 0; i < kLargestDelay; ++i) sequencer.Tick();
    for (auto _ : state) sequencer.Tick();
    benchmark::DoNotOptimize(sequencer.Ticks());
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_SequencerTickNoneDue)->Unit(benchmark::kMicrosecond);

// The same scan without the sequencer: the rows' delay and enabled fields read from a plain vector.
void BM_BareScanNoneDue(benchmark::State& state) {
    struct PlainRow {
        lentora::TaskDelay delay;
        bool enabled = true;
    };
    std::vector<PlainRow> rows;
    rows.reserve(kRows);
    for (int i = 0; i < kRows; ++i) rows.push_back({DelayOfRow(i), true});
    int tick = kLargestDelay;
    for (auto _ : state) {
        ++tick;
        int due = 0;
        for (const PlainRow& row : rows) {
            if (!row.enabled) continue;
            if (const auto delay = row.delay.Seconds(); delay && *delay == tick) ++due;
        }
        benchmark::DoNotOptimize(due);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_BareScanNoneDue)->Unit(benchmark::kMicrosecond);

}  // namespace
