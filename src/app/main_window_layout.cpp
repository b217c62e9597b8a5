// The main window's parts: its actions, the tray, and what the frame, the task dialog, the update
// check and the walk's presenter are given of the window.
#include "app/main_window.h"
#include "app/main_window_ids.h"
#include "app/pictures.h"
#include "app/task_impacts.h"
#include "app/site_links.h"
#include "image_ids.h"
#include "ui/controls.h"
#include "ui/dpi.h"
#include "ui/placement.h"

namespace lentora {

void MainWindow::CreateWindowParts() {
    frame_.Attach(hwnd());
    CreateTray();
    skins_.AttachWindow(hwnd());
    skins_.onAfterChange = [this] { frame_.Redraw(); };
    startHistory_.onChanged = [this] { ShowStartHistory(); };
    const RECT r = ui::CentredWindowRect(nullptr, 554, 371, static_cast<DWORD>(GetWindowLongPtrW(hwnd(), GWL_STYLE)),
                                         static_cast<DWORD>(GetWindowLongPtrW(hwnd(), GWL_EXSTYLE)),
                                         ui::WindowDpi(hwnd()));
    SetWindowPos(hwnd(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::CreateTray() {
    auto item = [this](const wchar_t* name, int command) { return ui::ActionMenuItem(name, *actions_.Find(command)); };
    tray_.Create(hwnd(), {item(L"mnuWait", ids::cancelDelayOfStart), item(L"N2", ids::pauseWalk), item(L"Start1", ids::stopWalk),
                          item(L"Resume1", ids::resumeWalk), item(L"mnuStartNext", ids::startNextNow),
                          item(L"mnuExit", ids::closeProgram)});
    textTargets_.Add(L"mnuShow.caption", [this](const std::wstring& text) { tray_.SetShowCaption(text); });
}

void MainWindow::CreateActions() {
    auto action = [this](int commandId) -> ui::Action& { return *actions_.Find(commandId); };
    struct Def { const wchar_t* name; int id; const wchar_t* caption; const wchar_t* hint; int image; };
    const Def defs[] = {
        {L"actAddTask", ids::addTask, L"Add", L"To add a file for start in the task list", PictureOf(IDI_IMG_ADD)},
        {L"actEditTask", ids::editTask, L"Edit", L"\u041F\u0440\u0430\u0432\u0438\u0442\u044C \u0432\u044B\u0431\u0440\u0430\u043D\u043D\u0443\u044E \u0437\u0430\u0434\u0430\u0447\u0443", PictureOf(IDI_IMG_EDIT)},
        {L"actDeleteTask", ids::deleteTask, L"Delete", L"\u0423\u0434\u0430\u043B\u0438\u0442\u044C \u0432\u044B\u0431\u0440\u0430\u043D\u043D\u0443\u044E \u0437\u0430\u0434\u0430\u0447\u0443 \u0438\u0437 \u0441\u043F\u0438\u0441\u043A\u0430", PictureOf(IDI_IMG_DELETE)},
        {L"actStart", ids::startOrStop, L"start the program", L"", PictureOf(IDI_IMG_START)},
        {L"actStop", ids::stopWalk, L"Stop", L"", PictureOf(IDI_IMG_STOP)},
        {L"actPause", ids::pauseWalk, L"Pause", L"", PictureOf(IDI_IMG_PAUSE)},
        {L"actResume", ids::resumeWalk, L"Resume", L"", PictureOf(IDI_IMG_START)},
        {L"actWait", ids::cancelDelayOfStart, L"Waiting... Stop", L"The delay of start Is active.", PictureOf(IDI_IMG_WAIT)},
        {L"actCloseApp", ids::closeProgram, L"Close", L"Close Application", PictureOf(IDI_IMG_CLOSE)},
        {L"actDeleteAllTask", ids::deleteAllTasks, L"Delete All Tasks", L"", PictureOf(IDI_IMG_DELETE_ALL)},
        {L"actSetActiveAll", ids::enableAllTasks, L"actSetActiveAll", L"", PictureOf(IDI_IMG_ACTIVATE_ALL)},
        {L"actDeactiveAll", ids::disableAllTasks, L"actDeactiveAll", L"", PictureOf(IDI_IMG_DEACTIVATE_ALL)},
        {L"actApplyLng", ids::applyLanguage, L"Apply", L"Change Language", PictureOf(IDI_IMG_CHANGE_LANGUAGE)},
        {L"actImport", ids::importStartupEntry, L"Import", L"", PictureOf(IDI_IMG_IMPORT)},
        {L"actStartNext", ids::startNextNow, L"Start next now",
         L"Start the next task now, without waiting for its delay or for the system", PictureOf(IDI_IMG_START)},
        {L"actSpaceByMeasurement", ids::spaceByMeasurement, L"Space by measurement",
         L"Propose delays so that each program starts once the one before it has settled", PictureOf(IDI_IMG_WAIT)},
    };
    for (const auto& d : defs) {
        ui::Action& action = actions_.Add(d.name, d.id, d.caption, d.hint, d.image);
        // Actions take their texts from the language file by their names.
        textTargets_.Add(std::wstring(d.name) + L".caption", [&action](const std::wstring& text) { action.SetCaption(text); });
        textTargets_.Add(std::wstring(d.name) + L".hint", [&action](const std::wstring& text) { action.SetHint(text); });
    }

    action(ids::resumeWalk).SetVisible(false);
    action(ids::cancelDelayOfStart).SetVisible(false);
    action(ids::startNextNow).SetVisible(false);
    action(ids::applyLanguage).SetEnabled(false);

    action(ids::addTask).onExecute = [this] { taskCommands_.Add(); };
    action(ids::editTask).onExecute = [this] { taskCommands_.EditSelected(); };
    action(ids::deleteTask).onExecute = [this] { taskCommands_.DeleteSelected(); };
    action(ids::deleteAllTasks).onExecute = [this] { taskCommands_.DeleteAll(); };
    action(ids::enableAllTasks).onExecute = [this] { taskCommands_.SetAllEnabled(true); };
    action(ids::disableAllTasks).onExecute = [this] { taskCommands_.SetAllEnabled(false); };
    action(ids::spaceByMeasurement).onExecute = [this] { taskCommands_.SpaceByMeasurement(startHistory_.Starts()); };
    action(ids::startOrStop).onExecute = [this] { taskCommands_.StartSelected(); };
    action(ids::closeProgram).onExecute = [this] { PostMessageW(hwnd(), WM_CLOSE, 0, 0); };
    action(ids::pauseWalk).onExecute = [this] { sequencer_.Pause(); };
    action(ids::resumeWalk).onExecute = [this] { sequencer_.Resume(); };
    action(ids::stopWalk).onExecute = [this] { sequencer_.StopFromTray(); };
    action(ids::cancelDelayOfStart).onExecute = [this] { sequencer_.CancelDelay(); };
    action(ids::applyLanguage).onExecute = [this] { ApplySelectedLanguage(); };
    action(ids::importStartupEntry).onExecute = [this] { entryImport_.ShowStartupEntries(); };
    action(ids::stopWalk).onUpdate = [this] { sequencer_.RefreshStopAction(); };
    action(ids::pauseWalk).onUpdate = [this] { sequencer_.RefreshPauseAction(); };
    action(ids::startNextNow).onExecute = [this] {
        sequencer_.StartNextNow();
        walkView_.RefreshStartNext();
    };
    action(ids::startNextNow).onUpdate = [this] { sequencer_.RefreshStartNextAction(); };
}

PageFrame::Parts MainWindow::FrameParts() {
    TaskPage::Actions taskPage{
        [this] { sequencer_.StartOrStop(); },
        [this] { taskCommands_.EditSelected(); },
        [this] { taskCommands_.RefreshStatuses(); },
        [this](bool enabled) {
            return language_.Msg(enabled ? Message::TaskEnabledStatus : Message::TaskDisabledStatus);
        },
        {},
        {},
        [this](size_t row) { return ImpactFigures(startHistory_.Starts(), tasks_.Item(row).commandLine, language_); }};
    OptionsPage::Actions optionsPage{[this](bool on) { OnUseSkinChanged(on); },
                                     [this](bool on) { skins_.SetExtendedBorders(on); },
                                     [this](const std::wstring& name) { skins_.Select(name); },
                                     [this] { actions_.Find(ids::applyLanguage)->SetEnabled(true); },
                                     [this] {
                                         SaveOptions();
                                         frame_.Options().SetChanged(false);
                                     },
                                     [this] { CreateStartupShortcut(); },
                                     [this] { StartUpdateCheck(true); },
                                     [this] { OpenAddress(links::Skins()); }};
    AboutPage::Actions aboutPage{[this](const std::wstring& address) { OpenAddress(address); },
                                 [this](const std::wstring& line) { log_.Log(line); },
                                 [this] { return EnglishPages(); }};
    return {actions_,
            textTargets_,
            skins_,
            tasks_,
            std::move(taskPage),
            {[this]() -> const std::vector<StartRecord>& { return startHistory_.Starts(); }, language_},
            std::move(optionsPage),
            [this](const std::wstring& line) { log_.Log(line); },
            std::move(aboutPage),
            [this](int part) { return walkView_.Texts().Panel(part, language_.Msg(NamedMsg::WaitingForSystem)); },
            [this] { ShowLanguageOnBuiltPages(); }};
}

void MainWindow::ShowLanguageOnBuiltPages() {
    for (const std::wstring& target : textTargets_.TakeFresh())
        if (const std::wstring* text = language_.PageText(target)) textTargets_.Apply(target, *text);
    frame_.Options().SetNeverChecked(language_.Msg(NamedMsg::NeverChecked));
    if (language_.Applied()) frame_.SetLanguageTabMetrics();
    ShowStartHistory();
}

void MainWindow::ShowStartHistory() {
    if (!frame_.Built()) return;
    ShowImpacts(tasks_, startHistory_.Starts(), language_);
    frame_.LastStart().Refresh();
}

TaskDialog::Parts MainWindow::TaskDialogParts() {
    return {*this,
            tasks_,
            language_,
            log_,
            skins_,
            actions_,
            run_.exePath,
            [this] { return SelectedLanguagePath(); },
            [this] {
                taskCommands_.RefreshStatuses();
                ShowStartHistory();
            },
            {},
            {},
            {}};
}

WalkPresenter::Parts MainWindow::WalkViewParts() {
    return {*this,
            language_,
            tasks_,
            frame_.TaskView(),
            tray_,
            actions_,
            [this] { return frame_.Options().Shown().showBalloon; },
            [this] { MinimizeToTray(); },
            [this] { frame_.RefreshStatusBar(); }};
}

}  // namespace lentora
