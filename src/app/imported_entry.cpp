#include "app/imported_entry.h"

#include "sysint/startup_entry_take_over.h"
#include "ui/message_box.h"
#include "util/format.h"

namespace lentora {

ImportedEntry::ImportedEntry(RegistryEntry entry, std::wstring exePath, ILogSink& log)
    : entry_(std::move(entry)), exePath_(std::move(exePath)), log_(log) {}

ImportedEntry::Step ImportedEntry::Start(HWND window, const Texts& texts) {
    switch (TakeOver(entry_, log_)) {
        case TakeOverResult::kTakenOver: return Step::kTakenOver;
        case TakeOverResult::kNotWritten: break;
        case TakeOverResult::kNeedsRights:
            if (ui::ShowMessageBox(window, FormatText(texts.elevateQuestion, {entry_.item}),
                                   texts.questionCaption, MB_YESNO | MB_ICONQUESTION) != IDYES)
                return Step::kRefused;
            if (worker_.Start(window, exePath_, ApprovalWriteParameters({entry_.approvalList, entry_.item, false}))) {
                log_.Log(FormatText(L"Asking for administrator rights to switch off start-up entry \"%s\"", {entry_.item}));
                return Step::kWaiting;
            }
            break;
    }
    ui::ShowMessageBox(window, texts.notTakenOver, texts.errorCaption, MB_OK | MB_ICONERROR);
    return Step::kRefused;
}

ImportedEntry::Step ImportedEntry::Finish(WPARAM wParam, HWND window, const Texts& texts) {
    const std::wstring place = ApprovalPlace(entry_);
    switch (worker_.Finish(wParam)) {
        case ElevatedOutcome::kWritten:
            log_.Log(FormatText(L"Start-up entry \"%s\" is switched off in \"%s\" with administrator rights",
                                {entry_.item, place}));
            return Step::kTakenOver;
        case ElevatedOutcome::kDeclined:
            log_.Log(FormatText(L"Administrator rights were declined. Start-up entry \"%s\" is left enabled",
                                {entry_.item}));
            ui::ShowMessageBox(window, FormatText(texts.declined, {entry_.item}),
                               texts.errorCaption, MB_OK | MB_ICONERROR);
            return Step::kRefused;
        case ElevatedOutcome::kFailed: break;
    }
    log_.Log(FormatText(L"Can't write \"%s\" with administrator rights. Start-up entry \"%s\" is left enabled",
                        {place, entry_.item}));
    ui::ShowMessageBox(window, texts.notTakenOver, texts.errorCaption, MB_OK | MB_ICONERROR);
    return Step::kRefused;
}

}  // namespace lentora
