#include "app/entry_import.h"

#include "lang/language_file.h"
#include "lang/language_keys.h"
#include "sysint/startup_entries_dialog.h"
#include "sysint/startup_entry_give_back.h"
#include "util/format.h"

namespace lentora {

EntryImport::EntryImport(TaskDialog::Parts dialogParts) : parts_(std::move(dialogParts)) {
    parts_.opened = [this](TaskDialog& dialog) { openDialog_ = &dialog; };
    parts_.gone = [this](TaskDialog& dialog) {
        if (openDialog_ == &dialog) openDialog_ = nullptr;
    };
    parts_.closeStartupEntries = [this] { CloseStartupEntries(); };
}

EntryImport::~EntryImport() = default;

void EntryImport::ShowTaskDialog(bool editing) {
    TaskDialog dialog(parts_, editing ? TaskDialog::kEditing : TaskDialog::kAdding);
    dialog.ShowModal();
}

void EntryImport::ShowStartupEntries() {
    if (!startupEntries_) {
        startupEntries_ = std::make_unique<StartupEntriesDialog>(parts_.owner.hwnd(), parts_.log);
        startupEntries_->skin = &parts_.skins;
        startupEntries_->exePath = parts_.exePath;
        startupEntries_->applyTexts = [this](StartupEntriesDialog& form) {
            LanguageFile(parts_.languagePath())
                .ForEachText(LangRoutine::ApplyRegistryTexts, {},
                             [&form](std::wstring_view target, const std::wstring& text) { form.SetTargetText(target, text); });
        };
        startupEntries_->onImport = [this](const RegistryEntry& entry) {
            if (openDialog_) openDialog_->ImportEntry(entry);
        };
        startupEntries_->takenOver = [this](const RegistryEntry& entry) {
            return TakenOverByTask(entry, parts_.tasks.Items());
        };
        startupEntries_->onGivenBack = [this](const RegistryEntry& entry, bool removeTask) {
            GiveBackTasks(entry, removeTask);
        };
    }
    startupEntries_->Show();
}

void EntryImport::CloseStartupEntries() { startupEntries_.reset(); }

void EntryImport::GiveBackTasks(const RegistryEntry& entry, bool removeTask) {
    TaskList& tasks = parts_.tasks;
    TaskList::UpdateBlock block(tasks);
    for (size_t i = tasks.Count(); i-- > 0;) {
        if (!TakenOverByTask(entry, {tasks.Item(i)})) continue;
        if (removeTask) {
            parts_.log.Log(FormatText(L"Task \"%s\" is removed: Windows starts it again", {tasks.Item(i).commandLine}));
            tasks.Remove(i);
        } else {
            parts_.log.Log(FormatText(L"Task \"%s\" is disabled: Windows starts it again", {tasks.Item(i).commandLine}));
            tasks.SetEnabled(i, false);
        }
    }
    parts_.refreshStatuses();
}

}  // namespace lentora
