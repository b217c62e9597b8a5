// startlist.xml as it may lie on disk: any bytes, any encoding. What the reader accepts must survive
// being saved and read again, since the program saves the list it loaded when it closes; only the
// characters that XML cannot hold come back as blanks.
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "tasks/task_list_file.h"

using namespace lentora;

namespace {

// Outside XML 1.0's Char production, so no document may hold it.
bool OutsideXml(wchar_t unit) {
    auto c = static_cast<char32_t>(unit);
    if (c < 0x20) return c != 0x9 && c != 0xA && c != 0xD;
    return (c >= 0xD800 && c <= 0xDFFF) || c == 0xFFFE || c == 0xFFFF || c > 0x10FFFF;
}

// `read` is `saved` with blanks in place of characters outside XML.
bool SameButBlanks(const std::wstring& saved, const std::wstring& read) {
    if (saved.size() != read.size()) return false;
    for (size_t i = 0; i < saved.size(); ++i) {
        if (saved[i] != read[i] && !(read[i] == L' ' && OutsideXml(saved[i]))) return false;
    }
    return true;
}

bool SameButBlanks(const std::vector<TTaskItem>& saved, const std::vector<TTaskItem>& read) {
    if (saved.size() != read.size()) return false;
    for (size_t i = 0; i < saved.size(); ++i) {
        const TTaskItem &s = saved[i], &r = read[i];
        if (!SameButBlanks(s.caption, r.caption) || !SameButBlanks(s.delay, r.delay) || !SameButBlanks(s.reg, r.reg) ||
            s.status != r.status || s.enabled != r.enabled)
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TaskList list;
    LoadTaskListFromBytes(std::string(reinterpret_cast<const char*>(data), size), list);
    fuzz::NullLog log;
    CheckTaskList(list, log);

    TaskList again;
    fuzz::Require(LoadTaskListFromBytes(TaskListToBytes(list, L"1.4.1.250"), again), "a saved list reads back");
    fuzz::Require(SameButBlanks(list.Items(), again.Items()), "a saved list reads back unchanged but for blanks");
    return 0;
}
