// The columns of the task list, each declared once. The task page makes its list view's columns and
// fills its rows from these declarations, the task list sorts by them, and the language keys of
// their captions follow from them.
#pragma once
#include <algorithm>
#include <cstddef>
#include <iterator>
#include <string>
#include <string_view>

#include "tasks/task.h"

namespace lentora {

enum class ColumnAlignment { kLeft, kCentre };

// How a click on a column's header compares the rows: by the column's texts, compared as texts or
// read as whole numbers (largest first). A column of kAsLastChosen compares its texts as the last
// click on a column of either other kind chose.
enum class ColumnSort { kText, kWholeNumber, kAsLastChosen };

struct TaskColumn {
    std::wstring_view languageKey;    // the caption's key in the language files' [TASK] section
    std::wstring_view captionTarget;  // the text target that key sets
    std::wstring_view caption;        // the English caption, shown until a language is applied
    int width;                        // in pixels at 96 DPI when the list is made
    // Once laid out, the least width at 96 DPI: the one column that fills the list's width with what
    // the others leave takes at least this; every other one fits its caption, and is at least this.
    int leastWidth;
    bool fillsList;
    ColumnAlignment alignment;
    // The text the row of `task` shows: a view of the task's own text, or of `made` for a text the
    // function makes.
    std::wstring_view (*text)(const Task& task, std::wstring& made);
    ColumnSort sort;
};

inline constexpr std::wstring_view kTaskColumnSection = L"TASK";

// In the order the list shows them.
inline constexpr TaskColumn kTaskColumns[] = {
    {.languageKey = L"TASK0",
     .captionTarget = L"lvListProg.column0.caption",
     .caption = L"Program",
     .width = 300,
     .leastWidth = 100,
     .fillsList = true,
     .alignment = ColumnAlignment::kLeft,
     .text = [](const Task& task, std::wstring&) -> std::wstring_view { return task.commandLine; },
     .sort = ColumnSort::kText},
    {.languageKey = L"TASK1",
     .captionTarget = L"lvListProg.column1.caption",
     .caption = L"Time (s)",
     .width = 80,
     .leastWidth = 80,
     .fillsList = false,
     .alignment = ColumnAlignment::kCentre,
     .text = [](const Task& task, std::wstring&) -> std::wstring_view { return task.delay.Text(); },
     .sort = ColumnSort::kWholeNumber},
    {.languageKey = L"TASK2",
     .captionTarget = L"lvListProg.column2.caption",
     .caption = L"Status",
     .width = 75,
     .leastWidth = 75,
     .fillsList = false,
     .alignment = ColumnAlignment::kCentre,
     .text = [](const Task& task, std::wstring&) -> std::wstring_view { return task.status; },
     .sort = ColumnSort::kAsLastChosen},
    {.languageKey = L"TASK3",
     .captionTarget = L"lvListProg.column3.caption",
     .caption = L"Impact",
     .width = 70,
     .leastWidth = 60,
     .fillsList = false,
     .alignment = ColumnAlignment::kCentre,
     .text = [](const Task& task, std::wstring&) -> std::wstring_view { return task.impact; },
     .sort = ColumnSort::kText},
};

inline constexpr int kTaskColumnCount = static_cast<int>(std::size(kTaskColumns));
static_assert(std::ranges::count(kTaskColumns, true, &TaskColumn::fillsList) == 1,
              "one column takes the list's width the others leave");

// The positions of the columns the program's code names.
enum TaskColumnIndex : int { kProgramColumn = 0, kTimeColumn = 1, kStatusColumn = 2, kImpactColumn = 3 };

}  // namespace lentora
