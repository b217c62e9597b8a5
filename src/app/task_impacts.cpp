#include "app/task_impacts.h"

#include "app/walk_measurer.h"
#include "measure/launch_cost.h"

namespace lentora {

void ShowImpacts(TaskList& tasks, const std::vector<StartRecord>& history, const IMessageSource& texts) {
    for (size_t row = 0; row < tasks.Count(); ++row) {
        const TypicalCost cost = TypicalCostOf(history, tasks.Item(row).commandLine, kMeasuringWindowSeconds);
        std::wstring text;
        switch (ImpactOf(cost)) {
            case Impact::Low: text = texts.Msg(NamedMsg::ImpactLow); break;
            case Impact::Medium: text = texts.Msg(NamedMsg::ImpactMedium); break;
            case Impact::High: text = texts.Msg(NamedMsg::ImpactHigh); break;
            case Impact::Unmeasured: break;
        }
        tasks.SetImpact(row, std::move(text));
    }
}

}  // namespace lentora
