#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>

#include "launch/working_folder.h"

using lentora::WorkingFolderFor;
using lentora::WorkingFolderOf;

TEST(WorkingFolderOf, TakesDirectoryPartOfWholeCommandLine) {
    struct Case {
        const wchar_t* commandLine;
        const wchar_t* folder;
    };
    const Case cases[] = {
        {L"C:\\Tools\\tool.exe", L"C:\\Tools"},
        {L"C:\\Program Files\\Tool\\tool.exe /min", L"C:\\Program Files\\Tool"},
        {L"C:\\tool.exe", L"C:\\"},
        {L"tool.exe", L""},
        {L"C:\\Tools\\tool.exe /log=D:\\x.log", L"C:\\Tools\\tool.exe /log=D:\\"},
        // Roots keep their separator; a drive-relative name keeps its colon.
        {L"\\tool.exe", L"\\"},
        {L"\\\\server\\share\\tool.exe", L"\\\\server\\share"},
        {L"\\\\tool.exe", L"\\\\"},
        {L"C:tool.exe", L"C:"},
        {L"", L""},
    };
    for (const Case& c : cases) EXPECT_EQ(WorkingFolderOf(c.commandLine), c.folder) << c.commandLine;
}

// A small file system: where the directory part of the whole line is no folder, the program's is.
TEST(WorkingFolderFor, FallsBackToTheProgramsFolderAndElseToNone) {
    const std::set<std::wstring> folders = {L"C:\\", L"C:\\Tools", L"C:\\Program Files\\App", L"C:\\Program Files\\Tool"};
    const std::set<std::wstring> files = {L"C:\\Tools\\tool.exe", L"C:\\Program Files\\App\\app.exe",
                                          L"C:\\Program Files\\Tool\\run"};
    const lentora::PathProbe probe{[&](const std::wstring& p) { return folders.contains(p); },
                                   [&](const std::wstring& p) { return files.contains(p); }};
    struct Case {
        const wchar_t* commandLine;
        std::optional<std::wstring> folder;
    };
    const Case cases[] = {
        {L"C:\\Tools\\tool.exe", L"C:\\Tools"},
        {L"C:\\Program Files\\App\\app.exe /min", L"C:\\Program Files\\App"},
        {L"C:\\tool.exe", L"C:\\"},
        // Quoted: the program part ends at the closing quote.
        {L"\"C:\\Program Files\\App\\app.exe\" /x", L"C:\\Program Files\\App"},
        {L"\"C:\\Program Files\\App\\app.exe\" /cfg=D:\\a\\b.ini", L"C:\\Program Files\\App"},
        {L"\"C:\\Program Files\\App\\app.exe", L"C:\\Program Files\\App"},
        // Unquoted with "\" in the arguments: the program is found as the system finds it.
        {L"C:\\Tools\\tool.exe /cfg=D:\\a\\b.ini", L"C:\\Tools"},
        {L"C:\\Tools\\tool.exe /log=D:\\x.log", L"C:\\Tools"},
        {L"C:\\Program Files\\App\\app.exe /cfg=D:\\a\\b.ini", L"C:\\Program Files\\App"},
        {L"C:\\Program Files\\Tool\\run /cfg=D:\\a\\b.ini", L"C:\\Program Files\\Tool"},
        {L"C:\\Program Files\\App\\app /cfg=D:\\a\\b.ini", L"C:\\Program Files\\App"},
        // No such program: the first word's folder when it exists, else none.
        {L"C:\\Tools\\gone.exe /cfg=D:\\a\\b.ini", L"C:\\Tools"},
        {L"D:\\Missing\\app.exe", std::nullopt},
        {L"\"D:\\Missing Folder\\app.exe\" /x", std::nullopt},
        {L"tool.exe /x", std::nullopt},
        {L"", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(WorkingFolderFor(c.commandLine, probe), c.folder) << c.commandLine;
}

// The split an elevated start needs: program and arguments apart, as the system tells them apart.
TEST(SplitCommandLine, FindsTheProgramAsTheSystemDoesAndKeepsTheArgumentsWhole) {
    const std::set<std::wstring> files = {L"C:\\Program Files\\App\\app.exe", L"C:\\Tools\\tool.exe"};
    const lentora::PathProbe probe{[](const std::wstring&) { return false; },
                                   [&](const std::wstring& p) { return files.contains(p); }};
    struct Case {
        const wchar_t *commandLine, *program, *arguments;
    };
    const Case cases[] = {
        {L"C:\\Program Files\\App\\app.exe /min /cfg=D:\\a b.ini", L"C:\\Program Files\\App\\app.exe",
         L"/min /cfg=D:\\a b.ini"},
        {L"C:\\Program Files\\App\\app /min", L"C:\\Program Files\\App\\app", L"/min"},
        {L"C:\\Tools\\tool.exe", L"C:\\Tools\\tool.exe", L""},
        {L"\"C:\\Program Files\\App\\app.exe\"   -x \"y z\"", L"C:\\Program Files\\App\\app.exe", L"-x \"y z\""},
        {L"\"C:\\Unclosed\\app.exe -x", L"C:\\Unclosed\\app.exe -x", L""},
        // Nothing found: the first word, as the system tries it last.
        {L"D:\\Missing Folder\\app.exe /x", L"D:\\Missing", L"Folder\\app.exe /x"},
        {L"", L"", L""},
    };
    for (const Case& c : cases) {
        const lentora::ProgramAndArguments split = lentora::SplitCommandLine(c.commandLine, probe);
        EXPECT_EQ(split.program, c.program) << c.commandLine;
        EXPECT_EQ(split.arguments, c.arguments) << c.commandLine;
    }
}
