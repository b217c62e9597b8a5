// MainWindow: the program's one main window. It frames the pages (PageFrame), routes its own
// messages (tabs, tray, timers, the update check, a second start), and runs start-up and the
// close. Its methods are split over main_window_*.cpp by feature.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "app/app_log.h"
#include "app/applied_language.h"
#include "app/entry_import.h"
#include "app/language_catalogue.h"
#include "app/main_window_ids.h"
#include "app/page_frame.h"
#include "app/program_launcher.h"
#include "app/single_instance.h"
#include "app/task_commands.h"
#include "app/tray_controller.h"
#include "app/update_coordinator.h"
#include "app/walk_measurer.h"
#include "app/walk_presenter.h"
#include "app/walk_sources.h"
#include "launch/sequencer.h"
#include "measure/start_history_store.h"
#include "settings/settings.h"
#include "tasks/task_list.h"
#include "ui/action.h"
#include "ui/skin_manager.h"
#include "ui/text_targets.h"
#include "ui/window.h"

namespace lentora {

namespace test {
class MainWindowProbe;
}

struct StartupContext {
    std::wstring exePath;               // full path of the running executable
    std::vector<std::wstring> args;     // command-line arguments after the program path

    // Whether a switch ("-start", "-log") is among the arguments, in any letter case.
    bool HasSwitch(const std::wstring& name) const;
};

class MainWindow : public ui::Window {
public:
    explicit MainWindow(const StartupContext& context);
    ~MainWindow() override;

    // Creates the window, then runs start-up. False when the window could not be created.
    bool Create();
    // Runs the thread's messages with the window's keys until the loop ends; its exit code.
    int RunMessageLoop();
    // The fatal stop asked the application to end: the loop must end without the close.
    bool TerminateRequested() const { return terminateRequested_; }
    // An error nothing else caught (an allocation failure on a huge file, say): it is logged and
    // shown, and the program ends without saving, since the task list and settings it would save
    // may be half built.
    void StopAfterUnhandledError(const std::wstring& what);

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    friend class test::MainWindowProbe;

    // What start-up fixes about this run.
    struct ProgramRun {
        explicit ProgramRun(const StartupContext& context);
        std::wstring exePath, folder, version, settingsPath, profileFolder;
        bool startMode = false;
        bool logSwitch = false;  // -log: logging on for this run
    };

    // The window's parts (main_window_layout.cpp).
    void CreateWindowParts();
    void CreateActions();
    void CreateTray();
    PageFrame::Parts FrameParts();
    TaskDialog::Parts TaskDialogParts();
    UpdateCoordinator::Host UpdateHost();
    WalkPresenter::Parts WalkViewParts();
    // The language in force reaches pages built now.
    void ShowLanguageOnBuiltPages();
    // The Impact column and the Last start page from the history of starts, once the frame is there
    // to show them.
    void ShowStartHistory();

    // Start-up and the close (main_window_startup.cpp).
    void RunStartup();
    void InitProgram();
    void FatalNoLanguages();
    void EndWithoutSaving(int exitCode);
    void EnsureProfileFolder();
    void LoadTasksAtStartup();
    std::wstring DataFilePath(const std::wstring& name) const;
    void OnSecondStart(SingleInstance::SecondStart start);
    void Shutdown();

    // Settings (main_window_options.cpp): those read at start-up shown, and those shown saved
    // with the autorun value.
    void ShowLoadedSettings();
    void SaveOptions();
    void OnUseSkinChanged(bool on);
    void CreateStartupShortcut();

    // Languages (main_window_language.cpp).
    void ApplySelectedLanguage();
    void ApplyLanguage(const std::wstring& path);
    std::wstring SelectedLanguagePath() const;

    // The tray, the update check and the web pages (main_window_tray.cpp, main_window_update.cpp).
    void MinimizeToTray();
    void ShowFromTray();
    bool StartUpdateCheck(bool byButton);
    bool EnglishPages() const;
    void OpenAddress(const std::wstring& address);


    ProgramRun run_;
    bool terminateRequested_ = false;
    bool closing_ = false;

    // The options as last read or saved; the Options page holds the values being edited.
    Settings settings_;
    LanguageCatalogue languages_;
    AppliedLanguage language_;
    // Where the language's texts go: the pages', the actions' and the tray menu's targets.
    ui::TextTargets textTargets_;
    ui::ActionList actions_;
    ui::SkinManager skins_;
    TaskList tasks_;
    PageFrame frame_{FrameParts()};
    AppLog log_{frame_.LogView()};
    UpdateCoordinator updates_{UpdateHost()};
    ProgramLauncher launcher_{log_, [this] { PostMessageW(hwnd(), WM_LAUNCH_ANSWERED, 0, 0); }};
    EntryImport entryImport_{TaskDialogParts()};
    TaskCommands taskCommands_{{*this, language_, log_, tasks_, skins_, [this] { return sequencer_.WalkActive(); },
                                [this](TaskId task, const std::wstring& commandLine) {
                                    return launcher_.Launch(task, commandLine);
                                },
                                [this](bool editing) { entryImport_.ShowTaskDialog(editing); }}};
    TrayController tray_{{[this] { ShowFromTray(); },
                          [this] {
                              updates_.State().downloadQuestionAsked = true;
                              updates_.AskDownload();
                          },
                          frame_.MenuPictures()},
                         actions_, ids::balloonHideTimer};
    // The walk: what it reads and starts, how it is shown and measured, and the walk itself.
    WalkSources walkSources_{frame_.Options(), tasks_, launcher_};
    WalkPresenter walkView_{WalkViewParts()};
    // Read when a page or the column first needs it: a start in the tray never reads it.
    StartHistoryStore startHistory_{[this] { return run_.folder.empty() ? std::wstring() : DataFilePath(kStartHistoryFileName); }};
    WalkMeasurer walkMeasurer_{{walkView_, log_, tasks_, launcher_, walkSources_, startHistory_}};
    Sequencer sequencer_{walkSources_, walkMeasurer_, log_};
};

}  // namespace lentora
