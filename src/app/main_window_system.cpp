// The main window and the system: glass frame and skins, autorun value, start-up shortcut and
// the registry start-up entries dialog.
#include <dwmapi.h>
#include <shlobj.h>

#include "app/main_window.h"
#include "app/main_window_ids.h"
#include "app/task_dialog.h"
#include "lang/language_file.h"
#include "lang/language_keys.h"
#include "sysint/autorun.h"
#include "sysint/startup_entries_dialog.h"
#include "sysint/shell_link.h"
#include "ui/dpi.h"
#include "ui/message_box.h"

namespace lentora {

std::wstring SpecialFolderPath(int csidl);

void MainWindow::SetGlassTopMargin() {
    glassTop_ = 30 + 1;  // the tab height of pcMainPage plus one
    SetGlassFrame(glassOn_);
}

void MainWindow::SetGlassFrame(bool on) {
    glassOn_ = on;
    UINT dpi = ui::WindowDpi(hwnd());
    MARGINS margins{0, 0, on ? ui::Scale(glassTop_, dpi) : 0, on ? ui::Scale(19, dpi) : 0};
    DwmExtendFrameIntoClientArea(hwnd(), &margins);  // refused without composition: ignored
}

void MainWindow::SetSkinFolder(const std::wstring& folder) { skins_.SetFolder(folder); }

bool MainWindow::IsAutorunRegistered() const { return lentora::IsAutorunRegistered(); }

bool MainWindow::UpdateAutorun(bool enabled) {
    try {
        return lentora::UpdateAutorun(enabled, context_.exePath, *this);
    } catch (...) {
        return false;
    }
}

void MainWindow::btnCreateLinkClick() {
    if (ui::ShowMessageBox(hwnd(), Msg(Message::CreateShortcutQuestion), Msg(Message::QuestionCaption),
                           MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    // The registry value gives way to the shortcut only when the shortcut exists.
    ShortcutErrorTexts texts{Msg(Message::ErrorCaption), Msg(NamedMsg::StartupFolderNotFound),
                             Msg(NamedMsg::ShortcutNotCreated)};
    if (CreateStartupShortcut(SpecialFolderPath(CSIDL_STARTUP), context_.exePath, texts, *this) !=
        ShortcutResult::kCreated)
        return;
    if (options_.Checked(ids::chbWindowsStart)) {
        options_.SetChecked(ids::chbWindowsStart, false);
        OnOptionClicked(ids::chbWindowsStart);
    }
}

void MainWindow::actImportExecute() {
    if (!registryForm_) {
        registryForm_ = std::make_unique<StartupEntriesDialog>(hwnd(), *this);
        registryForm_->skin = &skins_;
        registryForm_->applyTexts = [this](StartupEntriesDialog& form) {
            LanguageFile file(SelectedLanguagePath());
            for (const LanguageKey* key : LanguageKeysOf(LangRoutine::ApplyRegistryTexts))
                form.SetTargetText(key->target, file.ShownText(*key));
        };
        registryForm_->onImport = [this](const std::wstring& commandLine, bool enabled) {
            if (propertyForm_) propertyForm_->ImportCommandLine(commandLine, enabled);
        };
    }
    registryForm_->Show();
}

void MainWindow::DestroyRegistryForm() { registryForm_.reset(); }

bool MainWindow::MoveImportedRegistryEntry() { return !registryForm_ || registryForm_->ImportSelected(); }

}  // namespace lentora
