// Delays proposed from measurement: each enabled program starts once the one before it has settled.
#pragma once
#include <cstdint>
#include <vector>

#include "measure/start_record.h"
#include "tasks/task_list.h"

namespace lentora {

struct DelayProposal {
    size_t row = 0;                  // the task's row in the list
    std::int32_t today = 0;          // its delay now
    std::int32_t proposed = 0;
    bool measured = false;           // the task before it was measured; else today's spacing is kept
};

// For the enabled tasks, in the list's order: the first keeps its delay; each next one is due when
// the one before has settled (the median over its last measured starts, a start in which it never
// settled counting as `measuringWindowSeconds`), in whole seconds, at least one second later. Where
// the task before was never measured, the spacing of today's delays is kept (none where today's
// order goes back in time). A task whose delay is no delay counts as due at second 1.
std::vector<DelayProposal> ProposeDelays(const TaskList& tasks, const std::vector<StartRecord>& history,
                                         double measuringWindowSeconds);

}  // namespace lentora
