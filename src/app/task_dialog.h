// TaskDialog: the modal dialog that adds a task, edits the selected one, or takes over an
// entry of the system's start-up list (mode in mode: 0 adding, 1 editing, 2 importing).
#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/imported_entry.h"
#include "lang/language_messages.h"
#include "log/log_sink.h"
#include "tasks/task.h"
#include "tasks/task_list.h"
#include "ui/action.h"
#include "ui/controls.h"
#include "ui/handles.h"
#include "ui/skin_manager.h"
#include "ui/text_targets.h"
#include "ui/tooltip.h"
#include "ui/window.h"

namespace lentora {

class TaskDialog : public ui::Window {
public:
    enum Mode { kAdding = 0, kEditing = 1, kImporting = 2 };

    // What the dialog works with.
    struct Parts {
        const ui::Window& owner;
        TaskList& tasks;
        const IMessageSource& texts;
        ILogSink& log;
        ui::SkinManager& skins;
        const ui::ActionList& actions;  // the Import button runs the start-up entries' action
        std::wstring exePath;
        std::function<std::wstring()> languagePath;
        std::function<void()> refreshStatuses;
        std::function<void()> closeStartupEntries;
        // The dialog is shown, and goes: the start-up entries dialog imports into the open one.
        std::function<void(TaskDialog&)> opened, gone;
    };

    TaskDialog(const Parts& parts, Mode initialMode);
    ~TaskDialog() override;

    // Creates the window, fills it for its mode and shows it; the loop runs until it closes.
    void ShowModal();
    // The same without the loop, for callers that drive the dialog themselves.
    bool CreateAndShow();

    Mode mode = kAdding;
    // Shows the texts of the language in force and the controls of the dialog's mode.
    void ApplyTextsAndShowModeControls();
    // Checks the fields and, when they pass, writes the task and closes. False, with the dialog
    // left open, when a check failed or an imported entry could not be taken over.
    bool OkClicked();
    void CancelClicked();
    void Close();
    bool Closed() const { return closed_; }

    // Called by the registry dialog's Import: the dialog keeps this entry and takes it over on OK,
    // whatever that dialog shows by then. The task is enabled when the system starts the entry.
    void ImportEntry(const RegistryEntry& entry);
    const ImportedEntry* Imported() const { return imported_ ? &*imported_ : nullptr; }

    HWND feSelectFile() const { return feSelectFile_; }
    HWND dseTime() const { return dseTime_.edit; }
    HWND chbEnableTask() const { return chbEnableTask_; }
    HWND chbDisableReg() const { return chbDisableReg_; }
    HWND sbtnImport() const { return sbtnImport_; }
    HWND DelayLabel() const { return delayLabel_; }
    std::wstring Title() const;
    std::wstring Hint(HWND control) const;
    void SetTargetText(std::wstring_view target, const std::wstring& text);

    // Runs once the dialog is shown by ShowModal: lets tests act inside the modal loop.
    static std::function<void(TaskDialog&)>& OnShownHook();

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // Where each language target's text goes.
    void EnterTextTargets();
    void CreateControls();
    void Layout();
    void Browse();
    void Warn(const std::wstring& text, HWND focus);
    // Adds `task` for the imported entry once it is taken over; false while an elevated write of
    // it is waited for, or when it was refused.
    bool TakeOverAndAdd(Task task);
    void FinishElevatedTakeOver(WPARAM outcome);
    ImportedEntry::Texts ImportTexts() const;

    const Parts& parts_;
    HWND label_ = nullptr, feSelectFile_ = nullptr, browse_ = nullptr, chbEnableTask_ = nullptr,
         chbDisableReg_ = nullptr, delayLabel_ = nullptr, sbtnImport_ = nullptr, bbtnOk_ = nullptr,
         bbtnCancel_ = nullptr;
    ui::Tooltip tooltip_;
    ui::TextTargets targets_;
    ui::SpinEdit dseTime_;
    ui::FontHandle font_;
    std::vector<ui::ImageListHandle> buttonImages_;  // lent to Import, OK and Cancel
    bool closed_ = false;
    std::optional<ImportedEntry> imported_;
    std::optional<Task> waitingTask_;  // the task to add once the elevated write is done
};

}  // namespace lentora
