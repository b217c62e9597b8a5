#include <gtest/gtest.h>

#include "launch/working_folder.h"

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
