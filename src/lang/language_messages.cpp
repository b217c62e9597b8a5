#include "lang/language_messages.h"

#include <stdexcept>
#include <utility>

#include "lang/language_file.h"
#include "lang/language_keys.h"

namespace lentora {
namespace {

size_t Index(int n) {
    if (n < 1 || n > kMessageCount) throw std::out_of_range("message number out of range");
    return static_cast<size_t>(n - 1);
}

// In the order of NamedMsg.
constexpr std::wstring_view kNamedMsgKeys[] = {L"EntryNotTakenOver", L"StartupFolderNotFound",
                                               L"ShortcutNotCreated", L"TaskDeclinedStatus", L"WaitingForSystem",
                                               L"AwaitingConsentStatus", L"LaunchesFailedStatus",
                                               L"LaunchFailedTitle", L"ElevateQuestion", L"ElevationDeclined",
                                               L"NeverChecked", L"ImpactLow", L"ImpactMedium", L"ImpactHigh",
                                               L"ImpactTip", L"UnknownFigure", L"SecondsFigure", L"MegabytesFigure", L"SpacingTitle", L"SpacingExplanation", L"SpacingProgram", L"SpacingNow", L"SpacingProposed", L"SpacingBasis", L"SpacingMeasured", L"SpacingKept", L"SpacingApply", L"SpacingCancel", L"SpacingNothingMeasured",
                                               L"LastStartAtLogOn", L"LastStartByButton", L"LastStartNone", L"LastStartCpu", L"LastStartCpuOwn", L"LastStartCpuMachine", L"LastStartRead", L"LastStartWritten", L"LastStartPeakMemory", L"LastStartReadyAfter", L"LastStartSettledAfter", L"LastStartNoWindow", L"LastStartNotWithin"};
static_assert(std::size(kNamedMsgKeys) == kNamedMsgCount);

}  // namespace

const std::wstring& LngMsgTable::Msg(int n) const { return texts_[Index(n)]; }

void LngMsgTable::Set(int n, std::wstring text) { texts_[Index(n)] = std::move(text); }

LngMsgTable ReadLngMsg(const LanguageFile& file) {
    LngMsgTable table;
    for (int n = 1; n <= kMessageCount; ++n) table.Set(n, file.Read(L"MSG", L"MSG" + std::to_wstring(n)));
    return table;
}

std::wstring_view NamedMsgKey(NamedMsg id) { return kNamedMsgKeys[static_cast<size_t>(id)]; }

NamedMsgTable::NamedMsgTable() {
    for (size_t i = 0; i < texts_.size(); ++i)
        texts_[i] = FindLanguageKey(L"MSG", kNamedMsgKeys[i])->defaultText;
}

NamedMsgTable ReadNamedMsg(const LanguageFile& file) {
    NamedMsgTable table;
    for (size_t i = 0; i < table.texts_.size(); ++i) table.texts_[i] = file.Read(L"MSG", kNamedMsgKeys[i]);
    return table;
}

}  // namespace lentora
