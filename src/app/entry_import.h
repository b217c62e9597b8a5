// The task dialog and the start-up entries dialog it imports from: which task dialog is open (the
// entries dialog's Import fills it), the entries dialog's life, and the tasks of an entry given
// back to the system's start-up.
#pragma once
#include <memory>

#include "app/task_dialog.h"

namespace lentora {

class StartupEntriesDialog;
struct RegistryEntry;

class EntryImport {
public:
    // `dialogParts` without their opened and gone hooks, which are this object's.
    explicit EntryImport(TaskDialog::Parts dialogParts);
    ~EntryImport();

    // Shows the task dialog until it closes: a new task, or the selected one to edit.
    void ShowTaskDialog(bool editing);
    TaskDialog* OpenTaskDialog() const { return openDialog_; }

    void ShowStartupEntries();
    void CloseStartupEntries();
    StartupEntriesDialog* StartupEntries() const { return startupEntries_.get(); }

private:
    // After an entry was given back to the system's start-up: the tasks that had taken it over
    // are removed, or kept and disabled.
    void GiveBackTasks(const RegistryEntry& entry, bool removeTask);

    TaskDialog::Parts parts_;
    TaskDialog* openDialog_ = nullptr;
    std::unique_ptr<StartupEntriesDialog> startupEntries_;
};

}  // namespace lentora
