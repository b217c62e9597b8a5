#include "measure/delay_suggestion.h"

#include <algorithm>
#include <cmath>

#include "measure/launch_cost.h"

namespace lentora {

std::vector<DelayProposal> ProposeDelays(const TaskList& tasks, const std::vector<StartRecord>& history,
                                         double measuringWindowSeconds) {
    std::vector<DelayProposal> proposals;
    const Task* before = nullptr;
    for (size_t row = 0; row < tasks.Count(); ++row) {
        const Task& task = tasks.Item(row);
        if (!task.enabled) continue;
        DelayProposal proposal{row, task.delay.Seconds().value_or(1), 0, false};
        if (!before) {
            proposal.proposed = proposal.today;
        } else {
            const DelayProposal& previous = proposals.back();
            const TypicalCost cost = TypicalCostOf(history, before->commandLine, measuringWindowSeconds);
            proposal.measured = cost.settledAfterSeconds.has_value();
            const double spacing = proposal.measured
                                       ? std::max(std::ceil(*cost.settledAfterSeconds), 1.0)
                                       : std::max(static_cast<double>(proposal.today) - previous.today, 0.0);
            const double due = static_cast<double>(previous.proposed) + spacing;
            proposal.proposed = static_cast<std::int32_t>(std::min(due, static_cast<double>(TaskDelay::kMaxSeconds)));
        }
        proposals.push_back(proposal);
        before = &task;
    }
    return proposals;
}

}  // namespace lentora
