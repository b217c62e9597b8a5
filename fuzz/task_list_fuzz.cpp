// startlist.xml as it may lie on disk: any bytes, any encoding. What the reader accepts must survive
// being saved and read again, since the program saves the list it loaded when it closes.
#include <string>

#include "fuzz_support.h"
#include "tasks/task_list_file.h"

using namespace lentora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TaskList list;
    LoadTaskListFromBytes(std::string(reinterpret_cast<const char*>(data), size), list);
    fuzz::NullLog log;
    CheckTaskList(list, log);

    TaskList again;
    fuzz::Require(LoadTaskListFromBytes(TaskListToBytes(list, L"1.4.1.250"), again), "a saved list reads back");
    fuzz::Require(again.Count() == list.Count(), "a saved list keeps every row");
    for (size_t i = 0; i < list.Count(); ++i)
        fuzz::Require(again.Item(i) == fuzz::AsSavedInXml(list.Item(i)), "a saved list reads back unchanged");
    return 0;
}
