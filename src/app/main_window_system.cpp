// The main window and the system: glass frame and skins, autorun value, start-up shortcut and
// the registry start-up entries dialog.
#include <dwmapi.h>
#include <shlobj.h>

#include "app/main_window.h"
#include "app/main_window_ids.h"
#include "app/task_dialog.h"
#include "lang/language_file.h"
#include "lang/language_keys.h"
#include "sysint/startup_entries_dialog.h"
#include "sysint/startup_entry_give_back.h"
#include "sysint/shell_link.h"
#include "ui/dpi.h"
#include "ui/message_box.h"
#include "util/format.h"

namespace lentora {

std::wstring SpecialFolderPath(int csidl);

void MainWindow::SetGlassFrame(bool on) {
    glassOn_ = on;
    // Over the page tabs (30 pixels high) and one more, and over the status bar.
    constexpr int kGlassTop = 30 + 1, kGlassBottom = 19;
    const UINT dpi = ui::WindowDpi(hwnd());
    MARGINS margins{0, 0, on ? ui::Scale(kGlassTop, dpi) : 0, on ? ui::Scale(kGlassBottom, dpi) : 0};
    DwmExtendFrameIntoClientArea(hwnd(), &margins);  // refused without composition: ignored
}

void MainWindow::CreateStartupShortcut() {
    if (ui::ShowMessageBox(hwnd(), Msg(Message::CreateShortcutQuestion), Msg(Message::QuestionCaption),
                           MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    // The registry value gives way to the shortcut only when the shortcut exists.
    ShortcutErrorTexts texts{Msg(Message::ErrorCaption), Msg(NamedMsg::StartupFolderNotFound),
                             Msg(NamedMsg::ShortcutNotCreated)};
    if (lentora::CreateStartupShortcut(SpecialFolderPath(CSIDL_STARTUP), context_.exePath, texts, *this) !=
        ShortcutResult::kCreated)
        return;
    if (optionsPage_.WindowsStart()) {
        optionsPage_.SetWindowsStart(false);
        optionsPage_.SetChanged(true);
    }
}

void MainWindow::ShowStartupEntries() {
    if (!startupEntries_) {
        startupEntries_ = std::make_unique<StartupEntriesDialog>(hwnd(), *this);
        startupEntries_->skin = &skins_;
        startupEntries_->exePath = context_.exePath;
        startupEntries_->applyTexts = [this](StartupEntriesDialog& form) {
            LanguageFile(SelectedLanguagePath())
                .ForEachText(LangRoutine::ApplyRegistryTexts, {},
                             [&form](std::wstring_view target, const std::wstring& text) { form.SetTargetText(target, text); });
        };
        startupEntries_->onImport = [this](const RegistryEntry& entry) {
            if (openTaskDialog_) openTaskDialog_->ImportEntry(entry);
        };
        startupEntries_->takenOver = [this](const RegistryEntry& entry) { return TakenOverByTask(entry, tasks_.Items()); };
        startupEntries_->onGivenBack = [this](const RegistryEntry& entry, bool removeTask) {
            GiveBackTasks(entry, removeTask);
        };
    }
    startupEntries_->Show();
}

void MainWindow::CloseStartupEntries() { startupEntries_.reset(); }

void MainWindow::GiveBackTasks(const RegistryEntry& entry, bool removeTask) {
    TaskList::UpdateBlock block(tasks_);
    for (size_t i = tasks_.Count(); i-- > 0;) {
        if (!TakenOverByTask(entry, {tasks_.Item(i)})) continue;
        if (removeTask) {
            Log(FormatText(L"Task \"%s\" is removed: Windows starts it again", {tasks_.Item(i).commandLine}));
            tasks_.Remove(i);
        } else {
            Log(FormatText(L"Task \"%s\" is disabled: Windows starts it again", {tasks_.Item(i).commandLine}));
            tasks_.SetEnabled(i, false);
        }
    }
    RefreshStatusColumn();
}


}  // namespace lentora
