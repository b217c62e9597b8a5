// The tests' view into the real main window: its models, pages and parts as the window holds them,
// and the window's own steps (start-up's settings, the close, languages), so a test drives them
// as the window does without the window keeping getters for tests.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/main_window_keys.h"

namespace lentora::test {

class MainWindowProbe {
public:
    MainWindowProbe(MainWindow& window) : w_(window) {}  // NOLINT: implicit, so a window passes as its probe

    HWND hwnd() const { return w_.hwnd(); }
    bool Create() const { return w_.Create(); }
    bool TerminateRequested() const { return w_.TerminateRequested(); }

    // Facts start-up fixed.
    const std::wstring& ExePath() const { return w_.run_.exePath; }
    const std::wstring& ProgramVersion() const { return w_.run_.version; }
    const std::wstring& ProfileFolder() const { return w_.run_.profileFolder; }
    bool StartMode() const { return w_.run_.startMode; }
    bool UseLog() const { return w_.log_.On(); }
    std::wstring DataFilePath(const std::wstring& name) const { return w_.DataFilePath(name); }

    // Models and parts.
    TaskList& Tasks() const { return w_.tasks_; }
    Sequencer& Seq() const { return w_.sequencer_; }
    ui::ActionList& Actions() const { return w_.actions_; }
    ui::Action& ActionFor(int commandId) const { return *w_.actions_.Find(commandId); }
    TaskCommands& TaskEditing() const { return w_.taskCommands_; }
    TrayController& Tray() const { return w_.tray_; }
    WalkPresenter& WalkView() const { return w_.walkView_; }
    UpdateCoordinator& Updates() const { return w_.updates_; }
    StartHistoryStore& StartHistory() const { return w_.startHistory_; }
    ui::SkinManager& Skins() const { return w_.skins_; }
    ILogSink& LogSink() const { return w_.log_; }
    void Log(const std::wstring& line) const { w_.log_.Log(line); }
    std::wstring Msg(Message id) const { return w_.language_.Msg(id); }
    std::wstring Msg(NamedMsg id) const { return w_.language_.Msg(id); }
    const LanguageFileInfo& LanguageInfo() const { return w_.language_.Info(); }
    const LanguageCatalogue& Languages() const { return w_.languages_; }

    // The frame and its pages; reaching a control builds them.
    bool ContentBuilt() const { return w_.frame_.Built(); }
    HWND Control(int id) const { return w_.frame_.Control(id); }
    HWND StatusBar() const { return Control(ids::statusBar); }
    TaskPage& TaskView() const { return w_.frame_.EnsureContent(), w_.frame_.TaskView(); }
    LastStartPage& LastStart() const { return w_.frame_.LastStart(); }
    OptionsPage& Options() const { return w_.frame_.Options(); }
    LogPage& LogView() const { return w_.frame_.LogView(); }
    std::vector<std::wstring> LogLines() const { return w_.frame_.LogView().Lines(); }
    bool LogPageVisible() const { return w_.frame_.LogPageVisible(); }
    bool GlassFrameOn() const { return w_.frame_.GlassFrameOn(); }

    // The window's own steps.
    void Shutdown() const { w_.Shutdown(); }
    void ShowFromTray() const { w_.ShowFromTray(); }
    void ApplyLanguage(const std::wstring& path) const { w_.ApplyLanguage(path); }
    std::wstring SelectedLanguagePath() const { return w_.SelectedLanguagePath(); }
    bool StartUpdateCheck(bool byButton) const { return w_.StartUpdateCheck(byButton); }
    void CreateStartupShortcut() const { w_.CreateStartupShortcut(); }
    void ShowStartupEntries() const { w_.entryImport_.ShowStartupEntries(); }
    void CloseStartupEntries() const { w_.entryImport_.CloseStartupEntries(); }
    StartupEntriesDialog* StartupEntries() const { return w_.entryImport_.StartupEntries(); }
    int RunMessageLoop() const { return w_.RunMessageLoop(); }
    // The keys as the message loop reads them.
    MainWindowKeys Keys() const { return MainWindowKeys(w_.hwnd(), w_.frame_); }
    void StopAfterUnhandledError(const std::wstring& what) const { w_.StopAfterUnhandledError(what); }

private:
    MainWindow& w_;
};

}  // namespace lentora::test
