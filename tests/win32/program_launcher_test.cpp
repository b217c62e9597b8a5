// The launcher's way through its two system calls, with fakes in their place: a program whose
// manifest asks for administrator rights (CreateProcessW fails with 740) goes to the shell's
// "runas" verb, every other failure stays a failure. No process starts and no prompt shows.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

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
};

class FakeCalls {
public:
    DWORD createResult = ERROR_SUCCESS, shellResult = ERROR_SUCCESS;
    std::vector<std::wstring> created;
    std::vector<ShellCall> shell;

    LaunchCalls Calls() {
        return {[this](wchar_t* line, const wchar_t*, STARTUPINFOW&, PROCESS_INFORMATION& process) {
                    created.emplace_back(line);
                    if (createResult != ERROR_SUCCESS) return createResult;
                    // Real handles, so closing them is checked by the handle count.
                    process.hProcess = CreateEventW(nullptr, FALSE, FALSE, nullptr);
                    process.hThread = CreateEventW(nullptr, FALSE, FALSE, nullptr);
                    return DWORD{ERROR_SUCCESS};
                },
                [this](SHELLEXECUTEINFOW& info) {
                    ShellCall call{info.lpVerb ? info.lpVerb : L"", info.lpFile ? info.lpFile : L"",
                                   info.lpParameters ? info.lpParameters : L"",
                                   info.lpDirectory ? info.lpDirectory : L"", info.lpParameters != nullptr,
                                   info.lpDirectory != nullptr, info.nShow, info.fMask};
                    EXPECT_EQ(info.cbSize, sizeof info);
                    shell.push_back(call);
                    return shellResult;
                }};
    }
};

DWORD HandleCount() {
    DWORD count = 0;
    GetProcessHandleCount(GetCurrentProcess(), &count);
    return count;
}

TEST(ProgramLauncher, ElevationRequiredGoesThroughTheShellsRunasVerbAndLogsTheOutcome) {
    // A program that exists, so the command line splits where the system would split it.
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring program = std::wstring(system) + L"\\notepad.exe";
    const std::wstring line = program + L" /a C:\\x y.txt";
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
        EXPECT_EQ(ProgramLauncher(log, fake.Calls()).Launch(line), c.result);
        EXPECT_EQ(fake.created, std::vector<std::wstring>{line});
        ASSERT_EQ(fake.shell.size(), 1u);
        const ShellCall& call = fake.shell[0];
        EXPECT_EQ(call.verb, L"runas");
        EXPECT_EQ(call.file, program);
        EXPECT_EQ(call.parameters, L"/a C:\\x y.txt");
        EXPECT_EQ(call.directory, system) << "the program's own folder";
        EXPECT_EQ(call.show, SW_SHOWMINIMIZED);
        EXPECT_TRUE(call.mask & SEE_MASK_FLAG_NO_UI) << "no error box of the shell's own";
        const std::wstring launch = L"Launch application: \"" + line + L"\"";
        EXPECT_EQ(log.lines, (std::vector<std::wstring>{launch, requested, c.outcome}));
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
        const DWORD handles = HandleCount();
        EXPECT_EQ(ProgramLauncher(log, fake.Calls()).Launch(line), c.result);
        EXPECT_EQ(HandleCount(), handles) << "the process and thread handles are closed";
        EXPECT_TRUE(fake.shell.empty());
        EXPECT_EQ(log.lines, (std::vector<std::wstring>{L"Launch application: \"C:\\Tools\\tool.exe\"", c.outcome}));
    }
}

// A quoted program path keeps its blanks; with no arguments the shell is given none.
TEST(ProgramLauncher, ElevatedStartOfAQuotedProgramWithoutArguments) {
    FakeCalls fake;
    fake.createResult = kElevationRequired;
    test::RecordingLog log;
    EXPECT_EQ(ProgramLauncher(log, fake.Calls()).Launch(L"\"D:\\No Such Folder\\setup.exe\""), LaunchOutcome::Started);
    ASSERT_EQ(fake.shell.size(), 1u);
    EXPECT_EQ(fake.shell[0].file, L"D:\\No Such Folder\\setup.exe");
    EXPECT_FALSE(fake.shell[0].hasParameters);
    EXPECT_FALSE(fake.shell[0].hasDirectory) << "no folder that exists: the shell starts it in ours";
}

}  // namespace
}  // namespace lentora
