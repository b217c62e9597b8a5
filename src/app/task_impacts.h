// The Impact column: each task's class from what its program typically cost at the last measured
// starts; blank until it was measured.
#pragma once
#include <vector>

#include "lang/language_messages.h"
#include "measure/start_record.h"
#include "tasks/task_list.h"

namespace lentora {

void ShowImpacts(TaskList& tasks, const std::vector<StartRecord>& history, const IMessageSource& texts);

}  // namespace lentora
