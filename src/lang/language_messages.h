// LngMsg: the message texts MSG1..MSG39 of the applied language, and the messages added after
// them, which are read by name.
#pragma once
#include <array>
#include <string>
#include <string_view>

namespace lentora {

class LanguageFile;

inline constexpr int kMessageCount = 39;

// The numbered message texts by what they are; each one's number is its key "MSG<n>" in the
// language files.
enum class Message {
    AuthorWord = 1,          // before the author's name on the About page
    TaskEnabledStatus,       // status column: an enabled task
    TaskDisabledStatus,      // status column: a disabled task
    StartingStatus,          // status bar while the window is made
    DelayOfStartStatus,      // status bar while the delay of start runs
    IdleStatus,              // status bar: nothing runs
    ElapsedLabel,            // before the walk's tick count
    LastDelayReachedStatus,  // status bar: the largest delay has come
    TaskStartedStatus,       // status column: launched
    TaskFailedStatus,        // status column: the launch failed
    WalkStatus,              // status bar while the task list is walked
    EmptyListCaption,        // caption of the box: delete all from an empty list
    WarningCaption,
    ErrorCaption,            // caption of error boxes (the autorun value, a start-up entry, the shortcut)
    QuestionCaption,
    ListEmpty,
    NothingToEdit,
    NothingToDelete,
    DeleteTaskQuestion,
    NothingToStart,
    DeleteAllQuestion,
    StartCaption,            // the Start button while idle
    StopCaption,             // the Start button during a walk
    StartHint,
    StopHint,
    AutorunNotWritten,
    TranslatorWord,          // first part of the translator label
    DelayTooShort,           // task dialog: a delay below 1 second or no whole number
    NoProgram,               // task dialog: no program given
    ForbiddenCharacter,      // task dialog: a character a command line cannot hold
    PausedStatus,
    LaunchBalloonTitle,
    CreateShortcutQuestion,
    Unshown34,               // read like the others; nothing shows it
    UpdateCaption,           // caption of the update boxes and the update balloon's title
    UpdateServerUnreachable, // a check asked for by the user got no answer
    UpdateAvailable,         // a format: %s the server's version, %s ours
    OpenDownloadQuestion,
    NoNewerVersion,
};

constexpr int MessageNumber(Message id) { return static_cast<int>(id); }

class LngMsgTable {
public:
    // All texts are empty until a language is applied.
    LngMsgTable() = default;
    // Text of MSG`n`, n from 1 to kMessageCount; throws std::out_of_range otherwise.
    const std::wstring& Msg(int n) const;
    void Set(int n, std::wstring text);

private:
    std::array<std::wstring, kMessageCount> texts_;
};

// All message texts of a language file, "no data" where a key is missing.
LngMsgTable ReadLngMsg(const LanguageFile& file);

// Messages that came after MSG39. Each is a key of section MSG named like its enumerator and has
// an English default, so a language file written before the message existed still reads well.
enum class NamedMsg {
    EntryNotTakenOver,      // error box: a start-up entry stays where it was, no task is added
    StartupFolderNotFound,  // error box: the shortcut has no folder to go to
    ShortcutNotCreated,     // error box, a format: %s is the shortcut file
    TaskDeclinedStatus,     // a task's status: the user said no to starting it with administrator rights
    WaitingForSystem,       // status bar and tray hint while a due launch waits for a calm system
    AwaitingConsentStatus,  // a task's status while the consent prompt for its start is open
    LaunchesFailedStatus,   // status bar at the last launch, a format: %s failed of %s launches
    LaunchFailedTitle,      // title of the balloon for a launch that failed
    ElevateQuestion,        // question, a format: %s is a machine start-up entry to switch off with administrator rights
    ElevationDeclined,      // error box, a format: %s is the entry left on since the rights were not given
    NeverChecked,           // Options page, "Last check" while no update check has succeeded
    ImpactLow,              // the Impact column: what a program typically costs at a start
    ImpactMedium,
    ImpactHigh,
    ImpactTip,              // a task row's tooltip, a format: the measured starts, then the medians of CPU, disk read and written, settled after
    UnknownFigure,          // a figure the system did not give
    SecondsFigure,          // a figure in seconds, a format
    MegabytesFigure,        // a figure in megabytes, a format
    SpacingTitle,           // the proposed delays' dialog: its title
    SpacingExplanation,     // its explanation
    SpacingProgram,         // its column: the task
    SpacingNow,             // its column: today's delay
    SpacingProposed,        // its column: the proposed delay
    SpacingBasis,           // its column: what the proposal comes from
    SpacingMeasured,        // the task before was measured
    SpacingKept,            // the task before was never measured
    SpacingApply,           // its buttons
    SpacingCancel,
    SpacingNothingMeasured, // box: nothing to propose from
    LastStartAtLogOn,       // the Last start page's list: a start's date and time
    LastStartByButton,
    LastStartNone,          // the Last start page without a history of starts
    LastStartCpu,           // a launch's hint on the Last start page, a format: %s is the figure
    LastStartCpuOwn,
    LastStartCpuMachine,
    LastStartRead,
    LastStartWritten,
    LastStartPeakMemory,
    LastStartReadyAfter,
    LastStartSettledAfter,
    LastStartNoWindow,
    LastStartNotWithin,
};
inline constexpr int kNamedMsgCount = 42;

// The key of a named message in section MSG.
std::wstring_view NamedMsgKey(NamedMsg id);

class NamedMsgTable {
public:
    // The English defaults: there is always something to show.
    NamedMsgTable();
    const std::wstring& Text(NamedMsg id) const { return texts_[static_cast<size_t>(id)]; }

private:
    friend NamedMsgTable ReadNamedMsg(const LanguageFile& file);
    std::array<std::wstring, kNamedMsgCount> texts_;
};

NamedMsgTable ReadNamedMsg(const LanguageFile& file);

// The message texts of the applied language.
class IMessageSource {
public:
    virtual ~IMessageSource() = default;
    virtual std::wstring Msg(Message id) const = 0;
    virtual std::wstring Msg(NamedMsg id) const = 0;
};

}  // namespace lentora
