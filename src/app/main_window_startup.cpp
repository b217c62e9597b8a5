// Start-up and shutdown of the main window.
#include <shlobj.h>

#include "app/main_window.h"
#include "app/main_window_ids.h"
#include "app/program.h"
#include "sysint/shell_folder.h"
#include "tasks/task_list_file.h"
#include "ui/message_box.h"
#include "util/file_version.h"
#include "util/format.h"
#include "settings/settings_file.h"
#include "util/platform.h"
#include "util/text.h"

namespace lentora {
namespace {

// The folder part of a full path: no trailing "\" except for a drive root.
std::wstring FolderOf(const std::wstring& path) {
    size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return L"";
    if (slash == 2 && path[1] == L':') return path.substr(0, 3);
    return path.substr(0, slash);
}

}  // namespace

std::wstring MainWindow::DataFilePath(const std::wstring& name) const {
    const bool profile = frame_.Options().Shown().taskListInProfile;
    return AddBackslash(profile ? run_.profileFolder : run_.folder) + name;
}

void MainWindow::RunStartup() {
    walkView_.ShowStarting();
    InitProgram();
    tasks_.SortByColumn(kTimeColumn);
    tasks_.SortByColumn(kTimeColumn);
    // The automatic check starts once the message loop runs: its thread, loading the Internet
    // and socket libraries, would otherwise compete with the rest of start-up.
    PostMessageW(hwnd(), WM_START_UPDATE_CHECK, 0, 0);
    if (run_.startMode) {
        sequencer_.BeginStartMode();
    } else {
        ShowWindow(hwnd(), SW_SHOWNORMAL);
        walkView_.StatusChanged({WalkState::Ready});
    }
    // Added with the state start-up ends in: each change before would be a call to the shell.
    tray_.Show();
}

void MainWindow::InitProgram() {
    frame_.SetGlassFrame(frame_.GlassFrameOn());
    run_.folder = FolderOf(run_.exePath);
    run_.version = ReadFileVersion(run_.exePath);
    updates_.Attach(hwnd(), run_.version);
    updates_.State().downloadQuestionAsked = false;
    run_.settingsPath = AddBackslash(run_.folder) + L"lentora.ini";
    actions_.Find(ids::pauseWalk)->SetVisible(true);
    actions_.Find(ids::resumeWalk)->SetVisible(false);
    log_.SetFile(AddBackslash(run_.folder) + L"lentora.log");
    skins_.SetFolder(AddBackslash(run_.folder) + L"skins");
    // The one read of the settings file.
    settings_ = LoadSettings(run_.settingsPath);
    log_.SetOn(settings_.useLog || run_.logSwitch);
    frame_.SetLogPageVisible(log_.On());
    log_.Log(std::wstring(54, L'-'));
    log_.Log(FormatText(L"Start application v.%s", {run_.version}));

    languages_.Search(AddBackslash(AddBackslash(run_.folder) + L"languages"), L"*.lng", log_);
    frame_.Options().SetLanguages(languages_.Names());
    if (!frame_.Options().HasLanguages()) FatalNoLanguages();

    EnsureProfileFolder();
    ShowLoadedSettings();
    std::wstring caption = FormatText(L"Lentora v.%s", {run_.version});
    SetWindowTextW(hwnd(), caption.c_str());
    frame_.About().SetText(ids::titleLabel, FormatText(L" Lentora v.%s ", {run_.version}));
    frame_.About().SetText(ids::skinLayerLink, L"<a>" + FormatText(L"Lentora skin layer v.%s", {skins_.Version()}) + L"</a>");
    frame_.About().SetText(ids::logComponentLink, L"<a>" + FormatText(L"TLogFile ver.%s", {log_.WriterVersion()}) + L"</a>");
    frame_.About().SetText(ids::authorLabel, language_.Msg(Message::AuthorWord) + L": Orvend");
    LoadTasksAtStartup();
    taskCommands_.RefreshStatuses();
    ShowStartHistory();
}

bool StartupContext::HasSwitch(const std::wstring& name) const {
    const std::wstring wanted = platform::UpperCase(name);
    for (const auto& arg : args) {
        if (platform::UpperCase(arg) == wanted) return true;
    }
    return false;
}

MainWindow::ProgramRun::ProgramRun(const StartupContext& context)
    : exePath(context.exePath), startMode(context.HasSwitch(L"-start")), logSwitch(context.HasSwitch(L"-log")) {}

void MainWindow::OnSecondStart(SingleInstance::SecondStart start) {
    if (start == SingleInstance::SecondStart::Start) {
        // Its walk would launch every task again: it has ended, this walk goes on.
        log_.Log(L"A second start with -start was passed to this instance and ended");
        return;
    }
    log_.Log(L"A second start was passed to this instance");
    if (!closing_) ShowFromTray();
}

void MainWindow::FatalNoLanguages() {
    ui::ShowMessageBox(nullptr,
                       L"Modules of languages are not found. The program will be finished.\r\n"
                       L"\u041D\u0435 \u043D\u0430\u0439\u0434\u0435\u043D\u044B \u043C\u043E\u0434\u0443\u043B\u0438 "
                       L"\u044F\u0437\u044B\u043A\u043E\u0432. \u041F\u0440\u043E\u0433\u0440\u0430\u043C\u043C\u0430 "
                       L"\u0431\u0443\u0434\u0435\u0442 \u0437\u0430\u0432\u0435\u0440\u0448\u0435\u043D\u0430.",
                       L"CRITICAL ERROR! \u041A\u0420\u0418\u0422\u0418\u0427\u0415\u0421\u041A\u0410\u042F "
                       L"\u041E\u0428\u0418\u0411\u041A\u0410!",
                       MB_OK | MB_ICONERROR);
    log_.Log(L"Modules of languages are not found. The program will be finished.");
    // Takes effect when the message loop begins: start-up runs to its end, nothing is saved.
    EndWithoutSaving(0);
}

void MainWindow::EndWithoutSaving(int exitCode) {
    terminateRequested_ = true;
    PostQuitMessage(exitCode);
}

void MainWindow::StopAfterUnhandledError(const std::wstring& what) {
    // Before the box: its message loop could otherwise deliver a close that saves.
    EndWithoutSaving(kExitAfterUnhandledError);
    try {
        log_.Log(FormatText(L"Unhandled error \"%s\". The program ends without saving", {what}));
    } catch (...) {
        // The log may be what failed; the box still tells the user.
    }
    ui::ShowMessageBox(nullptr, what, L"Lentora", MB_OK | MB_ICONERROR);
}

void MainWindow::EnsureProfileFolder() {
    run_.profileFolder = AddBackslash(ShellFolderPath(CSIDL_APPDATA, MissingFolder::Create)) + L"Lentora";
    log_.Log(FormatText(L"Folder in user profile is : \"%s\"", {run_.profileFolder}));
    if (!platform::DirectoryExists(run_.profileFolder)) {
        SHCreateDirectoryExW(nullptr, run_.profileFolder.c_str(), nullptr);
        log_.Log(L"Folder in user profile is created");
    }
}

void MainWindow::LoadTasksAtStartup() {
    std::wstring legacy = DataFilePath(L"startlist.lst");
    if (platform::FileExists(legacy))
        ConvertLegacyTaskList(legacy, DataFilePath(L"startlist.xml"), tasks_, run_.version, log_);
    else
        LoadTaskList(DataFilePath(L"startlist.xml"), tasks_, log_);
}

void MainWindow::Shutdown() {
    if (closing_ || terminateRequested_) return;
    closing_ = true;
    sequencer_.StopForClose();
    // Lines a check wrote before the close still reach the log.
    updates_.Close([this](const std::wstring& line) { log_.Log(line); });
    SaveTaskList(DataFilePath(L"startlist.xml"), tasks_, run_.version, log_);
    SaveOptions();
    log_.Log(FormatText(L"Closing application v.%s", {run_.version}));
}

}  // namespace lentora
