// Closing the real main window when its files or folders refuse the save: the file that cannot be
// written keeps its old bytes, the other one is still saved, and the window goes on.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>

#include "fault_test_support.h"
#include "util/format.h"

namespace lentora {
namespace {

using test::HeldFile;
using test::MainWindowFixture;
using test::MainWindowSetup;
using test::ReadBytes;

const std::string kTwoTasks = test::TwoTasksXml();

enum class Refusal { ReadOnlyAttribute, HeldWithoutSharing, HeldForReadingOnly };

struct RefusedFileCase {
    const char* name;
    const wchar_t* file;  // the file that refuses the save
    Refusal refusal;
};

class RefusedFile : public ::testing::TestWithParam<RefusedFileCase> {};

TEST_P(RefusedFile, KeepsItsOldBytesWhileTheOtherFileIsSaved) {
    const RefusedFileCase& param = GetParam();
    MainWindowSetup setup;
    setup.startList = kTwoTasks;
    MainWindowFixture main(std::move(setup));
    ASSERT_TRUE(main.created());
    main->Tasks().Remove(0);  // the close has something new to save

    const std::wstring refused = main.Path(param.file);
    const std::string before = ReadBytes(refused);
    std::unique_ptr<HeldFile> hold;
    switch (param.refusal) {
        case Refusal::ReadOnlyAttribute:
            ASSERT_TRUE(SetFileAttributesW(refused.c_str(), FILE_ATTRIBUTE_READONLY));
            break;
        case Refusal::HeldWithoutSharing:
            hold = std::make_unique<HeldFile>(refused, GENERIC_READ | GENERIC_WRITE, 0);
            break;
        case Refusal::HeldForReadingOnly:  // readers welcome, nobody may replace or change it
            hold = std::make_unique<HeldFile>(refused, GENERIC_READ, FILE_SHARE_READ);
            break;
    }
    if (hold) {
        ASSERT_TRUE(hold->IsHeld());
    }

    main->Shutdown();
    if (hold) hold->Release();
    SetFileAttributesW(refused.c_str(), FILE_ATTRIBUTE_NORMAL);

    EXPECT_EQ(ReadBytes(refused), before) << "the refused file is unchanged";
    const std::wstring list = main.Path(L"startlist.xml");
    if (std::wstring(param.file) == L"lentora.ini") {
        EXPECT_EQ(main.ScreenLogCount(L"Error on write to ini-file"), 1);
        EXPECT_EQ(main.ScreenLogCount(L"Params is saved"), 0);
        EXPECT_EQ(main.ScreenLogCount(FormatText(L"Task list is saved as \"%s\"", {list})), 1);
        EXPECT_EQ(ReadBytes(list).find("a.exe"), std::string::npos) << "the list was saved as it is now";
    } else {
        EXPECT_EQ(main.ScreenLogCount(FormatText(L"Error at a saving file \"%s\"", {list})), 1);
        EXPECT_EQ(main.ScreenLogCount(L"Params is saved"), 1);
        EXPECT_TRUE(test::MissingSettings(main).empty());
    }
    // The close goes on to the end.
    EXPECT_EQ(main.ScreenLogCount(L"Saving key in registry"), 1);
    EXPECT_EQ(main.ScreenLogCount(FormatText(L"Closing application v.%s", {main->ProgramVersion()})), 1);
    EXPECT_TRUE(test::FilesEndingWith(main.Path(L""), L".tmp").empty()) << "no temporary file is left behind";
    EXPECT_TRUE(main.boxes.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedFile,
    ::testing::Values(RefusedFileCase{"SettingsReadOnly", L"lentora.ini", Refusal::ReadOnlyAttribute},
                      RefusedFileCase{"SettingsHeld", L"lentora.ini", Refusal::HeldWithoutSharing},
                      RefusedFileCase{"SettingsHeldForReading", L"lentora.ini", Refusal::HeldForReadingOnly},
                      RefusedFileCase{"TaskListReadOnly", L"startlist.xml", Refusal::ReadOnlyAttribute},
                      RefusedFileCase{"TaskListHeld", L"startlist.xml", Refusal::HeldWithoutSharing},
                      RefusedFileCase{"TaskListHeldForReading", L"startlist.xml", Refusal::HeldForReadingOnly}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DataFolderMissing, TheListCannotBeSavedThereAndEverythingElseGoesOn) {
    test::ProfileFolderAside profile;
    MainWindowSetup setup;
    setup.ini = std::string(test::kQuietIni) + "UserProfile=1\r\n";
    setup.startList = kTwoTasks;  // in the program folder: not the data folder now
    MainWindowFixture main(std::move(setup));
    ASSERT_TRUE(main.created());
    ASSERT_TRUE(profile.Exists()) << "start-up creates the profile folder";
    const std::wstring list = main->DataFilePath(L"startlist.xml");
    ASSERT_EQ(list, profile.Folder() + L"\\startlist.xml");

    std::filesystem::remove_all(profile.Folder());
    main->Shutdown();

    EXPECT_EQ(main.ScreenLogCount(FormatText(L"Error at a saving file \"%s\"", {list})), 1);
    EXPECT_FALSE(profile.Exists()) << "the save does not make folders";
    EXPECT_EQ(ReadBytes(main.Path(L"startlist.xml")), kTwoTasks) << "the program folder's list is not touched";
    EXPECT_EQ(main.ScreenLogCount(L"Params is saved"), 1);
    EXPECT_EQ(main.IniValue(L"Options", L"UserProfile"), L"1");
    EXPECT_TRUE(main.boxes.shown.empty());
}

struct DiskFullCase {
    const char* name;
    std::uint64_t leaveFree;  // bytes left on the disk before the close
    bool settingsFit;         // the settings still fit once the list's temporary file is gone
};

class DiskFull : public ::testing::TestWithParam<DiskFullCase> {};

// The disk under the program folder fills while the large list is written.
TEST_P(DiskFull, LeavesThePreviousFilesWhole) {
    const DiskFullCase& param = GetParam();
    MainWindowSetup setup;
    setup.startList = test::ManyTasksXml(5000);  // about 450 KB to write at the close
    MainWindowFixture main(std::move(setup));
    ASSERT_TRUE(main.created());
    ASSERT_EQ(main->Tasks().Count(), 5000u);

    const std::string settings = ReadBytes(main.Path(L"lentora.ini"));
    test::SmallFileSystem disk(main.Path(L""), 256 * 1024);
    if (!disk.Mounted()) GTEST_SKIP() << "a small tmpfs cannot be mounted here (needs Wine running as root)";
    test::WriteBytes(main.Path(L"lentora.ini"), settings);
    test::WriteBytes(main.Path(L"startlist.xml"), kTwoTasks);
    ASSERT_TRUE(disk.FillLeaving(param.leaveFree));

    main->Shutdown();

    const std::wstring list = main.Path(L"startlist.xml");
    EXPECT_EQ(main.ScreenLogCount(FormatText(L"Error at a saving file \"%s\"", {list})), 1);
    EXPECT_EQ(ReadBytes(list), kTwoTasks) << "the previous list survives whole";
    if (param.settingsFit) {
        EXPECT_EQ(main.ScreenLogCount(L"Params is saved"), 1);
        EXPECT_TRUE(test::MissingSettings(main).empty());
    } else {
        EXPECT_EQ(main.ScreenLogCount(L"Error on write to ini-file"), 1);
        EXPECT_EQ(ReadBytes(main.Path(L"lentora.ini")), settings) << "the previous settings survive whole";
    }
    EXPECT_EQ(main.ScreenLogCount(FormatText(L"Closing application v.%s", {main->ProgramVersion()})), 1);
    EXPECT_TRUE(test::FilesEndingWith(main.Path(L""), L".tmp").empty()) << "no temporary file is left behind";
}

INSTANTIATE_TEST_SUITE_P(Cases, DiskFull,
                         ::testing::Values(DiskFullCase{"NothingLeft", 0, false},
                                           DiskFullCase{"RoomForTheSettingsOnly", 64 * 1024, true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lentora
