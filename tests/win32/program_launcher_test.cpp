// The launcher's way through its two system calls, with fakes in their place: a program whose
// manifest asks for administrator rights (CreateProcessW fails with 740) goes to the shell's
// "runas" verb on a thread of its own; a document or script goes to the shell's "open" verb;
// every other failure stays a failure. No process starts and no prompt shows.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/program_launcher.h"
#include "sysint_test_support.h"

namespace lentora {
namespace {

// What the shell call was given, copied while its pointers are alive.
struct ShellCall {
    std::wstring verb, file, parameters, directory;
    bool hasParameters = false, hasDirectory = false;
    int show = 0;
    ULONG mask = 0;
    DWORD thread = 0;
};

class Event {
public:
    Event() : handle_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    ~Event() { CloseHandle(handle_); }
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;
    void Set() { SetEvent(handle_); }
    void Reset() { ResetEvent(handle_); }
    bool Wait() { return WaitForSingleObject(handle_, 5000) == WAIT_OBJECT_0; }

private:
    HANDLE handle_;
};

// The shell call, which may run on another thread, waits for `answer` as the consent prompt waits
// for the user; the launcher's `ready` is seen through `answered`.
class FakeCalls {
public:
    DWORD createResult = ERROR_SUCCESS, shellResult = ERROR_SUCCESS;
    std::vector<std::wstring> created;
    std::vector<HANDLE> handedOut;
    std::vector<bool> createdSuspended;
    std::vector<ShellCall> shell;
    Event answer, answered;

    FakeCalls() { answer.Set(); }

    LaunchCalls Calls() {
        return {[this](wchar_t* line, const wchar_t*, bool suspended, STARTUPINFOW&, PROCESS_INFORMATION& process) {
                    created.emplace_back(line);
                    createdSuspended.push_back(suspended);
                    if (createResult != ERROR_SUCCESS) return createResult;
                    process.hProcess = CreateEventW(nullptr, FALSE, FALSE, nullptr);
                    process.hThread = CreateEventW(nullptr, FALSE, FALSE, nullptr);
                    handedOut = {process.hProcess, process.hThread};
                    return DWORD{ERROR_SUCCESS};
                },
                [this](SHELLEXECUTEINFOW& info) {
                    ShellCall call{info.lpVerb ? info.lpVerb : L"", info.lpFile ? info.lpFile : L"",
                                   info.lpParameters ? info.lpParameters : L"",
                                   info.lpDirectory ? info.lpDirectory : L"", info.lpParameters != nullptr,
                                   info.lpDirectory != nullptr, info.nShow, info.fMask, GetCurrentThreadId()};
                    EXPECT_EQ(info.cbSize, sizeof info);
                    answer.Wait();
                    shell.push_back(call);
                    // The process the shell started, when it is asked for.
                    if (shellResult == ERROR_SUCCESS && (info.fMask & SEE_MASK_NOCLOSEPROCESS))
                        info.hProcess = CreateEventW(nullptr, FALSE, FALSE, nullptr);
                    return shellResult;
                }};
    }
    ProgramLauncher Launcher(ILogSink& log) {
        return ProgramLauncher(log, [this] { answered.Set(); }, Calls());
    }
};

TEST(ProgramLauncher, ElevationRequiredAsksOnAThreadOfItsOwnAndTheAnswerComesLater) {
    // A program that exists, so the command line splits where the system would split it.
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring program = std::wstring(system) + L"\\notepad.exe";
    const std::wstring line = program + L" /a C:\\x y.txt";
    const std::wstring launch = L"Launch application: \"" + line + L"\"";
    const std::wstring requested =
        L"application: \"" + line + L"\" needs administrator rights, elevation is requested";
    struct Case {
        const char* what;
        DWORD shellResult;
        LaunchOutcome result;
        std::wstring outcome;
    };
    const Case cases[] = {
        {"consent given", ERROR_SUCCESS, LaunchOutcome::Started, L"application: \"" + line + L"\" is started"},
        {"declined", ERROR_CANCELLED, LaunchOutcome::Declined, L"Elevation of \"" + line + L"\" is declined by the user"},
        {"shell failed", ERROR_FILE_NOT_FOUND, LaunchOutcome::Failed, L"Error at an launch \"" + line + L"\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeCalls fake;
        fake.createResult = kElevationRequired;
        fake.shellResult = c.shellResult;
        test::RecordingLog log;
        ProgramLauncher launcher = fake.Launcher(log);
        // A process the consent prompt started is measured through its handle, once the answer is taken.
        std::vector<std::pair<TaskId, bool>> measured;
        HANDLE handedToMeasuring = nullptr;
        launcher.SetStartedProcessHandler([&](TaskId task, HANDLE process, bool suspended) {
            measured.emplace_back(task, suspended);
            handedToMeasuring = process;
        });
        fake.answer.Reset();
        EXPECT_EQ(launcher.Launch(7, line), LaunchOutcome::AwaitingConsent) << "returns while the prompt is open";
        EXPECT_EQ(log.lines, (std::vector<std::wstring>{launch, requested}));
        EXPECT_TRUE(launcher.TakeAnswers().empty());
        fake.answer.Set();  // the user answers
        ASSERT_TRUE(fake.answered.Wait());
        const std::vector<ProgramLauncher::Answer> answers = launcher.TakeAnswers();
        ASSERT_EQ(answers.size(), 1u);
        EXPECT_EQ(answers[0].task, 7u);
        EXPECT_EQ(answers[0].outcome, c.result);
        EXPECT_EQ(log.lines, (std::vector<std::wstring>{launch, requested, c.outcome})) << "logged on taking";
        using Measured = std::vector<std::pair<TaskId, bool>>;
        const Measured expected = c.result == LaunchOutcome::Started ? Measured{{7, false}} : Measured{};
        EXPECT_EQ(measured, expected);
        DWORD flags = 0;
        EXPECT_FALSE(handedToMeasuring && GetHandleInformation(handedToMeasuring, &flags)) << "closed after";
        EXPECT_EQ(fake.created, std::vector<std::wstring>{line});
        ASSERT_EQ(fake.shell.size(), 1u);
        const ShellCall& call = fake.shell[0];
        EXPECT_NE(call.thread, GetCurrentThreadId());
        EXPECT_EQ(call.verb, L"runas");
        EXPECT_EQ(call.file, program);
        EXPECT_EQ(call.parameters, L"/a C:\\x y.txt");
        EXPECT_EQ(call.directory, system) << "the program's own folder";
        EXPECT_EQ(call.show, SW_SHOWMINIMIZED);
        EXPECT_TRUE(call.mask & SEE_MASK_FLAG_NO_UI) << "no error box of the shell's own";
        EXPECT_TRUE(call.mask & SEE_MASK_NOCLOSEPROCESS);
    }
}

TEST(ProgramLauncher, OtherOutcomesOfCreateProcessNeverAskForElevation) {
    const std::wstring line = L"C:\\Tools\\tool.exe";
    struct Case {
        DWORD createResult;
        LaunchOutcome result;
        std::wstring outcome;
    };
    const Case cases[] = {
        {ERROR_SUCCESS, LaunchOutcome::Started, L"application: \"C:\\Tools\\tool.exe\" is started"},
        {ERROR_FILE_NOT_FOUND, LaunchOutcome::Failed, L"Error at an launch \"C:\\Tools\\tool.exe\""},
        {ERROR_ACCESS_DENIED, LaunchOutcome::Failed, L"Error at an launch \"C:\\Tools\\tool.exe\""},
        {ERROR_CANCELLED, LaunchOutcome::Failed, L"Error at an launch \"C:\\Tools\\tool.exe\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.createResult);
        FakeCalls fake;
        fake.createResult = c.createResult;
        test::RecordingLog log;
        EXPECT_EQ(fake.Launcher(log).Launch(1, line), c.result);
        for (HANDLE handle : fake.handedOut) {
            DWORD flags = 0;
            EXPECT_FALSE(GetHandleInformation(handle, &flags)) << "the process and thread handles are closed";
        }
        EXPECT_EQ(fake.handedOut.size(), c.createResult == ERROR_SUCCESS ? 2u : 0u);
        EXPECT_TRUE(fake.shell.empty());
        EXPECT_EQ(log.lines, (std::vector<std::wstring>{L"Launch application: \"C:\\Tools\\tool.exe\"", c.outcome}));
    }
}

// A quoted program path keeps its blanks; with no arguments the shell is given none.
TEST(ProgramLauncher, ElevatedStartOfAQuotedProgramWithoutArguments) {
    FakeCalls fake;
    fake.createResult = kElevationRequired;
    test::RecordingLog log;
    ProgramLauncher launcher = fake.Launcher(log);
    EXPECT_EQ(launcher.Launch(1, L"\"D:\\No Such Folder\\setup.exe\""), LaunchOutcome::AwaitingConsent);
    ASSERT_TRUE(fake.answered.Wait());
    ASSERT_EQ(launcher.TakeAnswers().size(), 1u);
    ASSERT_EQ(fake.shell.size(), 1u);
    EXPECT_EQ(fake.shell[0].file, L"D:\\No Such Folder\\setup.exe");
    EXPECT_FALSE(fake.shell[0].hasParameters);
    EXPECT_FALSE(fake.shell[0].hasDirectory) << "no folder that exists: the shell starts it in ours";
}

// Files of a folder of the test's own, as a Startup folder holds them.
class LauncherFiles : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + test::UniqueName(L"Launch");
        CreateDirectoryW(folder_.c_str(), nullptr);
        for (const wchar_t* name : {L"read me.txt", L"job.vbs", L"tool.exe", L"TOOL.CMD"}) {
            std::ofstream(std::filesystem::path(Path(name))) << "x";
            files_.push_back(Path(name));
        }
    }
    void TearDown() override {
        for (const std::wstring& file : files_) DeleteFileW(file.c_str());
        RemoveDirectoryW(folder_.c_str());
    }
    std::wstring Path(const std::wstring& name) const { return folder_ + L"\\" + name; }

    std::wstring folder_;
    std::vector<std::wstring> files_;
};

TEST_F(LauncherFiles, DocumentsAndScriptsAreOpenedThroughTheShell) {
    struct Case {
        std::wstring line;
        DWORD createResult;  // what CreateProcessW answers, when it is asked
        DWORD shellResult;
        bool createAsked;
        std::wstring openedFile, parameters;  // empty: the shell is not asked
        LaunchOutcome result;
    };
    const Case cases[] = {
        {Path(L"read me.txt"), ERROR_SUCCESS, ERROR_SUCCESS, false, Path(L"read me.txt"), L"", LaunchOutcome::Started},
        {Path(L"job.vbs") + L" /x y", ERROR_SUCCESS, ERROR_SUCCESS, false, Path(L"job.vbs"), L"/x y",
         LaunchOutcome::Started},
        {Path(L"job.vbs"), ERROR_SUCCESS, ERROR_NO_ASSOCIATION, false, Path(L"job.vbs"), L"", LaunchOutcome::Failed},
        // A program file that is none: CreateProcessW says so, and the shell gets it.
        {Path(L"tool.exe") + L" -a", ERROR_BAD_EXE_FORMAT, ERROR_SUCCESS, true, Path(L"tool.exe"), L"-a",
         LaunchOutcome::Started},
        {Path(L"TOOL.CMD"), ERROR_SUCCESS, ERROR_SUCCESS, true, L"", L"", LaunchOutcome::Started},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::string(c.line.begin(), c.line.end()));
        FakeCalls fake;
        fake.createResult = c.createResult;
        fake.shellResult = c.shellResult;
        test::RecordingLog log;
        EXPECT_EQ(fake.Launcher(log).Launch(1, c.line), c.result);
        EXPECT_EQ(fake.created.size(), c.createAsked ? 1u : 0u);
        const std::wstring outcome = c.result == LaunchOutcome::Started
                                         ? L"application: \"" + c.line + L"\" is started"
                                         : L"Error at an launch \"" + c.line + L"\"";
        EXPECT_EQ(log.lines, (std::vector<std::wstring>{L"Launch application: \"" + c.line + L"\"", outcome}));
        if (c.openedFile.empty()) {
            EXPECT_TRUE(fake.shell.empty());
            continue;
        }
        ASSERT_EQ(fake.shell.size(), 1u);
        const ShellCall& call = fake.shell[0];
        EXPECT_EQ(call.verb, L"open");
        EXPECT_EQ(call.file, c.openedFile);
        EXPECT_EQ(call.parameters, c.parameters);
        EXPECT_EQ(call.hasParameters, !c.parameters.empty());
        EXPECT_EQ(call.directory, folder_);
        EXPECT_EQ(call.show, SW_SHOWMINIMIZED);
        EXPECT_TRUE(call.mask & SEE_MASK_FLAG_NO_UI);
    }
}

TEST_F(LauncherFiles, AMeasuredLaunchHandsOverItsProcessBeforeItRunsAStep) {
    struct Seen {
        TaskId task;
        bool suspended;
        DWORD stillRunning;
    };
    std::vector<Seen> seen;
    auto record = [&](TaskId task, HANDLE process, bool suspended) {
        seen.push_back({task, suspended, WaitForSingleObject(process, 0)});
    };
    // The real call: cpu_burn for a second, which must run to its end once the handler is done.
    const char* burn = std::getenv("LENTORA_CPU_BURN");
    ASSERT_NE(burn, nullptr);
    test::RecordingLog log;
    ProgramLauncher real(log, [] {});
    HANDLE started = nullptr;
    real.SetStartedProcessHandler([&](TaskId task, HANDLE process, bool suspended) {
        record(task, process, suspended);
        DuplicateHandle(GetCurrentProcess(), process, GetCurrentProcess(), &started, SYNCHRONIZE, FALSE, 0);
    });
    const std::wstring line = L"\"" + std::wstring(burn, burn + std::strlen(burn)) + L"\" 1 1";
    EXPECT_EQ(real.Launch(3, line), LaunchOutcome::Started);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].task, 3u);
    EXPECT_TRUE(seen[0].suspended);
    EXPECT_EQ(seen[0].stillRunning, static_cast<DWORD>(WAIT_TIMEOUT));
    ASSERT_NE(started, nullptr);
    EXPECT_EQ(WaitForSingleObject(started, 20000), WAIT_OBJECT_0) << "let run after the handler";
    CloseHandle(started);

    // A document: the shell's process, already running; without a handler nothing is asked.
    FakeCalls fake;
    ProgramLauncher measured = fake.Launcher(log);
    measured.SetStartedProcessHandler(record);
    EXPECT_EQ(measured.Launch(4, Path(L"read me.txt")), LaunchOutcome::Started);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].task, 4u);
    EXPECT_FALSE(seen[1].suspended);
    EXPECT_TRUE(fake.shell[0].mask & SEE_MASK_NOCLOSEPROCESS);
    EXPECT_EQ(fake.Launcher(log).Launch(5, Path(L"TOOL.CMD")), LaunchOutcome::Started);
    EXPECT_EQ(fake.createdSuspended, std::vector<bool>{false}) << "an unmeasured launch runs at once";
}

}  // namespace
}  // namespace lentora
