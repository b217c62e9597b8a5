// A settings file or task list marked read-only is refused by every save and keeps its bytes,
// also for a user whom the system would let replace it (root, or a rename that ignores the mark).
#include <gtest/gtest.h>

#include <filesystem>

#include "settings/settings_file.h"
#include "support/temp_dir.h"
#include "tasks/task_list_file.h"
#include "unit/tasks_test_support.h"
#include "util/format.h"
#include "util/platform.h"

namespace lentora {
namespace {

using test::ReadBytes;
using test::WriteBytes;

class ReadOnlyFile : public ::testing::Test {
protected:
    void MakeReadOnly(const std::wstring& path, bool readOnly) {
        namespace fs = std::filesystem;
        fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        readOnly ? fs::perm_options::remove : fs::perm_options::add);
    }
    test::TempDir dir;
};

TEST_F(ReadOnlyFile, RefusesEverySaveAndKeepsItsBytes) {
    const std::wstring ini = dir.File(L"lentora.ini");
    const std::wstring list = dir.File(L"startlist.xml");
    WriteBytes(ini, "[Options]\r\nTimeExit=3\r\n");
    WriteBytes(list, "<ROOT/>");
    MakeReadOnly(ini, true);
    MakeReadOnly(list, true);

    EXPECT_FALSE(platform::WriteFileAtomic(ini, "replaced"));
    Settings settings;
    settings.exitAfterSeconds = 12;
    EXPECT_EQ(SaveSettings(ini, settings), SettingsSaveResult::WriteRefused);
    TaskList tasks;
    testing::RecordingLog log;
    EXPECT_FALSE(SaveTaskList(list, tasks, L"1.4.1.250", log));
    EXPECT_EQ(log.lines.back(), FormatText(L"Error at a saving file \"%s\"", {list}));

    EXPECT_EQ(ReadBytes(ini), "[Options]\r\nTimeExit=3\r\n");
    EXPECT_EQ(ReadBytes(list), "<ROOT/>");
    EXPECT_EQ(LoadSettings(ini).exitAfterSeconds, 3) << "reading is not affected";
    for (const auto& entry : std::filesystem::directory_iterator(dir.File(L"")))
        EXPECT_EQ(entry.path().extension(), entry.path().filename() == "lentora.ini" ? ".ini" : ".xml")
            << "no temporary file is left behind: " << entry.path();

    // The mark, not anything else about the files, was the reason.
    MakeReadOnly(ini, false);
    EXPECT_EQ(SaveSettings(ini, settings), SettingsSaveResult::Saved);
    EXPECT_EQ(LoadSettings(ini).exitAfterSeconds, 12);
}

}  // namespace
}  // namespace lentora
