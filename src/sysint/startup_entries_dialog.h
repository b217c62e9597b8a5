// StartupEntriesDialog: shows the programs the system starts at log-on (startup_entry_sources.h),
// each with Task Manager's switch; imports one of them as a task, takes it out of the system's
// start-up once the task is made, and gives a taken-over entry back. Its texts are set in
// startup_entries_dialog_texts.cpp.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "log/log_sink.h"
#include "sysint/elevated_write_worker.h"
#include "sysint/startup_entry.h"
#include "sysint/startup_folder.h"
#include "ui/handles.h"
#include "ui/skin_manager.h"
#include "ui/tooltip.h"
#include "ui/text_targets.h"
#include "ui/window.h"

namespace lentora {

class StartupEntriesDialog : public ui::Window {
public:
    // Enable and Disable are never shown: they only carry the texts the language file gives them.
    enum class Button { kImport, kEnable, kDisable, kGiveBack, kClose };

    // Texts the dialog shows besides its controls' own; the English defaults until a language's
    // are applied. Their language targets are "frmRegistryEdit.<Name>.text".
    struct Texts {
        std::wstring userFolder, commonFolder;  // Key column of the Startup folders' files
        std::wstring giveBackQuestion, giveBackNotWritten, giveBackNameTaken;  // %s: the entry's name
        // The Enabled column: started by the system, switched off by the user, taken over by a task.
        std::wstring startsText, switchedOffText, takenOverText;
        // A machine entry switched on again with administrator rights; %s: the entry's name.
        std::wstring giveBackElevateQuestion, giveBackDeclined;
    };

    // Creates the window hidden, centred on `owner`, and fills the list. What it changes in the
    // registry is logged to `log`.
    StartupEntriesDialog(HWND owner, ILogSink& log);
    ~StartupEntriesDialog() override;

    // Sets the dialog's texts each time it is shown.
    std::function<void(StartupEntriesDialog&)> applyTexts;
    // Receives the chosen entry (TaskCommandLine gives the task's command line).
    std::function<void(const RegistryEntry& entry)> onImport;
    // Whether a task took the entry over (TakenOverByTask): only such an entry is given back.
    std::function<bool(const RegistryEntry& entry)> takenOver;
    // After an entry was given back: its task is removed, or kept and disabled, so the program is
    // not started twice.
    std::function<void(const RegistryEntry& entry, bool removeTask)> onGivenBack;
    // The Startup folders listed after the registry sources; the system's own unless replaced
    // before the next refill.
    std::vector<StartupFolder> startupFolders;
    // The program itself, run elevated to switch a machine entry on for a user without the rights;
    // empty: no such run is offered.
    std::wstring exePath;
    // The skin that dresses the window while skinning is on; it must outlive the window.
    ui::SkinManager* skin = nullptr;

    // Shows the window, applying the texts and refilling the list first.
    void Show();

    // Applies the texts and fills the list anew, as each showing does, without showing the window.
    void ApplyTextsAndRefill();
    void RefreshEntries();
    void ImportClicked();
    // Gives the selected taken-over entry back to the system's start-up once the user chose what
    // becomes of its task; says why in an error box when it cannot. The focus goes back to the
    // control that had it.
    void GiveBackSelected();
    // Shows the selected entry's place in the status bar.
    void OnEntrySelected();
    const std::vector<RegistryEntry>& Rows() const { return rows_; }
    std::optional<RegistryEntry> SelectedRow() const;
    // The Enabled column's text of a row.
    std::wstring StateText(const RegistryEntry& row) const;
    void SelectRow(size_t index);

    // Sets one text by its language-key target: "frmRegistryEdit.title",
    // "frmRegistryEdit.lvRegView.column<N>.caption", "frmRegistryEdit.<button>.caption|hint", where
    // lvRegView is the language file's name of the entry list and <button> its name of a button.
    void SetTargetText(std::wstring_view target, const std::wstring& text);
    void SetTitle(const std::wstring& text);
    void SetColumnCaption(int column, const std::wstring& text);
    void SetButtonCaption(Button button, const std::wstring& text);
    void SetButtonHint(Button button, const std::wstring& text);
    std::wstring Title() const;
    std::wstring ColumnCaption(int column) const;
    std::wstring ButtonCaption(Button button) const;
    std::wstring ButtonHint(Button button) const;
    std::wstring StatusText() const;
    const Texts& ShownTexts() const { return texts_; }

    HWND EntryList() const { return entryList_; }
    HWND ButtonWindow(Button button) const;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // The English defaults of the texts.
    static Texts DefaultTexts();
    // Where each language target's text goes.
    void EnterTextTargets();
    bool Create(HWND owner);
    void CreateControls();
    void Layout();
    void EnableCommands();
    // Columns and buttons as wide as their texts in the language in force, never below the layout.
    void FitColumns();
    int ButtonWidth(HWND button) const;
    // A machine entry's switch this user may not write: asks, then writes it through one elevated
    // run of the program. False when nothing was started.
    bool GiveBackElevated(const RegistryEntry& row, bool removeTask);
    void FinishElevatedGiveBack(WPARAM outcome);
    void GivenBack(const RegistryEntry& row, bool removeTask, const std::wstring& how);

    ILogSink& log_;
    Texts texts_;
    ui::TextTargets targets_;
    std::vector<RegistryEntry> rows_;
    HWND importButton_ = nullptr, enableButton_ = nullptr, disableButton_ = nullptr, giveBackButton_ = nullptr,
         closeButton_ = nullptr, entryList_ = nullptr, statusBar_ = nullptr;
    ui::Tooltip tooltip_;
    ui::FontHandle font_;
    ElevatedWriteWorker worker_;
    std::optional<std::pair<RegistryEntry, bool>> elevatedGiveBack_;  // the entry and whether its task goes
};

}  // namespace lentora
