// One task of the task list: one row of the list view.
#pragma once
#include <string>

namespace lentora {

struct TTaskItem {
    std::wstring caption;   // command line
    std::wstring delay;     // seconds, as decimal text
    std::wstring status;    // display only, never saved
    std::wstring reg = L"0";  // "1" when imported from the system's start-up entries
    bool enabled = false;   // the row's check box

    bool operator==(const TTaskItem&) const = default;
};

}  // namespace lentora
