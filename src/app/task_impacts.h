// The Impact column: each task's class from what its program typically cost at the last measured
// starts, blank until it was measured, and the figures behind it for the column's tooltip.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "lang/language_messages.h"
#include "measure/start_record.h"
#include "tasks/task_list.h"

namespace lentora {

void ShowImpacts(TaskList& tasks, const std::vector<StartRecord>& history, const IMessageSource& texts);

// The typical figures of `commandLine` in the language in force; empty when it was never measured.
std::wstring ImpactFigures(const std::vector<StartRecord>& history, std::wstring_view commandLine,
                           const IMessageSource& texts);

}  // namespace lentora
