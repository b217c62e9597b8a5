#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "launch/sequencer.h"

namespace {

using lentora::ISequencerHost;
using lentora::SequencerAction;
using lentora::SequencerRow;
using Lines = std::vector<std::wstring>;

struct RecordingLog : lentora::ILogSink {
    Lines lines;
    void Log(const std::wstring& line) override { lines.push_back(line); }
};

// Message n reads "MSGn", so every text the sequencer shows says which message it is.
struct FakeHost : ISequencerHost {
    struct Task {
        std::wstring commandLine;
        std::wstring delay;
        bool enabled = true;
        std::wstring status;
    };
    struct Balloon {
        std::wstring title;
        std::wstring text;
        int timeoutSec = 0;
        bool operator==(const Balloon&) const = default;
    };

    // Inputs.
    std::vector<Task> rows;
    bool waitTimer = false;
    std::wstring waitSec = L"0";
    std::wstring timeExit = L"0";
    bool showBalloon = false;
    std::set<std::wstring> failing;

    // Effects.
    Lines launches;
    std::vector<std::pair<std::wstring, int>> panels;
    std::wstring counterPanel = L"-";
    std::wstring buttonCaption, buttonHint;
    int buttonImage = -1;
    bool taskEditing = true;
    bool waitArmed = false;
    std::uint32_t waitInterval = 0;
    bool startTimer = false;
    std::map<SequencerAction, bool> visible;
    std::vector<Balloon> balloons;
    int hideTimerEnables = 0;
    int statusRefreshes = 0;
    bool minimized = false;
    bool closed = false;

    bool WaitTimerChecked() const override { return waitTimer; }
    std::wstring WaitSecText() const override { return waitSec; }
    std::wstring TimeExitText() const override { return timeExit; }
    bool ShowBalloonChecked() const override { return showBalloon; }
    int RowCount() const override { return static_cast<int>(rows.size()); }
    SequencerRow Row(int i) const override { return {rows.at(i).commandLine, rows.at(i).delay, rows.at(i).enabled}; }
    void SetRowStatus(int i, const std::wstring& text) override { rows.at(i).status = text; }
    void RefreshStatusColumn() override {
        ++statusRefreshes;
        for (Task& t : rows) t.status = t.enabled ? L"MSG2" : L"MSG3";
    }
    std::wstring Msg(int n) const override { return L"MSG" + std::to_wstring(n); }
    void setMSGPanel(const std::wstring& text, int icon) override { panels.emplace_back(text, icon); }
    void SetCounterPanel(const std::wstring& text) override { counterPanel = text; }
    void SetStartButton(const std::wstring& caption, const std::wstring& hint, int image) override {
        buttonCaption = caption;
        buttonHint = hint;
        buttonImage = image;
    }
    void SetTaskEditing(bool enabled) override { taskEditing = enabled; }
    void ArmWaitTimer(std::uint32_t ms) override {
        waitArmed = true;
        waitInterval = ms;
    }
    void DisarmWaitTimer() override { waitArmed = false; }
    void SetStartTimerEnabled(bool enabled) override { startTimer = enabled; }
    void SetActionVisible(SequencerAction action, bool v) override { visible[action] = v; }
    void MinimizeWindow() override { minimized = true; }
    bool LaunchProgram(const std::wstring& commandLine) override {
        launches.push_back(commandLine);
        return !failing.contains(commandLine);
    }
    void ShowLaunchBalloon(const std::wstring& title, const std::wstring& text, int timeoutSec) override {
        balloons.push_back({title, text, timeoutSec});
    }
    void EnableBalloonHideTimer() override { ++hideTimerEnables; }
    void CloseMainWindow() override { closed = true; }
};

struct Walk {
    std::map<int, Lines> launchedAt;
    std::vector<int> msg8At;
    int closedAt = 0;
};

// One sequencer with its recording host and log.
struct Rig {
    void AddTask(const std::wstring& commandLine, const std::wstring& delay, bool enabled = true) {
        host.rows.push_back({commandLine, delay, enabled, L""});
    }

    // Fires timerStart while it is enabled, like the window's timer would, at most `ticks` times.
    Walk Tick(int ticks = 1000) {
        Walk walk;
        for (int i = 0; i < ticks && host.startTimer && !host.closed; ++i) {
            const size_t launches = host.launches.size();
            const size_t panels = host.panels.size();
            seq.timerStartTimer();
            const int tick = seq.TickCounter();
            for (size_t l = launches; l < host.launches.size(); ++l) walk.launchedAt[tick].push_back(host.launches[l]);
            for (size_t p = panels; p < host.panels.size(); ++p)
                if (host.panels[p] == std::pair<std::wstring, int>{L"MSG8", 2}) walk.msg8At.push_back(tick);
            if (host.closed) walk.closedAt = tick;
        }
        return walk;
    }

    Lines LogSince(size_t from) const { return Lines(log.lines.begin() + static_cast<long>(from), log.lines.end()); }
    bool Visible(SequencerAction action) const { return seq.ActionVisible(action); }

    FakeHost host;
    RecordingLog log;
    lentora::Sequencer seq{host, log};
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
        r.seq.bbtnStartClick();
        EXPECT_EQ(r.seq.MaxTaskDelay(), 0);
        EXPECT_EQ(r.log.lines.back(), L"Time for start of tasks 0 sec");
        const Walk walk = r.Tick(100);
        EXPECT_EQ(walk.closedAt, c.closedAt);
        EXPECT_FALSE(r.host.startTimer);
        EXPECT_TRUE(r.host.launches.empty());
        EXPECT_TRUE(walk.msg8At.empty());
    }
}

TEST_F(SequencerTest, LaunchesDueTasksInListOrderAndClosesAfterExitTime) {
    AddTask(L"C:\\a.exe", L"5");
    AddTask(L"C:\\b.exe /x", L"5");
    AddTask(L"C:\\c.exe", L"10");
    host.timeExit = L"3";
    seq.bbtnStartClick();
    EXPECT_EQ(seq.MaxTaskDelay(), 10);
    EXPECT_EQ(log.lines, (Lines{L"Begin timer of Start", L"Time for start of tasks 10 sec"}));

    const Walk walk = Tick();
    EXPECT_EQ(walk.launchedAt, (std::map<int, Lines>{{5, {L"C:\\a.exe", L"C:\\b.exe /x"}}, {10, {L"C:\\c.exe"}}}));
    EXPECT_EQ(walk.msg8At, std::vector<int>{10});
    EXPECT_EQ(walk.closedAt, 14);
    EXPECT_EQ(host.counterPanel, L"MSG7: 14");
    for (const auto& row : host.rows) EXPECT_EQ(row.status, L"MSG9");
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
    seq.bbtnStartClick();
    EXPECT_EQ(seq.MaxTaskDelay(), 2);

    const Walk walk = Tick();
    EXPECT_EQ(walk.launchedAt, (std::map<int, Lines>{{2, {L"due"}}}));
    EXPECT_EQ(walk.closedAt, 4);
}

TEST_F(SequencerTest, ExitTimeIsReadAgainAtEveryTick) {
    AddTask(L"a", L"2");
    host.timeExit = L"5";
    seq.bbtnStartClick();
    Tick(3);
    host.timeExit = L"10";  // raised: the close moves to 2 + 10 + 1
    EXPECT_EQ(Tick().closedAt, 13);

    Rig r;
    r.AddTask(L"a", L"2");
    r.host.timeExit = L"10";
    r.seq.bbtnStartClick();
    r.Tick(6);
    r.host.timeExit = L"1";  // lowered below the elapsed ticks: closes at the next tick
    EXPECT_EQ(r.Tick(1).closedAt, 7);
}

TEST_F(SequencerTest, ExitTimeThatIsNoWholeNumberKeepsTheLastValidOne) {
    AddTask(L"a", L"1");
    host.timeExit = L"4";
    seq.bbtnStartClick();
    Tick(2);
    for (const wchar_t* halfTyped : {L"", L"-", L"4x"}) {
        host.timeExit = halfTyped;
        Tick(1);
        EXPECT_FALSE(host.closed) << halfTyped;
    }
    EXPECT_EQ(Tick().closedAt, 6);

    // A new walk starts from the field, or from the last valid value when the field holds none.
    host.closed = false;
    seq.bbtnStartClick();  // stops the closed walk
    host.timeExit = L"";
    seq.bbtnStartClick();
    EXPECT_EQ(Tick().closedAt, 6);
}

TEST_F(SequencerTest, NegativeExitTimeNeverClosesBeforeTheLastLaunch) {
    AddTask(L"a", L"5");
    host.timeExit = L"-3";
    seq.bbtnStartClick();
    const Walk walk = Tick();
    EXPECT_EQ(walk.launchedAt, (std::map<int, Lines>{{5, {L"a"}}}));
    EXPECT_EQ(walk.closedAt, 6);
}

TEST_F(SequencerTest, PauseKeepsTheCounterAndResumeContinuesFromIt) {
    AddTask(L"a", L"6");
    seq.bbtnStartClick();
    Tick(4);
    const size_t logged = log.lines.size();

    seq.actPauseExecute();
    EXPECT_FALSE(host.startTimer);
    EXPECT_EQ(host.panels.back(), (std::pair<std::wstring, int>{L"MSG31", 4}));
    EXPECT_FALSE(Visible(SequencerAction::Pause));
    EXPECT_TRUE(Visible(SequencerAction::Resume));
    seq.actPauseUpdate();
    seq.actStopUpdate();
    EXPECT_TRUE(Visible(SequencerAction::Pause));  // a paused walk offers Pause, Resume and Stop
    EXPECT_TRUE(Visible(SequencerAction::Stop));

    seq.actResumeExecute();
    EXPECT_TRUE(host.startTimer);
    EXPECT_EQ(host.panels.back(), (std::pair<std::wstring, int>{L"MSG11", 3}));
    EXPECT_FALSE(Visible(SequencerAction::Resume));
    EXPECT_TRUE(Visible(SequencerAction::Pause));
    EXPECT_EQ(LogSince(logged), (Lines{L"Task list is paused", L"Task list is resumed"}));
    Tick(1);
    EXPECT_EQ(host.counterPanel, L"MSG7: 5");
}

TEST_F(SequencerTest, StopThenStartBeginsAgainAtTickZero) {
    AddTask(L"a", L"2");
    AddTask(L"b", L"3");
    host.timeExit = L"5";
    seq.bbtnStartClick();
    EXPECT_EQ(seq.RunFlag(), 1);
    EXPECT_EQ(host.buttonCaption, L"MSG23");
    EXPECT_EQ(host.buttonHint, L"MSG25");
    EXPECT_EQ(host.buttonImage, 8);
    EXPECT_FALSE(host.taskEditing);
    Tick(3);
    EXPECT_EQ(host.rows[0].status, L"MSG9");
    const size_t logged = log.lines.size();

    seq.bbtnStartClick();
    EXPECT_EQ(LogSince(logged), Lines{L"Stopping of timer of the start"});
    EXPECT_EQ(seq.RunFlag(), 0);
    EXPECT_FALSE(host.startTimer);
    EXPECT_TRUE(host.taskEditing);
    EXPECT_EQ(host.panels.back(), (std::pair<std::wstring, int>{L"MSG6", 0}));
    EXPECT_EQ(host.counterPanel, L"");
    EXPECT_EQ(host.buttonCaption, L"MSG22");
    EXPECT_EQ(host.buttonHint, L"MSG24");
    EXPECT_EQ(host.buttonImage, 6);
    EXPECT_EQ(host.rows[0].status, L"MSG2");  // every press refreshes the statuses first
    EXPECT_EQ(seq.TickCounter(), 3);          // stop keeps the counter until the next walk

    seq.bbtnStartClick();
    EXPECT_EQ(host.statusRefreshes, 3);
    EXPECT_EQ(seq.TickCounter(), 0);
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
        EXPECT_EQ(r.seq.RunFlag(), 1);
        EXPECT_TRUE(r.host.startTimer);
        EXPECT_FALSE(r.host.waitArmed);
        std::vector<std::pair<std::wstring, int>> panels{{L"MSG11", 3}};
        if (c.waitTimer) panels.insert(panels.begin(), {L"MSG5", 2});
        EXPECT_EQ(r.host.panels, panels);
    }
}

TEST_F(SequencerTest, DelayOfStartArmsTheWaitTimerAndItsEventStartsTheWalk) {
    host.waitTimer = true;
    host.waitSec = L"30";
    seq.BeginStartMode();
    EXPECT_EQ(log.lines, (Lines{L"Autostart on key launch", L"Delay of start is Active", L"Time of delay = 30 sec",
                                L"Timer of delay is started"}));
    EXPECT_TRUE(host.waitArmed);
    EXPECT_EQ(host.waitInterval, 30000u);
    EXPECT_TRUE(Visible(SequencerAction::Wait));
    EXPECT_EQ(seq.RunFlag(), 0);
    EXPECT_FALSE(host.startTimer);
    EXPECT_EQ(host.panels.back(), (std::pair<std::wstring, int>{L"MSG5", 2}));

    const size_t logged = log.lines.size();
    seq.WaitTimerElapsed();
    EXPECT_EQ(LogSince(logged), (Lines{L"End delay time...", L"The beginning of processing of the task list",
                                       L"Begin timer of Start", L"Time for start of tasks 0 sec"}));
    EXPECT_FALSE(host.waitArmed);
    EXPECT_FALSE(Visible(SequencerAction::Wait));
    EXPECT_EQ(seq.RunFlag(), 1);
}

TEST_F(SequencerTest, DelayOfStartBeyondTheEditRangeIsCapped) {
    host.waitTimer = true;
    host.waitSec = L"5000000";
    seq.BeginStartMode();
    EXPECT_EQ(host.waitInterval, 999999000u);
}

TEST_F(SequencerTest, StartDuringDelayOfStartStopsTheDelayAndWalksAtOnce) {
    host.waitTimer = true;
    host.waitSec = L"30";
    seq.BeginStartMode();
    const size_t logged = log.lines.size();
    seq.bbtnStartClick();
    EXPECT_EQ(LogSince(logged), (Lines{L"Stopping delay timer", L"Compulsory start of processing of the task list",
                                       L"Begin timer of Start", L"Time for start of tasks 0 sec"}));
    EXPECT_FALSE(host.waitArmed);
    EXPECT_FALSE(Visible(SequencerAction::Wait));
    EXPECT_EQ(seq.RunFlag(), 1);
    EXPECT_TRUE(host.startTimer);
}

TEST_F(SequencerTest, CancellingDelayOfStartLeavesTheProgramIdle) {
    AddTask(L"a", L"1");
    host.waitTimer = true;
    host.waitSec = L"30";
    seq.BeginStartMode();
    const size_t logged = log.lines.size();
    seq.actWaitExecute();
    EXPECT_EQ(LogSince(logged), (Lines{L"Pushed button of stop timer of delay", L"Stopping timer of delay"}));
    EXPECT_FALSE(host.waitArmed);
    EXPECT_FALSE(Visible(SequencerAction::Wait));
    EXPECT_EQ(host.panels.back(), (std::pair<std::wstring, int>{L"MSG6", 0}));
    EXPECT_EQ(seq.RunFlag(), 0);
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
        {"Waiting... Stop after the delay has ended", [&](Rig& r) { delayOfStart(r), r.seq.WaitTimerElapsed(); },
         [](Rig& r) { r.seq.actWaitExecute(); }},
        {"Waiting... Stop after a start by hand", [&](Rig& r) { delayOfStart(r), r.seq.bbtnStartClick(); },
         [](Rig& r) { r.seq.actWaitExecute(); }},
        {"delay event after the delay was cancelled", [&](Rig& r) { delayOfStart(r), r.seq.actWaitExecute(); },
         [](Rig& r) { r.seq.WaitTimerElapsed(); }},
        {"delay event after a start by hand", [&](Rig& r) { delayOfStart(r), r.seq.bbtnStartClick(); },
         [](Rig& r) { r.seq.WaitTimerElapsed(); }},
        {"tray Stop when no walk is active", [](Rig&) {}, [](Rig& r) { r.seq.actStopExecute(); }},
        {"tray Stop after the walk was stopped", [](Rig& r) { r.seq.bbtnStartClick(), r.seq.bbtnStartClick(); },
         [](Rig& r) { r.seq.actStopExecute(); }},
        {"tick after a stop", [](Rig& r) { r.seq.bbtnStartClick(), r.Tick(1), r.seq.bbtnStartClick(); },
         [](Rig& r) { r.seq.timerStartTimer(); }},
        {"tick while paused", [](Rig& r) { r.seq.bbtnStartClick(), r.Tick(1), r.seq.actPauseExecute(); },
         [](Rig& r) { r.seq.timerStartTimer(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig r;
        r.AddTask(L"a", L"2");
        c.before(r);
        const auto state = [&r] {
            return std::tuple{r.seq.RunFlag(), r.seq.TickCounter(), r.host.startTimer, r.host.waitArmed,
                              r.host.panels, r.host.counterPanel, r.host.buttonImage, r.host.launches, r.host.visible};
        };
        const auto before = state();
        const size_t logged = r.log.lines.size();
        c.stale(r);
        EXPECT_EQ(r.LogSince(logged), Lines{});
        EXPECT_TRUE(state() == before);
    }
}

TEST_F(SequencerTest, FailedLaunchIsMarkedAndTheWalkGoesOn) {
    AddTask(L"missing.exe", L"1");
    AddTask(L"C:\\ok.exe", L"1");
    AddTask(L"C:\\late.exe", L"2");
    host.failing = {L"missing.exe"};
    host.showBalloon = true;
    seq.bbtnStartClick();
    const Walk walk = Tick();
    EXPECT_EQ(walk.launchedAt, (std::map<int, Lines>{{1, {L"missing.exe", L"C:\\ok.exe"}}, {2, {L"C:\\late.exe"}}}));
    EXPECT_EQ(walk.closedAt, 3);
    EXPECT_EQ(host.rows[0].status, L"MSG10");
    EXPECT_EQ(host.rows[1].status, L"MSG9");
    EXPECT_EQ(host.balloons, (std::vector<FakeHost::Balloon>{{L"MSG32", L"C:\\ok.exe", 10}, {L"MSG32", L"C:\\late.exe", 10}}));
    EXPECT_EQ(host.hideTimerEnables, 2);
}

TEST_F(SequencerTest, NoBalloonWhenTheOptionIsOff) {
    AddTask(L"C:\\ok.exe", L"1");
    seq.bbtnStartClick();
    Tick();
    EXPECT_EQ(host.launches, Lines{L"C:\\ok.exe"});
    EXPECT_TRUE(host.balloons.empty());
    EXPECT_EQ(host.hideTimerEnables, 0);
}

TEST_F(SequencerTest, TrayStopEndsTheWalk) {
    AddTask(L"a", L"5");
    seq.bbtnStartClick();
    Tick(2);
    const size_t logged = log.lines.size();
    seq.actStopExecute();
    EXPECT_EQ(LogSince(logged), (Lines{L"Pushed traymenu of stop timer of delay", L"Stopping timer of delay",
                                       L"Stopping of timer of the start"}));
    EXPECT_EQ(seq.RunFlag(), 0);
    EXPECT_FALSE(host.startTimer);
    EXPECT_FALSE(Visible(SequencerAction::Stop));
    EXPECT_FALSE(Visible(SequencerAction::Wait));
    EXPECT_EQ(host.panels.back(), (std::pair<std::wstring, int>{L"MSG6", 0}));
    EXPECT_EQ(host.buttonImage, 6);
}

TEST_F(SequencerTest, StoppingAPausedWalkWithdrawsResume) {
    for (const bool fromTray : {false, true}) {
        SCOPED_TRACE(fromTray ? "tray Stop" : "Start button");
        Rig r;
        r.AddTask(L"a", L"5");
        r.seq.bbtnStartClick();
        r.Tick(1);
        r.seq.actPauseExecute();
        if (fromTray)
            r.seq.actStopExecute();
        else
            r.seq.bbtnStartClick();
        EXPECT_FALSE(r.Visible(SequencerAction::Resume));
        EXPECT_FALSE(r.host.visible[SequencerAction::Resume]);
        EXPECT_TRUE(r.Visible(SequencerAction::Pause));

        const size_t logged = r.log.lines.size();
        r.seq.actResumeExecute();  // even a stale menu item cannot restart the tick
        EXPECT_FALSE(r.host.startTimer);
        EXPECT_EQ(r.log.lines.size(), logged);
        r.seq.actPauseUpdate();
        r.seq.actStopUpdate();
        EXPECT_FALSE(r.Visible(SequencerAction::Pause));
        EXPECT_FALSE(r.Visible(SequencerAction::Stop));
    }
}

TEST_F(SequencerTest, StopAndPauseAreOfferedExactlyWhileAWalkIsActive) {
    auto refresh = [this] {
        seq.actStopUpdate();
        seq.actPauseUpdate();
        EXPECT_EQ(host.visible[SequencerAction::Stop], seq.ActionVisible(SequencerAction::Stop));
        return std::pair{Visible(SequencerAction::Stop), Visible(SequencerAction::Pause)};
    };
    EXPECT_EQ(refresh(), std::pair(false, false));
    seq.bbtnStartClick();
    EXPECT_EQ(refresh(), std::pair(true, true));
    seq.actPauseExecute();
    EXPECT_EQ(refresh(), std::pair(true, true));
    seq.bbtnStartClick();
    EXPECT_EQ(refresh(), std::pair(false, false));
}

}  // namespace
