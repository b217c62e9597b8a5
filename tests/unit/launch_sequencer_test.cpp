#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "launch/sequencer.h"
#include "util/whole_number.h"

namespace {

using lentora::ISequencerHost;
using lentora::ParseWholeNumber;
using lentora::SequencerAction;
using lentora::SequencerRow;
using lentora::WalkState;
using lentora::WalkStatus;
using Lines = std::vector<std::wstring>;

struct RecordingLog : lentora::ILogSink {
    Lines lines;
    void Log(const std::wstring& line) override { lines.push_back(line); }
};

// The walk's host and observer in one, recording what the walk reads, starts and tells. Fields and
// delays are texts, as the window's controls hold them, read as numbers the way the window reads them.
struct FakeHost : ISequencerHost, lentora::IWalkObserver {
    struct Task {
        std::wstring commandLine;
        lentora::TaskDelay delay;
        bool enabled = true;
        std::wstring status;  // "Enabled" or "Disabled" after a reset, else the last outcome's name
        lentora::TaskId id = 0;
    };
    struct Ended {
        std::wstring commandLine;
        lentora::LaunchOutcome outcome;
        bool ofTheWalk = true;
        bool operator==(const Ended&) const = default;
    };

    // Inputs.
    std::vector<Task> rows;
    bool waitTimer = false;
    std::wstring waitSec = L"0";
    std::wstring timeExit = L"0";
    std::set<std::wstring> failing, declining, asking;  // asking: the consent prompt opens

    // What the walk told.
    Lines launches;
    std::vector<WalkStatus> states;
    std::wstring counterPanel = L"-";  // the ticks, "" once cleared
    bool walkActive = false;
    bool delayArmed = false;
    std::uint32_t delaySeconds = 0;
    bool startTimer = false;
    std::map<SequencerAction, bool> visible;
    std::vector<Ended> ended;
    int statusRefreshes = 0;
    bool minimized = false;
    bool closed = false;

    // The wait for a calm system. `cpu` holds one sample per tick, the first for tick 1: '.' calm,
    // 'B' busy, '=' at the threshold, '?' unknown; after its end the system is calm.
    lentora::IdleWaitOptions idleWait;
    std::string cpu;
    const lentora::Sequencer* seq = nullptr;
    std::vector<int> sampledAt;
    std::vector<bool> waiting;  // every announcement, in order

    bool DelayOfStartOn() const override { return waitTimer; }
    std::optional<std::int32_t> DelayOfStartSec() const override { return ParseWholeNumber(waitSec); }
    std::wstring DelayOfStartText() const override { return waitSec; }
    std::optional<std::int32_t> ExitTimeSec() const override { return ParseWholeNumber(timeExit); }
    int RowCount() const override { return static_cast<int>(rows.size()); }
    SequencerRow Row(int i) const override {
        return {rows.at(i).commandLine, rows.at(i).delay.Seconds(), rows.at(i).enabled, rows.at(i).id};
    }
    lentora::LaunchOutcome LaunchProgram(lentora::TaskId, const std::wstring& commandLine) override {
        launches.push_back(commandLine);
        if (declining.contains(commandLine)) return lentora::LaunchOutcome::Declined;
        if (asking.contains(commandLine)) return lentora::LaunchOutcome::AwaitingConsent;
        return failing.contains(commandLine) ? lentora::LaunchOutcome::Failed : lentora::LaunchOutcome::Started;
    }
    lentora::IdleWaitOptions IdleWait() const override { return idleWait; }
    std::optional<int> CpuBusyPercent() override {
        const int tick = seq->Ticks();
        const bool first = sampledAt.empty();
        sampledAt.push_back(tick);
        if (first) return std::nullopt;  // as the sampler's first call
        switch (tick >= 1 && tick <= static_cast<int>(cpu.size()) ? cpu[static_cast<size_t>(tick - 1)] : '.') {
            case 'B': return 90;
            case '=': return idleWait.thresholdPercent.value_or(30);
            case '?': return std::nullopt;
            default: return 10;
        }
    }

    void StartModeBegan() override { minimized = true; }
    void StatusChanged(const WalkStatus& status) override { states.push_back(status); }
    void WalkActiveChanged(bool active) override { walkActive = active; }
    void TicksChanged(std::optional<int> ticks) override { counterPanel = ticks ? std::to_wstring(*ticks) : L""; }
    void DelayOfStartTimer(std::optional<std::uint32_t> seconds) override {
        delayArmed = seconds.has_value();
        if (seconds) delaySeconds = *seconds;
    }
    void TickTimer(bool running) override { startTimer = running; }
    void ActionVisible(SequencerAction action, bool v) override { visible[action] = v; }
    void StatusesReset() override {
        ++statusRefreshes;
        for (Task& t : rows) t.status = t.enabled ? L"Enabled" : L"Disabled";
    }
    void LaunchEnded(lentora::TaskId task, lentora::LaunchOutcome outcome, bool ofTheWalk) override {
        static const wchar_t* const names[] = {L"Started", L"Failed", L"Declined", L"Awaiting"};
        for (Task& t : rows)
            if (t.id == task) {
                t.status = names[static_cast<int>(outcome)];
                ended.push_back({t.commandLine, outcome, ofTheWalk});
            }
    }
    void HeldForSystem(bool held) override { waiting.push_back(held); }
    void Finished() override { closed = true; }
};

bool AllStarted(const WalkStatus& status) {
    return status.state == WalkState::AllLaunched && status.launchesNotStarted == 0;
}

struct Walk {
    std::map<int, Lines> launchedAt;
    std::vector<int> allStartedAt;
    int closedAt = 0;
};

// One sequencer with its recording host and log.
struct Rig {
    Rig() { host.seq = &seq; }
    void AddTask(const std::wstring& commandLine, const std::wstring& delay, bool enabled = true) {
        host.rows.push_back({commandLine, delay, enabled, L"", ++lastId});
    }

    // Fires the walk's clock while it runs, like the window's timer would, at most `ticks` times.
    Walk Tick(int ticks = 1000) {
        Walk walk;
        for (int i = 0; i < ticks && host.startTimer && !host.closed; ++i) {
            const size_t launches = host.launches.size();
            const size_t states = host.states.size();
            seq.Tick();
            const int tick = seq.Ticks();
            for (size_t l = launches; l < host.launches.size(); ++l) walk.launchedAt[tick].push_back(host.launches[l]);
            for (size_t p = states; p < host.states.size(); ++p)
                if (AllStarted(host.states[p])) walk.allStartedAt.push_back(tick);
            if (host.closed) walk.closedAt = tick;
        }
        return walk;
    }

    // Starts a walk that waits for a calm system at most `longestWaitSec` per launch.
    void StartWaitingWalk(int longestWaitSec, std::string cpu) {
        host.idleWait = {true, 30, longestWaitSec};
        host.cpu = std::move(cpu);
        seq.StartOrStop();
    }

    Lines LogSince(size_t from) const { return Lines(log.lines.begin() + static_cast<long>(from), log.lines.end()); }
    bool Visible(SequencerAction action) const { return seq.ActionVisible(action); }

    FakeHost host;
    lentora::TaskId lastId = 0;
    RecordingLog log;
    lentora::Sequencer seq{host, host, log};
};

class SequencerTest : public ::testing::Test, protected Rig {};

TEST_F(SequencerTest, WithoutEnabledTasksClosesOneTickAfterExitTime) {
    struct Case {
        bool withDisabledTask;
        const wchar_t* exit;
        int closedAt;
    };
    for (const Case c : {Case{false, L"0", 1}, Case{false, L"3", 4}, Case{true, L"0", 1}, Case{true, L"2", 3}}) {
        SCOPED_TRACE(testing::Message() << "disabled task " << c.withDisabledTask << ", exit " << c.exit);
        Rig r;
        if (c.withDisabledTask) r.AddTask(L"C:\\a.exe", L"5", false);
        r.host.timeExit = c.exit;
        r.seq.StartOrStop();
        EXPECT_EQ(r.seq.LargestDelay(), 0);
        EXPECT_EQ(r.log.lines.back(), L"Time for start of tasks 0 sec");
        const Walk walk = r.Tick(100);
        EXPECT_EQ(walk.closedAt, c.closedAt);
        EXPECT_FALSE(r.host.startTimer);
        EXPECT_TRUE(r.host.launches.empty());
        EXPECT_TRUE(walk.allStartedAt.empty());
    }
}

TEST_F(SequencerTest, LaunchesDueTasksInListOrderAndClosesAfterExitTime) {
    AddTask(L"C:\\a.exe", L"5");
    AddTask(L"C:\\b.exe /x", L"5");
    AddTask(L"C:\\c.exe", L"10");
    host.timeExit = L"3";
    seq.StartOrStop();
    EXPECT_EQ(seq.LargestDelay(), 10);
    EXPECT_EQ(log.lines, (Lines{L"Begin timer of Start", L"Time for start of tasks 10 sec"}));

    const Walk walk = Tick();
    EXPECT_EQ(walk.launchedAt, (std::map<int, Lines>{{5, {L"C:\\a.exe", L"C:\\b.exe /x"}}, {10, {L"C:\\c.exe"}}}));
    EXPECT_EQ(walk.allStartedAt, std::vector<int>{10});
    EXPECT_EQ(walk.closedAt, 14);
    EXPECT_EQ(host.counterPanel, L"14");
    for (const auto& row : host.rows) EXPECT_EQ(row.status, L"Started");
}

TEST_F(SequencerTest, OnlyEnabledWholeNumberDelaysCountAndAreLaunched) {
    AddTask(L"big-disabled", L"20", false);
    AddTask(L"zero", L"0");
    AddTask(L"negative", L"-2");
    AddTask(L"text", L"abc");
    AddTask(L"blank", L" 2");
    AddTask(L"overflow", L"99999999999");
    AddTask(L"due", L"2");
    host.timeExit = L"1";
    seq.StartOrStop();
    EXPECT_EQ(seq.LargestDelay(), 2);

    const Walk walk = Tick();
    EXPECT_EQ(walk.launchedAt, (std::map<int, Lines>{{2, {L"due"}}}));
    EXPECT_EQ(walk.closedAt, 4);
}

TEST_F(SequencerTest, ExitTimeIsReadAgainAtEveryTick) {
    AddTask(L"a", L"2");
    host.timeExit = L"5";
    seq.StartOrStop();
    Tick(3);
    host.timeExit = L"10";  // raised: the close moves to 2 + 10 + 1
    EXPECT_EQ(Tick().closedAt, 13);

    Rig r;
    r.AddTask(L"a", L"2");
    r.host.timeExit = L"10";
    r.seq.StartOrStop();
    r.Tick(6);
    r.host.timeExit = L"1";  // lowered below the elapsed ticks: closes at the next tick
    EXPECT_EQ(r.Tick(1).closedAt, 7);
}

TEST_F(SequencerTest, ExitTimeThatIsNoWholeNumberKeepsTheLastValidOne) {
    AddTask(L"a", L"1");
    host.timeExit = L"4";
    seq.StartOrStop();
    Tick(2);
    for (const wchar_t* halfTyped : {L"", L"-", L"4x"}) {
        host.timeExit = halfTyped;
        Tick(1);
        EXPECT_FALSE(host.closed) << halfTyped;
    }
    EXPECT_EQ(Tick().closedAt, 6);

    // A new walk starts from the field, or from the last valid value when the field holds none.
    host.closed = false;
    seq.StartOrStop();  // stops the closed walk
    host.timeExit = L"";
    seq.StartOrStop();
    EXPECT_EQ(Tick().closedAt, 6);
}

TEST_F(SequencerTest, NegativeExitTimeNeverClosesBeforeTheLastLaunch) {
    AddTask(L"a", L"5");
    host.timeExit = L"-3";
    seq.StartOrStop();
    const Walk walk = Tick();
    EXPECT_EQ(walk.launchedAt, (std::map<int, Lines>{{5, {L"a"}}}));
    EXPECT_EQ(walk.closedAt, 6);
}

TEST_F(SequencerTest, PauseKeepsTheCounterAndResumeContinuesFromIt) {
    AddTask(L"a", L"6");
    seq.StartOrStop();
    Tick(4);
    const size_t logged = log.lines.size();

    seq.Pause();
    EXPECT_FALSE(host.startTimer);
    EXPECT_EQ(host.states.back(), (WalkStatus{WalkState::Paused}));
    EXPECT_FALSE(Visible(SequencerAction::Pause));
    EXPECT_TRUE(Visible(SequencerAction::Resume));
    seq.RefreshPauseAction();
    seq.RefreshStopAction();
    EXPECT_TRUE(Visible(SequencerAction::Pause));  // a paused walk offers Pause, Resume and Stop
    EXPECT_TRUE(Visible(SequencerAction::Stop));

    seq.Resume();
    EXPECT_TRUE(host.startTimer);
    EXPECT_EQ(host.states.back(), (WalkStatus{WalkState::Walking}));
    EXPECT_FALSE(Visible(SequencerAction::Resume));
    EXPECT_TRUE(Visible(SequencerAction::Pause));
    EXPECT_EQ(LogSince(logged), (Lines{L"Task list is paused", L"Task list is resumed"}));
    Tick(1);
    EXPECT_EQ(host.counterPanel, L"5");
}

TEST_F(SequencerTest, StopThenStartBeginsAgainAtTickZero) {
    AddTask(L"a", L"2");
    AddTask(L"b", L"3");
    host.timeExit = L"5";
    seq.StartOrStop();
    EXPECT_TRUE(seq.WalkActive());
    EXPECT_TRUE(host.walkActive);
    Tick(3);
    EXPECT_EQ(host.rows[0].status, L"Started");
    const size_t logged = log.lines.size();

    seq.StartOrStop();
    EXPECT_EQ(LogSince(logged), Lines{L"Stopping of timer of the start"});
    EXPECT_FALSE(seq.WalkActive());
    EXPECT_FALSE(host.startTimer);
    EXPECT_FALSE(host.walkActive);
    EXPECT_EQ(host.states.back(), (WalkStatus{WalkState::Ready}));
    EXPECT_EQ(host.counterPanel, L"");
    EXPECT_EQ(host.rows[0].status, L"Enabled");  // every press refreshes the statuses first
    EXPECT_EQ(seq.Ticks(), 3);  // stop keeps the counter until the next walk

    seq.StartOrStop();
    EXPECT_EQ(host.statusRefreshes, 3);
    EXPECT_EQ(seq.Ticks(), 0);
    const Walk again = Tick(3);
    EXPECT_EQ(again.launchedAt, (std::map<int, Lines>{{2, {L"a"}}, {3, {L"b"}}}));
}

TEST_F(SequencerTest, StartModeWithoutArmedDelayWalksAtOnce) {
    struct Case {
        bool waitTimer;
        const wchar_t* waitSec;
        Lines head;
    };
    const Case cases[] = {
        {true, L"0",
         {L"Autostart on key launch", L"Delay of start is Active", L"Time of delay = 0 sec", L"Delays are not present"}},
        {true, L"abc",
         {L"Autostart on key launch", L"Delay of start is Active", L"Time of delay = abc sec",
          L"Delays are not present"}},
        {false, L"30", {L"Autostart on key launch", L"Delay of start is Disable", L"Delays are not present"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.waitTimer << " " << c.waitSec);
        Rig r;
        r.AddTask(L"a", L"7");
        r.host.waitTimer = c.waitTimer;
        r.host.waitSec = c.waitSec;
        r.seq.BeginStartMode();
        Lines expected = c.head;
        for (const wchar_t* line : {L"End delay time...", L"The beginning of processing of the task list",
                                    L"Begin timer of Start", L"Time for start of tasks 7 sec"})
            expected.push_back(line);
        EXPECT_EQ(r.log.lines, expected);
        EXPECT_TRUE(r.host.minimized);
        EXPECT_TRUE(r.seq.WalkActive());
        EXPECT_TRUE(r.host.startTimer);
        EXPECT_FALSE(r.host.delayArmed);
        std::vector<WalkStatus> states{{WalkState::Walking}};
        if (c.waitTimer) states.insert(states.begin(), {WalkState::DelayOfStart});
        EXPECT_EQ(r.host.states, states);
    }
}

TEST_F(SequencerTest, DelayOfStartArmsTheWaitTimerAndItsEventStartsTheWalk) {
    host.waitTimer = true;
    host.waitSec = L"30";
    seq.BeginStartMode();
    EXPECT_EQ(log.lines, (Lines{L"Autostart on key launch", L"Delay of start is Active", L"Time of delay = 30 sec",
                                L"Timer of delay is started"}));
    EXPECT_TRUE(host.delayArmed);
    EXPECT_EQ(host.delaySeconds, 30u);
    EXPECT_TRUE(Visible(SequencerAction::Wait));
    EXPECT_FALSE(seq.WalkActive());
    EXPECT_FALSE(host.startTimer);
    EXPECT_EQ(host.states.back(), (WalkStatus{WalkState::DelayOfStart}));

    const size_t logged = log.lines.size();
    seq.DelayElapsed();
    EXPECT_EQ(LogSince(logged), (Lines{L"End delay time...", L"The beginning of processing of the task list",
                                       L"Begin timer of Start", L"Time for start of tasks 0 sec"}));
    EXPECT_FALSE(host.delayArmed);
    EXPECT_FALSE(Visible(SequencerAction::Wait));
    EXPECT_TRUE(seq.WalkActive());
}

TEST_F(SequencerTest, DelayOfStartBeyondTheEditRangeIsCapped) {
    host.waitTimer = true;
    host.waitSec = L"5000000";
    seq.BeginStartMode();
    EXPECT_EQ(host.delaySeconds, 999999u);
}

TEST_F(SequencerTest, StartDuringDelayOfStartStopsTheDelayAndWalksAtOnce) {
    host.waitTimer = true;
    host.waitSec = L"30";
    seq.BeginStartMode();
    const size_t logged = log.lines.size();
    seq.StartOrStop();
    EXPECT_EQ(LogSince(logged), (Lines{L"Stopping delay timer", L"Compulsory start of processing of the task list",
                                       L"Begin timer of Start", L"Time for start of tasks 0 sec"}));
    EXPECT_FALSE(host.delayArmed);
    EXPECT_FALSE(Visible(SequencerAction::Wait));
    EXPECT_TRUE(seq.WalkActive());
    EXPECT_TRUE(host.startTimer);
}

TEST_F(SequencerTest, CancellingDelayOfStartLeavesTheProgramIdle) {
    AddTask(L"a", L"1");
    host.waitTimer = true;
    host.waitSec = L"30";
    seq.BeginStartMode();
    const size_t logged = log.lines.size();
    seq.CancelDelay();
    EXPECT_EQ(LogSince(logged), (Lines{L"Pushed button of stop timer of delay", L"Stopping timer of delay"}));
    EXPECT_FALSE(host.delayArmed);
    EXPECT_FALSE(Visible(SequencerAction::Wait));
    EXPECT_EQ(host.states.back(), (WalkStatus{WalkState::Ready}));
    EXPECT_FALSE(seq.WalkActive());
    EXPECT_FALSE(host.startTimer);
    EXPECT_FALSE(host.closed);
    EXPECT_TRUE(host.launches.empty());
}

// A tray menu opened in one state and used in the next, or a timer message queued before a
// change of state, finds the sequencer elsewhere: the command then changes nothing.
TEST(SequencerStaleCommands, CommandsThatNoLongerFitTheStateDoNothing) {
    using Step = std::function<void(Rig&)>;
    const Step delayOfStart = [](Rig& r) {
        r.host.waitTimer = true;
        r.host.waitSec = L"30";
        r.seq.BeginStartMode();
    };
    struct Case {
        const char* name;
        Step before;
        Step stale;
    };
    const Case cases[] = {
        {"Waiting... Stop after the delay has ended", [&](Rig& r) { delayOfStart(r), r.seq.DelayElapsed(); },
         [](Rig& r) { r.seq.CancelDelay(); }},
        {"Waiting... Stop after a start by hand", [&](Rig& r) { delayOfStart(r), r.seq.StartOrStop(); },
         [](Rig& r) { r.seq.CancelDelay(); }},
        {"delay event after the delay was cancelled", [&](Rig& r) { delayOfStart(r), r.seq.CancelDelay(); },
         [](Rig& r) { r.seq.DelayElapsed(); }},
        {"delay event after a start by hand", [&](Rig& r) { delayOfStart(r), r.seq.StartOrStop(); },
         [](Rig& r) { r.seq.DelayElapsed(); }},
        {"tray Stop when no walk is active", [](Rig&) {}, [](Rig& r) { r.seq.StopFromTray(); }},
        {"tray Stop after the walk was stopped", [](Rig& r) { r.seq.StartOrStop(), r.seq.StartOrStop(); },
         [](Rig& r) { r.seq.StopFromTray(); }},
        {"tick after a stop", [](Rig& r) { r.seq.StartOrStop(), r.Tick(1), r.seq.StartOrStop(); },
         [](Rig& r) { r.seq.Tick(); }},
        {"tick while paused", [](Rig& r) { r.seq.StartOrStop(), r.Tick(1), r.seq.Pause(); },
         [](Rig& r) { r.seq.Tick(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig r;
        r.AddTask(L"a", L"2");
        c.before(r);
        const auto state = [&r] {
            return std::tuple{r.seq.WalkActive(), r.seq.Ticks(), r.host.startTimer, r.host.delayArmed,
                              r.host.states, r.host.counterPanel, r.host.walkActive, r.host.launches, r.host.visible};
        };
        const auto before = state();
        const size_t logged = r.log.lines.size();
        c.stale(r);
        EXPECT_EQ(r.LogSince(logged), Lines{});
        EXPECT_TRUE(state() == before);
    }
}

TEST_F(SequencerTest, FailedOrDeclinedLaunchIsMarkedAndTheWalkGoesOn) {
    AddTask(L"missing.exe", L"1");
    AddTask(L"C:\\ok.exe", L"1");
    AddTask(L"C:\\late.exe", L"2");
    AddTask(L"C:\\admin.exe", L"2");
    host.failing = {L"missing.exe"};
    host.declining = {L"C:\\admin.exe"};
    seq.StartOrStop();
    const Walk walk = Tick();
    EXPECT_EQ(walk.launchedAt, (std::map<int, Lines>{{1, {L"missing.exe", L"C:\\ok.exe"}},
                                                      {2, {L"C:\\late.exe", L"C:\\admin.exe"}}}));
    EXPECT_EQ(walk.closedAt, 3);
    EXPECT_EQ(host.rows[0].status, L"Failed");
    EXPECT_EQ(host.rows[1].status, L"Started");
    EXPECT_EQ(host.rows[3].status, L"Declined");
    using lentora::LaunchOutcome;
    EXPECT_EQ(host.ended, (std::vector<FakeHost::Ended>{{L"missing.exe", LaunchOutcome::Failed},
                                                         {L"C:\\ok.exe", LaunchOutcome::Started},
                                                         {L"C:\\late.exe", LaunchOutcome::Started},
                                                         {L"C:\\admin.exe", LaunchOutcome::Declined}}));
    EXPECT_TRUE(walk.allStartedAt.empty()) << "not all of them started";
    EXPECT_EQ(host.states.back(), (WalkStatus{WalkState::AllLaunched, 4, 2}));
}

// admin.exe, due at 1, asks for consent; b is due at 2. The walk goes on meanwhile, and waits for
// the answer before it closes; the list is re-sorted before the answer comes.
TEST(SequencerConsent, TheWalkGoesOnWhileAConsentIsOpenAndTheAnswerLandsOnItsTask) {
    using lentora::LaunchOutcome;
    struct Case {
        const char* name;
        LaunchOutcome answer;
        bool deletedMeanwhile;
        std::wstring status;
        bool told;  // the answer is told of
        WalkStatus lastState;
    };
    const Case cases[] = {
        {"started", LaunchOutcome::Started, false, L"Started", true, {WalkState::AllLaunched, 2, 0}},
        {"failed", LaunchOutcome::Failed, false, L"Failed", true, {WalkState::AllLaunched, 2, 1}},
        {"declined", LaunchOutcome::Declined, false, L"Declined", true, {WalkState::AllLaunched, 2, 1}},
        {"the task deleted meanwhile", LaunchOutcome::Started, true, L"", false, {WalkState::AllLaunched, 2, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig r;
        r.AddTask(L"admin.exe", L"1");
        r.AddTask(L"b", L"2");
        r.host.asking = {L"admin.exe"};
        r.seq.StartOrStop();
        const Walk walk = r.Tick(6);
        EXPECT_EQ(walk.launchedAt, (std::map<int, Lines>{{1, {L"admin.exe"}}, {2, {L"b"}}}));
        EXPECT_EQ(r.host.rows[0].status, L"Awaiting");
        EXPECT_FALSE(r.host.closed) << "the close waits for the answer";
        EXPECT_TRUE(walk.allStartedAt.empty());

        const lentora::TaskId admin = r.host.rows[0].id;
        std::reverse(r.host.rows.begin(), r.host.rows.end());
        if (c.deletedMeanwhile) r.host.rows.pop_back();
        r.seq.LaunchAnswered(admin, c.answer);
        EXPECT_EQ(r.host.rows[0].status, L"Started") << "b keeps its own status";
        if (!c.deletedMeanwhile) {
            EXPECT_EQ(r.host.rows[1].status, c.status);
        }
        std::vector<FakeHost::Ended> ended{{L"admin.exe", LaunchOutcome::AwaitingConsent}, {L"b", LaunchOutcome::Started}};
        if (c.told) ended.push_back({L"admin.exe", c.answer});
        EXPECT_EQ(r.host.ended, ended);
        EXPECT_EQ(r.host.states.back(), c.lastState);
        EXPECT_EQ(r.Tick(1).closedAt, 7);
    }
}

TEST_F(SequencerTest, TheAnswerToAOneOffStartOnlySetsItsTasksStatus) {
    AddTask(L"a", L"1");
    AddTask(L"b", L"5");
    seq.StartOrStop();
    Tick(1);
    const size_t states = host.states.size();
    seq.LaunchAnswered(host.rows[1].id, lentora::LaunchOutcome::Failed);
    EXPECT_EQ(host.rows[1].status, L"Failed");
    EXPECT_EQ(host.ended.back(), (FakeHost::Ended{L"b", lentora::LaunchOutcome::Failed, false}));
    EXPECT_EQ(host.states.size(), states);
    EXPECT_EQ(Tick().allStartedAt, std::vector<int>{5}) << "not counted as a failure of the walk";
}

// a is held from tick 2, b behind it from 3, c is due at 12; the list changes at tick 4 and the
// system is calm from tick 5, so the held launches go at 6 and 7. With no held task left the wait
// ends at once, and c waits for the system in its own turn.
TEST(SequencerIdleWait, HeldLaunchesFollowTheirTasksWhenTheListChanges) {
    struct Case {
        const char* name;
        std::function<void(std::vector<FakeHost::Task>&)> change;
        std::map<int, Lines> launched;
        int closedAt;
        bool stillWaitingAt5;
    };
    const Case cases[] = {
        {"re-sorted, a task added at the top",
         [](auto& rows) {
             std::reverse(rows.begin(), rows.end());
             rows.insert(rows.begin(), FakeHost::Task{L"new", L"30", true, L"", 99});
         },
         {{6, {L"a"}}, {7, {L"b"}}, {12, {L"c"}}}, 13, true},
        {"the held task deleted", [](auto& rows) { rows.erase(rows.begin()); }, {{6, {L"b"}}, {12, {L"c"}}}, 13, true},
        {"the held tasks deleted", [](auto& rows) { rows.erase(rows.begin(), rows.begin() + 2); }, {{12, {L"c"}}}, 13,
         false},
        {"every task deleted", [](auto& rows) { rows.clear(); }, {}, 13, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig r;
        r.AddTask(L"a", L"2");
        r.AddTask(L"b", L"3");
        r.AddTask(L"c", L"12");
        r.StartWaitingWalk(60, "BBBB");
        EXPECT_TRUE(r.Tick(4).launchedAt.empty());
        c.change(r.host.rows);
        Walk walk = r.Tick(1);
        EXPECT_EQ(r.host.waiting, c.stillWaitingAt5 ? std::vector<bool>({true}) : std::vector<bool>({true, false}));
        const Walk rest = r.Tick();
        walk.launchedAt.insert(rest.launchedAt.begin(), rest.launchedAt.end());
        EXPECT_EQ(walk.launchedAt, c.launched);
        EXPECT_EQ(std::max(walk.closedAt, rest.closedAt), c.closedAt);
        EXPECT_EQ(r.host.waiting, (std::vector<bool>{true, false})) << "no second wait";
        for (const auto& row : r.host.rows)
            EXPECT_EQ(row.status, row.commandLine == L"new" ? L"" : L"Started") << "the status lands on its task";
    }
}

TEST_F(SequencerTest, TrayStopEndsTheWalk) {
    AddTask(L"a", L"5");
    seq.StartOrStop();
    Tick(2);
    const size_t logged = log.lines.size();
    seq.StopFromTray();
    EXPECT_EQ(LogSince(logged), (Lines{L"Pushed traymenu of stop timer of delay", L"Stopping timer of delay",
                                       L"Stopping of timer of the start"}));
    EXPECT_FALSE(seq.WalkActive());
    EXPECT_FALSE(host.startTimer);
    EXPECT_FALSE(Visible(SequencerAction::Stop));
    EXPECT_FALSE(Visible(SequencerAction::Wait));
    EXPECT_EQ(host.states.back(), (WalkStatus{WalkState::Ready}));
    EXPECT_FALSE(host.walkActive);
}

TEST_F(SequencerTest, StoppingAPausedWalkWithdrawsResume) {
    for (const bool fromTray : {false, true}) {
        SCOPED_TRACE(fromTray ? "tray Stop" : "Start button");
        Rig r;
        r.AddTask(L"a", L"5");
        r.seq.StartOrStop();
        r.Tick(1);
        r.seq.Pause();
        if (fromTray)
            r.seq.StopFromTray();
        else
            r.seq.StartOrStop();
        EXPECT_FALSE(r.Visible(SequencerAction::Resume));
        EXPECT_TRUE(r.Visible(SequencerAction::Pause));

        const size_t logged = r.log.lines.size();
        r.seq.Resume();  // even a stale menu item cannot restart the tick
        EXPECT_FALSE(r.host.startTimer);
        EXPECT_EQ(r.log.lines.size(), logged);
        r.seq.RefreshPauseAction();
        r.seq.RefreshStopAction();
        EXPECT_FALSE(r.Visible(SequencerAction::Pause));
        EXPECT_FALSE(r.Visible(SequencerAction::Stop));
    }
}

TEST_F(SequencerTest, StopPauseAndStartNextAreOfferedExactlyWhileAWalkIsActive) {
    using Offered = std::tuple<bool, bool, bool>;
    // What the host was last told, and what a refresh then says: the walk's own changes must
    // already have told the host what the refresh would.
    auto offered = [this] {
        return Offered{host.visible[SequencerAction::Stop], host.visible[SequencerAction::Pause],
                       host.visible[SequencerAction::StartNext]};
    };
    auto refresh = [&] {
        const Offered told = offered();
        seq.RefreshStopAction();
        seq.RefreshPauseAction();
        seq.RefreshStartNextAction();
        EXPECT_EQ(std::get<2>(told), std::get<2>(offered())) << "Start next now follows the walk by itself";
        return offered();
    };
    AddTask(L"a", L"5");
    EXPECT_EQ(refresh(), Offered(false, false, false));
    seq.StartOrStop();
    EXPECT_EQ(refresh(), Offered(true, true, true));
    seq.Pause();
    EXPECT_EQ(refresh(), Offered(true, true, true));
    seq.StartOrStop();
    EXPECT_EQ(refresh(), Offered(false, false, false));
    seq.StartOrStop();
    seq.StopFromTray();
    EXPECT_EQ(refresh(), Offered(false, false, false));
}

// The wait for a calm system, at one task due at tick 5 with the longest wait 5 and the exit time 2.
TEST(SequencerIdleWait, ADueLaunchWaitsForTwoCalmTicksInARowOrTheLongestWait) {
    const std::wstring waiting = L"Waiting for the system to be idle before \"a\"";
    const std::wstring calm = L"System is idle, launching \"a\"";
    struct Case {
        const char* name;
        bool on;
        std::string cpu;
        int launchedAt;
        Lines holdLines;
        std::vector<int> sampledAt;
    };
    const Case cases[] = {
        {"calm from the first sample: no hold", true, "BB...", 5, {}, {0, 3, 4, 5}},
        {"never calm: the longest wait", true, std::string(20, 'B'), 10,
         {waiting, L"Waited 5 s for the system, launching \"a\""}, {0, 3, 4, 5, 6, 7, 8, 9, 10}},
        {"calm, then busy: two calm ticks after it", true, "BBB.B..", 7, {waiting, calm}, {0, 3, 4, 5, 6, 7}},
        {"a sample at the threshold is busy", true, "BB..=", 7, {waiting, calm}, {0, 3, 4, 5, 6, 7}},
        {"an unknown sample before two calm ones", true, "BB?..", 5, {}, {0, 3, 4, 5}},
        {"an unknown sample is not calm", true, "BB..?", 7, {waiting, calm}, {0, 3, 4, 5, 6, 7}},
        {"the option off: busy or not, on time", false, std::string(20, 'B'), 5, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig r;
        r.AddTask(L"a", L"5");
        r.host.timeExit = L"2";
        r.host.idleWait = {c.on, std::nullopt, 5};
        r.host.cpu = c.cpu;
        r.seq.StartOrStop();
        const size_t logged = r.log.lines.size();
        const Walk walk = r.Tick();
        EXPECT_EQ(walk.launchedAt, (std::map<int, Lines>{{c.launchedAt, {L"a"}}}));
        EXPECT_EQ(r.LogSince(logged), c.holdLines);
        EXPECT_EQ(r.host.sampledAt, c.sampledAt);
        EXPECT_EQ(r.host.waiting, c.holdLines.empty() ? std::vector<bool>() : std::vector<bool>({true, false}));
        EXPECT_EQ(walk.allStartedAt, std::vector<int>{c.launchedAt});
        EXPECT_EQ(walk.closedAt, c.launchedAt + 3) << "the exit time counts from the launch";
    }
}

// The walk's beginning reads the sampler once, so the first tick already measures: on a calm system
// the first launches need no wait, at the first ticks of the walk or right after its delay of start.
TEST(SequencerIdleWait, ACalmSystemLetsTheFirstLaunchesGoAtTheirOwnTicks) {
    struct Case {
        const char* name;
        bool delayOfStart;
        std::string cpu;
        std::map<int, Lines> launched;
        std::vector<int> sampledAt;
    };
    const Case cases[] = {
        {"calm", false, "", {{1, {L"a"}}, {2, {L"b"}}}, {0, 1, 2}},
        {"calm after the delay of start", true, "", {{1, {L"a"}}, {2, {L"b"}}}, {0, 1, 2}},
        {"busy at the first tick: two calm ticks after it", false, "B", {{3, {L"a"}}, {4, {L"b"}}}, {0, 1, 2, 3, 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig r;
        r.AddTask(L"a", L"1");
        r.AddTask(L"b", L"2");
        r.host.idleWait = {true, 30, 60};
        r.host.cpu = c.cpu;
        r.host.waitTimer = c.delayOfStart;
        r.host.waitSec = L"30";
        r.seq.BeginStartMode();
        if (c.delayOfStart) r.seq.DelayElapsed();
        const Walk walk = r.Tick();
        EXPECT_EQ(walk.launchedAt, c.launched);
        EXPECT_EQ(r.host.sampledAt, c.sampledAt);
        EXPECT_EQ(r.host.waiting.empty(), c.cpu.empty()) << "no hold on a calm system";
    }
}

// a and b due at 3, c at 5, d at 6, e at 12: all held from tick 3 until the system is calm at 10
// and 11. The launches due meanwhile follow one tick apart; e, due after the hold, waits on its own.
TEST(SequencerIdleWait, LaunchesDueDuringAHoldFollowItOneTickApartInTheirOrder) {
    struct Case {
        const char* name;
        std::string cpu;
        std::map<int, Lines> launched;
        Lines holdLines;
    };
    const Lines aHeld = {L"Waiting for the system to be idle before \"a\"", L"System is idle, launching \"a\""};
    const Case cases[] = {
        {"calm after the hold", std::string(9, 'B'),
         {{11, {L"a", L"b"}}, {12, {L"c"}}, {13, {L"d"}}, {14, {L"e"}}}, aHeld},
        {"busy again after the hold", std::string(9, 'B') + ".." + std::string(6, 'B'),
         {{11, {L"a", L"b"}}, {12, {L"c"}}, {13, {L"d"}}, {19, {L"e"}}},
         {aHeld[0], aHeld[1], L"Waiting for the system to be idle before \"e\"", L"System is idle, launching \"e\""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig r;
        r.AddTask(L"a", L"3");
        r.AddTask(L"e", L"12");
        r.AddTask(L"c", L"5");
        r.AddTask(L"b", L"3");
        r.AddTask(L"d", L"6");
        r.host.timeExit = L"1";
        r.StartWaitingWalk(20, c.cpu);
        const size_t logged = r.log.lines.size();
        const Walk walk = r.Tick();
        EXPECT_EQ(walk.launchedAt, c.launched);
        EXPECT_EQ(r.LogSince(logged), c.holdLines);
        const int last = c.launched.rbegin()->first;
        EXPECT_EQ(walk.allStartedAt, std::vector<int>{last});
        EXPECT_EQ(walk.closedAt, last + 2);
        for (const auto& row : r.host.rows) EXPECT_EQ(row.status, L"Started");
    }
}

TEST_F(SequencerTest, PausedTimeDoesNotCountForTheHoldAndBreaksTheCalmTicks) {
    AddTask(L"a", L"3");
    StartWaitingWalk(60, "BBBB");  // calm from tick 5
    Tick(3);
    EXPECT_EQ(host.waiting, std::vector<bool>{true});

    seq.Pause();
    EXPECT_EQ(host.waiting, (std::vector<bool>{true, false}));
    seq.Resume();
    EXPECT_EQ(host.waiting, (std::vector<bool>{true, false, true}));
    EXPECT_EQ(host.states.back(), (WalkStatus{WalkState::Walking}));
    Tick(2);  // ticks 4 and 5: calm from 5 on
    seq.Pause();
    seq.Resume();
    const Walk walk = Tick();
    // Calm at 5, the pause, calm at 6 and 7: two calm ticks in a row only at 7.
    EXPECT_EQ(walk.launchedAt, (std::map<int, Lines>{{7, {L"a"}}}));
    EXPECT_EQ(log.lines.back(), L"System is idle, launching \"a\"");
    EXPECT_EQ(host.waiting, (std::vector<bool>{true, false, true, false, true, false}));
}

TEST_F(SequencerTest, APauseHoldsTheLongestWaitBack) {
    AddTask(L"a", L"2");
    StartWaitingWalk(4, std::string(20, 'B'));
    Tick(3);
    seq.Pause();
    const size_t sampled = host.sampledAt.size();
    Tick(5);  // no tick runs while paused
    EXPECT_EQ(host.sampledAt.size(), sampled);
    seq.Resume();
    EXPECT_EQ(Tick().launchedAt, (std::map<int, Lines>{{6, {L"a"}}}));
    EXPECT_EQ(log.lines.back(), L"Waited 4 s for the system, launching \"a\"");
}

TEST_F(SequencerTest, StopDuringAHoldDropsItAndTheNextWalkBeginsAfresh) {
    AddTask(L"a", L"2");
    StartWaitingWalk(60, std::string(10, 'B'));
    Tick(4);
    seq.StopFromTray();
    EXPECT_EQ(host.waiting, (std::vector<bool>{true, false}));
    EXPECT_TRUE(host.launches.empty());

    host.cpu.clear();
    const size_t logged = log.lines.size();
    seq.StartOrStop();
    const Walk walk = Tick();
    EXPECT_EQ(walk.launchedAt, (std::map<int, Lines>{{2, {L"a"}}})) << "the old hold is gone";
    EXPECT_EQ(LogSince(logged), (Lines{L"Begin timer of Start", L"Time for start of tasks 2 sec"}));
    EXPECT_EQ(walk.closedAt, 3);
}

TEST_F(SequencerTest, SwitchingTheWaitOffEndsAHoldAtTheNextTick) {
    AddTask(L"a", L"2");
    AddTask(L"b", L"3");
    StartWaitingWalk(60, std::string(20, 'B'));
    Tick(4);
    host.idleWait.on = false;
    const size_t sampled = host.sampledAt.size();
    const Walk walk = Tick();
    EXPECT_EQ(walk.launchedAt, (std::map<int, Lines>{{5, {L"a"}}, {6, {L"b"}}}));
    EXPECT_EQ(host.sampledAt.size(), sampled);
    EXPECT_EQ(host.waiting, (std::vector<bool>{true, false}));
    EXPECT_TRUE(std::find(log.lines.begin(), log.lines.end(), L"No longer waiting for the system, launching \"a\"") !=
                log.lines.end());
}

TEST_F(SequencerTest, StartNextNowBetweenLaunchesMovesTheCounterToTheNextDelay) {
    AddTask(L"a", L"5");
    AddTask(L"c", L"8");
    AddTask(L"b", L"5");
    host.timeExit = L"2";
    seq.StartOrStop();
    Tick(2);
    EXPECT_TRUE(seq.HasNextToStart());
    const size_t logged = log.lines.size();
    seq.StartNextNow();
    EXPECT_EQ(host.launches, (Lines{L"a", L"b"}));
    EXPECT_EQ(LogSince(logged), Lines{L"Starting \"a\" now, ahead of its turn"});
    EXPECT_EQ(seq.Ticks(), 5);
    EXPECT_EQ(host.counterPanel, L"5");
    const Walk walk = Tick();
    EXPECT_EQ(walk.launchedAt, (std::map<int, Lines>{{8, {L"c"}}})) << "three ticks after a and b, as planned";
    EXPECT_EQ(walk.closedAt, 11);
}

TEST_F(SequencerTest, StartNextNowSkipsAHoldAndTheNextLaunchWaitsOnItsOwn) {
    AddTask(L"a", L"2");
    AddTask(L"b", L"2");
    AddTask(L"c", L"3");
    StartWaitingWalk(60, std::string(20, 'B'));
    Tick(4);  // a and b held since 2, c behind them
    seq.StartNextNow();
    EXPECT_EQ(host.launches, (Lines{L"a", L"b"}));
    EXPECT_EQ(seq.Ticks(), 4) << "launches already due move no counter";
    EXPECT_EQ(host.waiting, (std::vector<bool>{true, false}));
    const size_t logged = log.lines.size();
    Tick(1);
    EXPECT_EQ(host.launches.size(), 2u) << "c is not released by the user's start of a and b";
    EXPECT_EQ(LogSince(logged), Lines{L"Waiting for the system to be idle before \"c\""});
    seq.StartNextNow();
    EXPECT_EQ(host.launches.back(), L"c");
    EXPECT_FALSE(seq.HasNextToStart());
}

TEST_F(SequencerTest, StartNextNowOfTheLastLaunchLeadsToTheClose) {
    AddTask(L"a", L"5");
    host.timeExit = L"1";
    seq.StartNextNow();  // no walk yet
    EXPECT_FALSE(seq.HasNextToStart());
    EXPECT_TRUE(host.launches.empty());

    seq.StartOrStop();
    Tick(1);
    seq.Pause();
    seq.StartNextNow();
    EXPECT_EQ(host.launches, Lines{L"a"});
    EXPECT_FALSE(host.startTimer) << "the walk stays paused";
    EXPECT_EQ(host.states.back(), (WalkStatus{WalkState::Paused})) << "and says so";
    EXPECT_FALSE(seq.HasNextToStart());
    const size_t logged = log.lines.size();
    seq.StartNextNow();
    EXPECT_EQ(log.lines.size(), logged);
    seq.Resume();
    EXPECT_TRUE(AllStarted(host.states.back())) << "nothing is left to start";
    EXPECT_EQ(Tick().closedAt, 7);
}

}  // namespace
