// What the launch sequencer reads from and does to the main window.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "lang/language_messages.h"
#include "tasks/task.h"

namespace lentora {

// The actions whose visibility the sequencer governs; Wait is "Waiting... Stop", which cancels the
// delay of start; StartNext is "Start next now".
enum class SequencerAction { Wait, Pause, Resume, Stop, StartNext };

// One task row as the sequencer reads it. The view stays valid until the host's rows change.
struct SequencerRow {
    std::wstring_view commandLine;
    std::optional<std::int32_t> delaySec;  // none when the row's delay is no whole number
    bool enabled = false;
    TaskId task = 0;
};

// Waiting for a calm system before each launch, as the options hold it. A number is none when its
// field holds no whole number.
struct IdleWaitOptions {
    bool on = false;
    std::optional<std::int32_t> thresholdPercent;  // total CPU use below this counts as calm
    std::optional<std::int32_t> longestWaitSec;    // per held launch
};

// How a launch ended. A program that needs administrator rights asks the user first, who may say no;
// until the answer comes the launch awaits consent, and the host reports it later.
enum class LaunchOutcome { Started, Failed, Declined, AwaitingConsent };

class ISequencerHost {
public:
    virtual ~ISequencerHost() = default;

    // Options, read at the moment of use. A number is none when its field holds no whole number.
    virtual bool DelayOfStartOn() const = 0;
    virtual std::optional<std::int32_t> DelayOfStartSec() const = 0;
    virtual std::wstring DelayOfStartText() const = 0;  // as the field shows it, for the log
    virtual std::optional<std::int32_t> ExitTimeSec() const = 0;
    virtual bool LaunchBalloonsOn() const = 0;

    // Task rows in display order.
    virtual int RowCount() const = 0;
    virtual SequencerRow Row(int index) const = 0;
    virtual void SetRowStatus(int index, const std::wstring& text) = 0;
    // Every row's status back to its enabled or disabled text.
    virtual void RefreshStatusColumn() = 0;

    // Message texts of the applied language.
    virtual std::wstring Msg(Message id) const = 0;
    virtual std::wstring Msg(NamedMsg id) const = 0;

    // Window effects.
    // The state text in the first status-bar panel and the tray hint, with the tray image.
    virtual void ShowState(const std::wstring& text, int iconIndex) = 0;
    virtual void SetCounterPanel(const std::wstring& text) = 0;  // second status-bar panel
    virtual void SetStartButton(const std::wstring& caption, const std::wstring& hint, int imageIndex) = 0;
    virtual void SetTaskEditing(bool enabled) = 0;
    virtual void ArmDelayTimer(std::uint32_t intervalMs) = 0;
    virtual void DisarmDelayTimer() = 0;
    virtual void SetTickTimerEnabled(bool enabled) = 0;
    virtual void SetActionVisible(SequencerAction action, bool visible) = 0;
    virtual void MinimizeWindow() = 0;
    // A launch that awaits consent ends later: the host then calls Sequencer::LaunchAnswered with `task`.
    virtual LaunchOutcome LaunchProgram(TaskId task, const std::wstring& commandLine) = 0;
    virtual void ShowLaunchBalloon(const std::wstring& title, const std::wstring& text, int timeoutSec) = 0;
    virtual void EnableBalloonHideTimer() = 0;
    virtual void CloseMainWindow() = 0;

    // Waiting for a calm system. A host without the option never holds a launch, so it is never
    // asked for a sample and never told of a wait.
    virtual IdleWaitOptions IdleWait() const { return {}; }
    // Total CPU use in per cent since the previous call; none when it is not known (the first call).
    virtual std::optional<int> CpuBusyPercent() { return std::nullopt; }
    // True while a due launch is held back for the system and the walk runs: the status bar and
    // the tray hint say so in place of the walk's state text; false gives that text back.
    virtual void SetWaitingForSystem(bool /*waiting*/) {}
};

// A task's status after a launch with this outcome, in the applied language.
inline std::wstring LaunchStatusText(LaunchOutcome outcome, const ISequencerHost& host) {
    switch (outcome) {
        case LaunchOutcome::Started: return host.Msg(Message::TaskStartedStatus);
        case LaunchOutcome::Declined: return host.Msg(NamedMsg::TaskDeclinedStatus);
        case LaunchOutcome::AwaitingConsent: return host.Msg(NamedMsg::AwaitingConsentStatus);
        case LaunchOutcome::Failed: break;
    }
    return host.Msg(Message::TaskFailedStatus);
}

}  // namespace lentora
