#include "app/task_impacts.h"

#include "app/figure_texts.h"
#include "app/walk_measurer.h"
#include "measure/launch_cost.h"
#include "util/format.h"

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

std::wstring ImpactFigures(const std::vector<StartRecord>& history, std::wstring_view commandLine,
                           const IMessageSource& texts) {
    const TypicalCost cost = TypicalCostOf(history, commandLine, kMeasuringWindowSeconds);
    if (cost.starts == 0) return {};
    const FigureTexts figures(texts);
    return FormatText(texts.Msg(NamedMsg::ImpactTip),
                      {std::to_wstring(cost.starts), figures.Seconds(cost.cpuSeconds), figures.Megabytes(cost.diskBytes),
                       figures.Seconds(cost.settledAfterSeconds)});
}

}  // namespace lentora
