// What the launch sequencer reads from and does to the main window.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace lentora {

// The actions whose visibility the sequencer governs.
enum class SequencerAction { Wait, Pause, Resume, Stop };

// One task row as the sequencer reads it. The views stay valid until the host's rows change.
struct SequencerRow {
    std::wstring_view commandLine;
    std::wstring_view delay;
    bool enabled = false;
};

class ISequencerHost {
public:
    virtual ~ISequencerHost() = default;

    // Option controls, read at the moment of use.
    virtual bool WaitTimerChecked() const = 0;      // chbSetWaitTimer
    virtual std::wstring WaitSecText() const = 0;   // dseWaitSec
    virtual std::wstring TimeExitText() const = 0;  // dseTimeExit
    virtual bool ShowBalloonChecked() const = 0;    // chkShowBalloon

    // Task rows in display order.
    virtual int RowCount() const = 0;
    virtual SequencerRow Row(int index) const = 0;
    virtual void SetRowStatus(int index, const std::wstring& text) = 0;
    virtual void RefreshStatusColumn() = 0;  // each task's status from its check box

    // Message text n of the applied language.
    virtual std::wstring Msg(int n) const = 0;

    // Window effects.
    virtual void setMSGPanel(const std::wstring& text, int iconIndex) = 0;
    virtual void SetCounterPanel(const std::wstring& text) = 0;  // second status-bar panel
    virtual void SetStartButton(const std::wstring& caption, const std::wstring& hint, int imageIndex) = 0;
    virtual void SetTaskEditing(bool enabled) = 0;
    virtual void ArmWaitTimer(std::uint32_t intervalMs) = 0;
    virtual void DisarmWaitTimer() = 0;
    virtual void SetStartTimerEnabled(bool enabled) = 0;
    virtual void SetActionVisible(SequencerAction action, bool visible) = 0;
    virtual void MinimizeWindow() = 0;
    virtual bool LaunchProgram(const std::wstring& commandLine) = 0;
    virtual void ShowLaunchBalloon(const std::wstring& title, const std::wstring& text, int timeoutSec) = 0;
    virtual void EnableBalloonHideTimer() = 0;
    virtual void CloseMainWindow() = 0;
};

}  // namespace lentora
