// How the window shows the walk: the Start button, the status bar's panels and the tray's hint and
// picture, the walk's actions, the tasks' statuses and the launch balloons. It also runs the clocks
// of the delay of start and of the walk, on the window's timers.
#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <utility>

#include "app/status_texts.h"
#include "lang/language_messages.h"
#include "launch/walk_observer.h"

namespace lentora {

class Sequencer;
class TaskList;
class TaskPage;
class TrayController;
namespace ui {
class ActionList;
class Window;
}

class WalkPresenter : public IWalkObserver {
public:
    struct Parts {
        const ui::Window& window;  // its title heads the tray hint; its timers are the clocks
        const IMessageSource& texts;
        TaskList& tasks;
        TaskPage& taskPage;
        TrayController& tray;
        ui::ActionList& actions;
        std::function<bool()> balloonsOn;
        std::function<void()> minimize;
        // The status bar shows the panels again (it may not be built yet).
        std::function<void()> showPanels;
    };

    explicit WalkPresenter(Parts parts) : parts_(std::move(parts)) {}
    // The walk whose clocks this runs and whose "next to start" it asks about.
    void Follow(Sequencer& walk) { walk_ = &walk; }

    // What the panels and the tray say, also outside a walk (start-up says "Starting...").
    const StatusTexts& Texts() const { return texts_; }
    void ShowStateText(const std::wstring& text, int pictureIndex);
    // Start-up is under way; the walk's states follow.
    void ShowStarting();
    // Everything shown again in the language now applied.
    void ShowAgain();
    // The window's timer events of the clocks; false for another timer.
    bool OnTimer(UINT_PTR id);
    // "Start next now" is enabled while some task is still to start.
    void RefreshStartNext();

    // IWalkObserver.
    void StartModeBegan() override;
    void StatusChanged(const WalkStatus& status) override;
    void WalkActiveChanged(bool active) override;
    void TicksChanged(std::optional<int> ticks) override;
    void DelayOfStartTimer(std::optional<std::uint32_t> seconds) override;
    void TickTimer(bool running) override;
    void ActionVisible(SequencerAction action, bool visible) override;
    void StatusesReset() override;
    void LaunchEnded(TaskId task, LaunchOutcome outcome, bool ofTheWalk) override;
    void HeldForSystem(bool held) override;
    void Finished() override;

private:
    void ShowState();
    // The panels and the tray hint as the texts hold them.
    void ShowTexts();
    void ShowButton();
    void ShowCounter();

    Parts parts_;
    Sequencer* walk_ = nullptr;
    StatusTexts texts_;
    WalkStatus status_;
    bool active_ = false;
    std::optional<int> ticks_;
};

}  // namespace lentora
