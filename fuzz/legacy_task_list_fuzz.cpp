// startlist.lst as it may lie on disk, read in one of the ANSI code pages. Its rows are converted to
// startlist.xml once and the older file deleted, so what was read must survive that file whole.
#include <string>

#include "fuzz_support.h"
#include "tasks/task_list_file.h"

using namespace lentora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input input(data, size);
    const unsigned kCodePages[] = {1250, 1251, 1252, 65001};
    unsigned codePage = input.Pick(kCodePages);

    TaskList list;
    LoadLegacyTaskListFromBytes(input.Rest(), codePage, list);
    fuzz::NullLog log;
    CheckTaskList(list, log);

    TaskList converted;
    fuzz::Require(LoadTaskListFromBytes(TaskListToBytes(list, L"1.4.1.250"), converted), "the converted list reads");
    fuzz::Require(converted.Count() == list.Count(), "the converted list keeps every row");
    for (size_t i = 0; i < list.Count(); ++i)
        fuzz::Require(converted.Item(i) == fuzz::AsSavedInXml(list.Item(i)), "the converted list keeps every row's fields");
    return 0;
}
