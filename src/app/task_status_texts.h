// The texts of a task's Status column, in the applied language.
#pragma once
#include <string>

#include "lang/language_messages.h"
#include "launch/walk_observer.h"

namespace lentora {

class TaskList;

// A task's status after a launch with this outcome.
std::wstring LaunchStatusText(LaunchOutcome outcome, const IMessageSource& texts);

// Every task's status back to enabled or disabled.
void ShowEnabledStatuses(TaskList& tasks, const IMessageSource& texts);

}  // namespace lentora
