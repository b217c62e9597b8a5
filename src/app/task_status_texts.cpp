#include "app/task_status_texts.h"

#include "tasks/task_list.h"

namespace lentora {

std::wstring LaunchStatusText(LaunchOutcome outcome, const IMessageSource& texts) {
    switch (outcome) {
        case LaunchOutcome::Started: return texts.Msg(Message::TaskStartedStatus);
        case LaunchOutcome::Declined: return texts.Msg(NamedMsg::TaskDeclinedStatus);
        case LaunchOutcome::AwaitingConsent: return texts.Msg(NamedMsg::AwaitingConsentStatus);
        case LaunchOutcome::Failed: break;
    }
    return texts.Msg(Message::TaskFailedStatus);
}

void ShowEnabledStatuses(TaskList& tasks, const IMessageSource& texts) {
    if (tasks.Empty()) return;
    tasks.RefreshStatuses(texts.Msg(Message::TaskEnabledStatus), texts.Msg(Message::TaskDisabledStatus));
}

}  // namespace lentora
