// MainWindow: the program's one main window. It owns the frame, the page tabs, the status bar and
// the pages, routes their messages, and runs start-up and shutdown. Its methods are split over main_window_*.cpp by feature.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/about_page.h"
#include "app/language_catalogue.h"
#include "app/log_page.h"
#include "app/main_window_ids.h"
#include "app/options_page.h"
#include "app/status_texts.h"
#include "app/program_launcher.h"
#include "app/single_instance.h"
#include "app/task_commands.h"
#include "app/task_page.h"
#include "app/tray_controller.h"
#include "app/update_coordinator.h"
#include "app/walk_presenter.h"
#include "app/walk_sources.h"
#include "lang/language_messages.h"
#include "lang/language_param.h"
#include "launch/sequencer.h"
#include "log/log_file.h"
#include "log/log_sink.h"
#include "settings/settings.h"
#include "sysint/cpu_load_sampler.h"
#include "tasks/task_list.h"
#include "ui/action.h"
#include "ui/focus_memory.h"
#include "ui/fonts.h"
#include "ui/handles.h"
#include "ui/panel.h"
#include "ui/skin_manager.h"
#include "ui/text_targets.h"
#include "ui/tooltip.h"
#include "ui/window.h"
#include "update/update_check.h"

namespace lentora {

class TaskDialog;
class StartupEntriesDialog;
struct RegistryEntry;

struct StartupContext {
    std::wstring exePath;               // full path of the running executable
    std::vector<std::wstring> args;     // command-line arguments after the program path

    // Whether a switch ("-start", "-log") is among the arguments, in any letter case.
    bool HasSwitch(const std::wstring& name) const;
};

class MainWindow : public ui::Window, public ILogSink, public IMessageSource {
public:
    explicit MainWindow(StartupContext context);
    ~MainWindow() override;

    // Creates the window, then runs start-up. False when the window could not be created.
    bool Create();
    // The fatal stop asked the application to end: the loop must end without Shutdown.
    bool TerminateRequested() const { return terminateRequested_; }
    // Ends the message loop with this exit code; the window then goes without Shutdown.
    void EndWithoutSaving(int exitCode);

    // Ctrl+X: close the program.
    HACCEL Accelerators() const { return accelerators_.get(); }

    // Process-wide values fixed by start-up.
    const std::wstring& ProgramFolder() const { return run_.folder; }
    const std::wstring& ProgramVersion() const { return run_.version; }
    const std::wstring& SettingsPath() const { return run_.settingsPath; }
    const std::wstring& ProfileFolder() const { return run_.profileFolder; }
    bool UseLog() const { return run_.useLog; }
    bool StartMode() const { return run_.startMode; }
    std::wstring DataFilePath(const std::wstring& name) const;

    TaskList& Tasks() { return tasks_; }
    Sequencer& Seq() { return sequencer_; }
    ui::ActionList& Actions() { return actions_; }
    // The action of a command id of ids; every one exists from the window's creation on.
    ui::Action& ActionFor(int commandId);

    // ILogSink: the application log (on-screen list and lentora.log).
    void Log(const std::wstring& str) override;
    std::wstring Msg(Message id) const override;
    std::wstring Msg(NamedMsg id) const override { return language_.namedMessages.Text(id); }

    // The pages and their controls. A start in the tray builds them when the window is first
    // shown; reaching a control builds them too.
    void EnsureContent();
    bool ContentBuilt() const { return contentBuilt_; }
    HWND Control(int id);
    HWND StatusBar() { return EnsureContent(), statusBar_; }
    bool LogPageVisible() const { return logPageVisible_; }
    TaskPage& TaskView() { return EnsureContent(), taskPage_; }
    OptionsPage& Options() { return optionsPage_; }
    LogPage& LogView() { return logPage_; }
    TaskCommands& TaskEditing() { return taskCommands_; }
    TrayController& Tray() { return tray_; }
    WalkPresenter& WalkView() { return walkView_; }

    void RefreshStatusColumn() { taskCommands_.RefreshStatuses(); }

    // The close: ends the walk, then saves the task list and the options.
    void Shutdown();

    // Settings: those read at start-up shown, and the options shown saved with the autorun value.
    void ShowLoadedSettings();
    void SaveOptions();
    bool GlassFrameOn() const { return glassOn_; }
    ui::SkinManager& Skins() { return skins_; }
    UpdateCoordinator& Updates() { return updates_; }

    // Languages.
    void ApplySelectedLanguage();
    void ApplyLanguage(const std::wstring& path);
    std::wstring SelectedLanguagePath() const;
    const LanguageCatalogue& Languages() const { return languages_; }
    const LanguageFileInfo& LanguageInfo() const { return language_.info; }

    // Log page.
    std::vector<std::wstring> LogLines() const { return logPage_.Lines(); }

    // Tray.
    void ShowFromTray();

    // System integration.
    void CreateStartupShortcut();
    void ShowStartupEntries();
    void CloseStartupEntries();
    // After an entry was given back to the system's start-up: the tasks that had taken it over
    // are removed, or kept and disabled.
    void GiveBackTasks(const RegistryEntry& entry, bool removeTask);
    // Takes the imported entry out of the system's start-up; false when it could not.
    const std::wstring& ExePath() const { return context_.exePath; }
    StartupEntriesDialog* StartupEntries() const { return startupEntries_.get(); }
    TaskDialog* OpenTaskDialog() const { return openTaskDialog_; }
    void SetOpenTaskDialog(TaskDialog* form) { openTaskDialog_ = form; }

    // A second start on this folder handed itself to this instance.
    void OnSecondStart(SingleInstance::SecondStart start);

    // Update check. False when the polling interval shown is no number: no check then.
    bool StartUpdateCheck(bool byButton);

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // What start-up fixes about this run.
    struct ProgramRun {
        std::wstring folder, version, settingsPath, profileFolder;
        bool startMode = false;
        bool logSwitch = false;  // -log: logging on for this run
        bool useLog = false;
    };

    // Construction of the window's content (main_window_layout.cpp).
    void CreateWindowParts();
    void CreateContent();
    void CreateActions();
    TaskPage::Actions TaskPageActions();
    OptionsPage::Actions OptionsPageActions();
    // Lays the controls out now while the window is visible, else when it is next shown: a start
    // that stays in the tray never lays out pages nobody sees.
    void RequestLayout();
    void LayoutControls();
    void ApplyFonts();
    void ShowPage(int index);
    // Pictures of tabs, buttons, menus and the About page, loaded when the window is first shown
    // or the tray menu opens: a start at log-on that stays in the tray never pays for them.
    void EnsureImages();
    // The pop-up menus' pictures, loaded when a menu first needs them.
    std::function<HIMAGELIST()> MenuPictures();
    // The content's pictures: once both the pictures and the content are there.
    void DressContentImages();
    void SetButtonImage(HWND button, int imageIndex);
    void SetTabMetrics();
    void SetComponentLabels();
    void SetLogPageVisible(bool visible);
    void InsertLogTab();
    void ShowStatusText(int part);
    void SetGlassFrame(bool on);
    void OnUseSkinChanged(bool on);
    void CreateTray();
    void MinimizeToTray();
    UpdateCoordinator::Host UpdateHost();
    bool EnglishPages() const;
    void OpenAddress(const std::wstring& address);

    // Shows the task dialog until it closes: a new task, or the selected one to edit.
    void ShowTaskDialog(bool editing);

    // Start-up (main_window_startup.cpp).
    void RunStartup();
    void InitProgram();
    void ReadCommandLine();
    void FatalNoLanguages();
    void EnsureProfileFolder();
    void LoadTasksAtStartup();

    // Notifications.
    LRESULT OnNotify(NMHDR* hdr);
    void OnCommand(int id, int code, HWND control);
    void OnContextMenu(HWND source, POINT screen);

    StartupContext context_;
    ProgramRun run_;
    bool terminateRequested_ = false;
    bool closing_ = false;
    ui::AcceleratorHandle accelerators_;

    // The options as last read or saved; the Options page holds the values being edited.
    Settings settings_;
    LanguageCatalogue languages_;
    // The language in force: its file's facts, its messages, and the texts of the pages' targets,
    // kept for pages built later.
    struct AppliedLanguage {
        LanguageFileInfo info;
        LngMsgTable messages;
        NamedMsgTable namedMessages;
        std::map<std::wstring, std::wstring, std::less<>> pageTexts;
        bool applied = false;
    } language_;
    UpdateCoordinator updates_{UpdateHost()};
    ui::SkinManager skins_;
    bool glassOn_ = true;

    TaskList tasks_;
    CpuLoadSampler cpuLoad_;  // sampled only while a launch is due with the wait for a calm system on
    ProgramLauncher launcher_{*this, [this] { PostMessageW(hwnd(), WM_LAUNCH_ANSWERED, 0, 0); }};
    TLogFile logFile_;
    ui::ActionList actions_;

    // Pictures of the tabs, menus and buttons.
    ui::ImageListHandle pictures_;
    bool picturesLoaded_ = false;
    std::vector<std::pair<HWND, ui::ImageListHandle>> buttonImages_;
    ui::UiFonts fonts_;

    std::unique_ptr<StartupEntriesDialog> startupEntries_;
    TaskDialog* openTaskDialog_ = nullptr;

    // The frame's content.
    bool contentBuilt_ = false;
    bool layoutPending_ = false;
    bool logPageVisible_ = false;
    HWND pageTabs_ = nullptr, statusBar_ = nullptr;
    ui::Tooltip tooltip_;
    ui::FocusMemory focusMemory_;
    ui::TextTargets textTargets_;
    // The page panels in tab order, the Log page's included: Tasks, Options, Log, About.
    std::array<ui::Panel, 4> pagePanels_;
    TaskCommands taskCommands_{{*this, *this, *this, tasks_, [this] { return sequencer_.WalkActive(); },
                                [this](TaskId task, const std::wstring& commandLine) {
                                    return launcher_.Launch(task, commandLine);
                                },
                                [this](bool editing) { ShowTaskDialog(editing); }}};
    TaskPage taskPage_{tasks_, actions_, TaskPageActions()};
    OptionsPage optionsPage_{OptionsPageActions(), actions_};
    LogPage logPage_{[this](const std::wstring& line) { Log(line); }};
    AboutPage aboutPage_{{[this](const std::wstring& address) { OpenAddress(address); },
                          [this](const std::wstring& line) { Log(line); }, [this] { return EnglishPages(); }}};
    TrayController tray_{{[this] { ShowFromTray(); },
                          [this] {
                              updates_.State().downloadQuestionAsked = true;
                              updates_.AskDownload();
                          },
                          MenuPictures()},
                         actions_, ids::balloonHideTimer};
    // The walk: what it reads and starts, how it is shown, and the walk itself.
    WalkSources walkSources_{optionsPage_, tasks_, launcher_, cpuLoad_};
    WalkPresenter walkView_{{*this, *this, tasks_, taskPage_, tray_, actions_,
                             [this] { return optionsPage_.Shown().showBalloon; }, [this] { MinimizeToTray(); },
                             [this] {
                                 for (int part : {0, 1}) ShowStatusText(part);
                             }}};
    Sequencer sequencer_{walkSources_, walkView_, *this};
};

}  // namespace lentora
