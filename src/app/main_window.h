// MainWindow: the program's one main window. It owns the controls, actions, menus, timers and the
// tray icon, implements the hosts through which the portable core acts, and runs start-up and
// shutdown. Its methods are split over main_window_*.cpp by feature.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/about_page.h"
#include "app/log_page.h"
#include "app/main_window_ids.h"
#include "app/program_launcher.h"
#include "app/tray_controller.h"
#include "app/update_worker.h"
#include "lang/language_messages.h"
#include "lang/language_param.h"
#include "launch/sequencer.h"
#include "log/log_file.h"
#include "log/log_sink.h"
#include "settings/settings.h"
#include "tasks/task_list.h"
#include "ui/action.h"
#include "ui/control_values.h"
#include "ui/controls.h"
#include "ui/deferred_updates.h"
#include "ui/focus_memory.h"
#include "ui/handles.h"
#include "ui/panel.h"
#include "ui/popup_menu.h"
#include "ui/skin_manager.h"
#include "ui/tooltip.h"
#include "ui/tray_icon.h"
#include "ui/window.h"
#include "update/update_check.h"

namespace lentora {

class TaskDialog;
class StartupEntriesDialog;

// The data object of a language selector entry: the full path of its language file.
struct TIDD {
    std::wstring Iiobject;
};

struct StartupContext {
    std::wstring exePath;               // full path of the running executable
    std::vector<std::wstring> args;     // command-line arguments after the program path
};

class MainWindow : public ui::Window, public ILogSink, public ISequencerHost {
public:
    explicit MainWindow(StartupContext context);
    ~MainWindow() override;

    // Creates the window, then runs FormCreate. False when the window could not be created.
    bool Create();
    // The fatal stop asked the application to end: the loop must end without FormClose.
    bool TerminateRequested() const { return terminateRequested_; }
    // Ends the message loop with this exit code; the window then goes without FormClose.
    void EndWithoutSaving(int exitCode);

    // Ctrl+X for actCloseApp.
    HACCEL Accelerators() const { return accelerators_.get(); }

    // Process-wide values fixed by start-up.
    const std::wstring& ProgramFolder() const { return programFolder_; }
    const std::wstring& ProgramVersion() const { return programVersion_; }
    const std::wstring& SettingsPath() const { return settingsPath_; }
    const std::wstring& ProfileFolder() const { return profileFolder_; }
    bool UseLog() const { return useLog_; }
    bool StartMode() const { return startMode_; }
    std::wstring DataFilePath(const std::wstring& name) const;

    TaskList& Tasks() { return tasks_; }
    Sequencer& Seq() { return sequencer_; }
    ui::ActionList& Actions() { return actions_; }
    // The action of a command id of ids; every one exists from the window's creation on.
    ui::Action& ActionFor(int commandId);

    // ILogSink: the application log (on-screen list and lentora.log).
    void Log(const std::wstring& str) override;
    void setMSGPanel(const std::wstring& msg, int iconIndex) override;
    std::wstring Msg(Message id) const override;
    const std::wstring& Msg(NamedMsg id) const { return namedMsg_.Text(id); }
    void SetLngMsg(int n, std::wstring text);

    // The pages and their controls. A start in the tray builds them when the window is first
    // shown; reaching a control builds them too.
    void EnsureContent();
    bool ContentBuilt() const { return contentBuilt_; }
    HWND lvListProg() { return EnsureContent(), lvListProg_; }
    HWND StatusBar() { return EnsureContent(), statusBar_; }
    HWND lbLog() { return EnsureContent(), logPage_.List(); }
    HWND Control(int id);
    bool LogPageVisible() const;

    // Task page.
    void RefreshStatusColumn() override;
    void RefreshListView();
    void actEditTaskExecute();
    void actDeleteTaskExecute();
    void actDeleteAllTaskExecute();
    void actSetActiveAllExecute();
    void actDeactiveAllExecute();
    void actAddTaskExecute();
    void actStartExecute();
    bool LaunchProgram(const std::wstring& commandLine) override;

    // Shutdown.
    void FormClose();

    // Settings and options page.
    void LoadParams();
    void SaveParams();
    void SetOptionsChanged(bool changed);
    bool OptionsChanged() const;
    void btnSaveOptionsClick();
    void OnOptionClicked(int id);
    void chbUseSkinClick();
    void chbAeroClick();
    void sSkinBoxChange();
    void sbDownSBClick();
    void sbUpSBClick();
    int OptionsScrollPosition() const { return OptionsSB_.ScrollPosition(); }
    bool GlassFrameOn() const { return glassOn_; }
    ui::SkinManager& Skins() { return skins_; }
    UpdateState& UpdateCheckState() { return updateState_; }

    // Languages.
    void SearchLanguageFiles(const std::wstring& folder, const std::wstring& mask);
    void AddLanguageFile(const std::wstring& path);
    void cbLanguageSelectChange();
    void actApplyLngExecute();
    void ApplyLanguage(const std::wstring& path);
    std::wstring SelectedLanguagePath() const;
    const TLngParam& LngParam() const { return lngParam_; }

    // Log page.
    std::vector<std::wstring> LogLines() const;
    LogPage& LogView() { return logPage_; }

    // Tray.
    TrayController& Tray() { return tray_; }
    void mnuShowClick();

    // System integration.
    void btnCreateLinkClick();
    void actImportExecute();
    void DestroyRegistryForm();
    // Takes the imported entry out of the system's start-up; false when it could not.
    bool MoveImportedRegistryEntry();
    StartupEntriesDialog* RegistryForm() const { return registryForm_.get(); }
    TaskDialog* PropertyForm() const { return propertyForm_; }
    void SetPropertyForm(TaskDialog* form) { propertyForm_ = form; }

    // Update check. False when the polling interval shown is no number: no check then.
    bool StartUpdateCheck(bool byButton);
    void btnCheckUpdatesClick() { StartUpdateCheck(true); }
    // Takes over a finished check's state: the manual check's answer or the update balloon.
    void ShowUpdateResult(const UpdateState& state);

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // Construction of the window's content (main_window_layout.cpp).
    void CreateWindowParts();
    void CreateContent();
    void SetOptionDefaults();
    HWND FindControl(int id) const;
    void CreateTaskPage();
    void CreateOptionsPage();
    void CreateActions();
    void CreateMenus();
    // Lays the controls out now while the window is visible, else when it is next shown: a start
    // that stays in the tray never lays out pages nobody sees.
    void RequestLayout();
    void LayoutControls();
    void LayoutOptionsPage();
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
    void SetAboutTitle(const std::wstring& title);
    void SetAuthorLabel(const std::wstring& text);
    void SetMemoTexts(const std::optional<std::wstring>& license, const std::optional<std::wstring>& about);
    void SetComponentLabels();
    void SetTabMetrics(int height, int padding);
    void SetTabMetricsNow(int height, int padding);
    void SetTargetText(std::wstring_view target, const std::wstring& text);
    void SetPageTargetText(std::wstring_view target, const std::wstring& text);
    // A text on a page, shown once the pages are built.
    void SetPageText(int id, const std::wstring& text);
    void SetLogPageVisible(bool visible);
    void InsertLogTab();
    void SetCheck(int id, bool checked);
    // A number field's text: empty for no value.
    void SetNumber(int id, std::optional<int> value);
    // The options as the controls show them now.
    Settings SettingsShown() const;
    void SetGlassTopMargin();
    void SetGlassFrame(bool on);
    void SetSkinFolder(const std::wstring& folder);
    bool IsAutorunRegistered() const;
    bool UpdateAutorun(bool enabled);
    void CreateTray();
    void MinimizeToTray();
    void ResetUpdateDialogFlag();
    // What a running check posts: a log line as it happens, and its result at the end.
    void OnUpdateLogLine(LPARAM lParam);
    void OnUpdateResult(LPARAM lParam);
    void AskDownload();
    bool EnglishPages() const;
    void OpenAddress(const std::wstring& address);

    // The selected task for a command on one task; nothing, after a warning why, when the list
    // is empty or nothing is selected.
    std::optional<size_t> SelectedTaskOrWarn(Message nothingSelected);

    // Start-up (main_window_startup.cpp).
    void FormCreate();
    void InitProgram();
    void ReadCommandLine();
    void FatalNoLanguages();
    void EnsureProfileFolder();
    void LoadTasksAtStartup();

    // Notifications.
    LRESULT OnNotify(NMHDR* hdr);
    void OnCommand(int id, int code, HWND control);
    LRESULT OnListViewCustomDraw(NMLVCUSTOMDRAW* cd);
    void OnListViewItemChanged(NMLISTVIEW* nm);
    void OnContextMenu(HWND source, POINT screen);

    // ISequencerHost (main_window_sequencer.cpp).
    bool DelayOfStartOn() const override;
    std::optional<std::int32_t> DelayOfStartSec() const override;
    std::wstring DelayOfStartText() const override;
    std::optional<std::int32_t> ExitTimeSec() const override;
    bool LaunchBalloonsOn() const override;
    int RowCount() const override;
    SequencerRow Row(int index) const override;
    void SetRowStatus(int index, const std::wstring& text) override;
    void SetCounterPanel(const std::wstring& text) override;
    void SetStartButton(const std::wstring& caption, const std::wstring& hint, int imageIndex) override;
    void SetTaskEditing(bool enabled) override;
    void ArmDelayTimer(std::uint32_t intervalMs) override;
    void DisarmDelayTimer() override;
    void SetTickTimerEnabled(bool enabled) override;
    void SetActionVisible(SequencerAction action, bool visible) override;
    void MinimizeWindow() override;
    void ShowLaunchBalloon(const std::wstring& title, const std::wstring& text, int timeoutSec) override;
    void EnableBalloonHideTimer() override;
    void CloseMainWindow() override;

    StartupContext context_;
    std::vector<TIDD> languageFiles_;
    TLngParam lngParam_;
    // The options as last read or saved; the controls hold the values being edited.
    Settings settings_;
    UpdateState updateState_;
    UpdateCheckWorkers updateChecks_;
    ui::SkinManager skins_;
    ui::ImageListHandle sAlphaImageList1_;
    bool imagesLoaded_ = false;
    bool layoutPending_ = false;
    std::vector<std::pair<HWND, ui::ImageListHandle>> buttonImages_;
    std::unique_ptr<StartupEntriesDialog> registryForm_;
    TaskDialog* propertyForm_ = nullptr;
    int glassTop_ = 31;
    bool glassOn_ = true;
    int startButtonImage_ = 6;
    std::wstring programFolder_, programVersion_, settingsPath_, profileFolder_;
    bool useLog_ = false;
    bool startMode_ = false;
    bool logSwitch_ = false;  // -log: logging on for this run
    bool terminateRequested_ = false;
    bool closing_ = false;
    ui::AcceleratorHandle accelerators_;

    TaskList tasks_;
    Sequencer sequencer_;
    ProgramLauncher launcher_{*this};
    TLogFile LogFile_;
    std::array<std::wstring, 40> lngMsg_{};  // MSG1..MSG39 of the applied language; [0] unused
    NamedMsgTable namedMsg_;
    ui::ActionList actions_;
    ui::PopupMenu pmnuListProg_;

    // Controls.
    HWND pcMainPage_ = nullptr, statusBar_ = nullptr, lvListProg_ = nullptr;
    ui::Tooltip tooltip_;
    ui::FocusMemory focusMemory_;
    ui::Panel tsStartProgram_, tsOptions_, tsLogView_, tsAbout_;
    ui::Panel pnlWork_, OptionsSB_;
    TrayController tray_{{[this] { mnuShowClick(); },
                          [this] {
                              updateState_.downloadQuestionAsked = true;
                              AskDownload();
                          },
                          MenuPictures()},
                         actions_, ids::tmrBallonHide};
    LogPage logPage_{[this](const std::wstring& line) { Log(line); }};
    AboutPage aboutPage_{{[this](const std::wstring& address) { OpenAddress(address); },
                          [this](const std::wstring& line) { Log(line); }, [this] { return EnglishPages(); }}};
    HWND bbtnAdd_ = nullptr, bbtnEdit_ = nullptr, bbtnDelete_ = nullptr, btnWait_ = nullptr, bbtnStart_ = nullptr;
    std::vector<std::pair<int, HWND>> controls_;
    bool contentBuilt_ = false;
    // The Options page's values while the page is not built, and what the other pages are to show.
    ui::ControlValues options_;
    ui::DeferredUpdates pageUpdates_;
    bool logPageVisible_ = false;
    bool syncingListView_ = false;
    // What lvListProg shows, row by row, so a refresh writes only what changed.
    struct ShownRow {
        std::wstring caption, delay, status;
        bool enabled = false, selected = false;
    };
    std::vector<ShownRow> shownRows_;

    ui::FontHandle font_, boldFont_, strikeFont_, boldItalicFont_;
};

}  // namespace lentora
