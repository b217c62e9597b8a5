// The switch by which the program, run elevated, writes one Task Manager switch of a machine
// start-up entry: what it accepts, how its arguments survive the command line, and the real
// executable doing the write.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <cstdlib>

#include "startup_entries_test_support.h"
#include "sysint/elevated_approval.h"

namespace lentora {
namespace {

using test::kApproved;
using test::UniqueName;
using Args = std::vector<std::wstring>;

// The arguments as the program's entry point would read them from this command line.
Args Split(const std::wstring& commandLine) {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW((L"lentora.exe " + commandLine).c_str(), &argc);
    Args args;
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
    LocalFree(argv);
    return args;
}

TEST(SysintElevatedApproval, AcceptsExactlyOneSwitchOfAMachineList) {
    const struct {
        Args args;
        bool accepted;
    } cases[] = {
        {{L"-approval", L"HKLM", L"Run", L"Tool", L"off"}, true},
        {{L"-approval", L"HKLM", L"Run32", L"Tool", L"on"}, true},
        {{L"-approval", L"HKLM", L"StartupFolder", L"Tool.lnk", L"off"}, true},
        {{L"-approval", L"HKCU", L"Run", L"Tool", L"off"}, false},      // the user's own need no rights
        {{L"-approval", L"HKLM", L"RunOnce", L"Tool", L"off"}, false},  // no other list
        {{L"-approval", L"HKLM", L"..\\..\\Run", L"Tool", L"off"}, false},
        {{L"-approval", L"HKLM", L"Run", L"", L"off"}, false},          // the key's default value
        {{L"-approval", L"HKLM", L"Run", L"Tool", L"1"}, false},
        {{L"-approval", L"HKLM", L"Run", L"Tool", L"OFF"}, false},
        {{L"-approval", L"HKLM", L"Run", L"Tool"}, false},
        {{L"-approval", L"HKLM", L"Run", L"Tool", L"off", L"-start"}, false},
        {{L"-start", L"HKLM", L"Run", L"Tool", L"off"}, false},
    };
    for (const auto& c : cases) {
        std::wstring line;
        for (const auto& a : c.args) line += a + L" ";
        SCOPED_TRACE(line);
        EXPECT_EQ(ParseApprovalWrite(c.args).has_value(), c.accepted);
        if (c.args[0] == kApprovalSwitch && !c.accepted) {
            EXPECT_EQ(RunApprovalSwitch(c.args), 2);
        }
    }
    EXPECT_EQ(RunApprovalSwitch({L"-start"}), std::nullopt) << "not the switch: the program runs as usual";
    EXPECT_EQ(RunApprovalSwitch({}), std::nullopt);
}

TEST(SysintElevatedApproval, NamesSurviveTheCommandLineWhole) {
    for (const std::wstring name : {L"Tool", L"My Tool", L"say \"hi\"", L"ends\\", L"C:\\dir\\ \\\"x\\\\", L"-start"}) {
        SCOPED_TRACE(name);
        for (bool enabled : {false, true}) {
            const ApprovalWrite write{L"Run32", name, enabled};
            EXPECT_EQ(ParseApprovalWrite(Split(ApprovalWriteParameters(write))), write);
        }
    }
}

class SysintElevatedApprovalWrite : public test::StartupEntriesFixture {};

// Under the test prefix the program runs as administrator, as an elevated run does.
TEST_F(SysintElevatedApprovalWrite, TheProgramWritesTheSwitchAndNothingElse) {
    const char* exe = std::getenv("LENTORA_EXE");
    if (!exe) GTEST_SKIP() << "LENTORA_EXE not set";
    const std::wstring name = UniqueName(L"Elevated Tool");
    ApprovalCleanup(HKEY_LOCAL_MACHINE, L"Run", name);
    ApprovalCleanup(HKEY_CURRENT_USER, L"Run", name);
    wchar_t exePath[MAX_PATH] = {};
    ASSERT_TRUE(GetFullPathNameW(test::WinePath(exe).c_str(), MAX_PATH, exePath, nullptr));
    auto run = [&](const std::wstring& parameters) {
        std::wstring commandLine = L"\"" + std::wstring(exePath) + L"\" " + parameters;
        STARTUPINFOW si{sizeof(si)};
        PROCESS_INFORMATION pi{};
        EXPECT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
        DWORD code = 99;
        EXPECT_EQ(WaitForSingleObject(pi.hProcess, 30000), WAIT_OBJECT_0);
        GetExitCodeProcess(pi.hProcess, &code);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        return code;
    };
    EXPECT_EQ(run(ApprovalWriteParameters({L"Run", name, false})), 0u);
    const auto off = Approval(HKEY_LOCAL_MACHINE, L"Run", name);
    ASSERT_TRUE(off);
    ASSERT_EQ(off->size(), 12u);
    EXPECT_EQ((*off)[0], 0x03);
    EXPECT_EQ(run(ApprovalWriteParameters({L"Run", name, true})), 0u);
    EXPECT_EQ(Approval(HKEY_LOCAL_MACHINE, L"Run", name), (std::vector<BYTE>{2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));

    EXPECT_EQ(run(L"-approval HKCU Run \"" + name + L"\" off"), 2u);
    EXPECT_FALSE(Approval(HKEY_CURRENT_USER, L"Run", name)) << "refused arguments write nothing";
}

}  // namespace
}  // namespace lentora
