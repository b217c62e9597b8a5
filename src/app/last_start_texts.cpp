#include "app/last_start_texts.h"

#include <windows.h>

#include <optional>

#include "app/figure_texts.h"
#include "measure/program_name.h"
#include "util/format.h"

namespace lentora {
namespace {

class HintFigures : public FigureTexts {
public:
    explicit HintFigures(const IMessageSource& texts) : FigureTexts(texts), texts_(texts) {}

    std::wstring Ready(const MeasuredLaunch& launch) const {
        switch (launch.readiness) {
            case Readiness::Ready: return Seconds(launch.readyAfterSeconds);
            case Readiness::NoWindow: return texts_.Msg(NamedMsg::LastStartNoWindow);
            case Readiness::NotReady: return texts_.Msg(NamedMsg::LastStartNotWithin);
            case Readiness::Unknown: break;
        }
        return Unknown();
    }
    // A started program without a settling time did not settle while it was measured; one that
    // never started was not measured at all.
    std::wstring Settled(const MeasuredLaunch& launch) const {
        if (launch.settledAfterSeconds || launch.outcome != LaunchOutcome::Started) return Seconds(launch.settledAfterSeconds);
        return texts_.Msg(NamedMsg::LastStartNotWithin);
    }
    std::wstring Cpu(const MeasuredLaunch& launch) const {
        if (!launch.cpuSeconds) return FormatText(texts_.Msg(NamedMsg::LastStartCpu), {Unknown()});
        const NamedMsg line =
            launch.cpuSource == CpuSource::Program ? NamedMsg::LastStartCpuOwn : NamedMsg::LastStartCpuMachine;
        return FormatText(texts_.Msg(line), {Seconds(launch.cpuSeconds)});
    }
    std::wstring Outcome(LaunchOutcome outcome) const {
        switch (outcome) {
            case LaunchOutcome::Failed: return texts_.Msg(Message::TaskFailedStatus);
            case LaunchOutcome::Declined: return texts_.Msg(NamedMsg::TaskDeclinedStatus);
            case LaunchOutcome::AwaitingConsent: return texts_.Msg(NamedMsg::AwaitingConsentStatus);
            case LaunchOutcome::Started: break;
        }
        return {};
    }

private:
    const IMessageSource& texts_;
};

}  // namespace

std::wstring StartCaption(const StartRecord& start, const IMessageSource& texts) {
    const platform::LocalTime& at = start.began;
    SYSTEMTIME time{static_cast<WORD>(at.year), static_cast<WORD>(at.month), 0, static_cast<WORD>(at.day),
                    static_cast<WORD>(at.hour), static_cast<WORD>(at.minute), static_cast<WORD>(at.second), 0};
    wchar_t date[64] = {}, clock[64] = {};
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, date, static_cast<int>(std::size(date)));
    GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &time, nullptr, clock, static_cast<int>(std::size(clock)));
    const NamedMsg origin = start.origin == WalkOrigin::LogOn ? NamedMsg::LastStartAtLogOn : NamedMsg::LastStartByButton;
    return FormatText(texts.Msg(origin), {std::wstring(date) + L" " + clock});
}

std::wstring LaunchHint(const MeasuredLaunch& launch, const IMessageSource& texts) {
    const HintFigures figures(texts);
    std::wstring hint = ProgramFileName(launch.commandLine);
    if (launch.outcome != LaunchOutcome::Started) hint += L"\r\n" + figures.Outcome(launch.outcome);
    const std::wstring lines[] = {
        figures.Cpu(launch),
        FormatText(texts.Msg(NamedMsg::LastStartRead), {figures.Megabytes(launch.bytesRead)}),
        FormatText(texts.Msg(NamedMsg::LastStartWritten), {figures.Megabytes(launch.bytesWritten)}),
        FormatText(texts.Msg(NamedMsg::LastStartPeakMemory), {figures.Megabytes(launch.peakPrivateBytes)}),
        FormatText(texts.Msg(NamedMsg::LastStartReadyAfter), {figures.Ready(launch)}),
        FormatText(texts.Msg(NamedMsg::LastStartSettledAfter), {figures.Settled(launch)}),
    };
    for (const std::wstring& line : lines) hint += L"\r\n" + line;
    return hint;
}

}  // namespace lentora
