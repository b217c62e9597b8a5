// The task list files: "startlist.xml" (XML in Windows-1251) and the older "startlist.lst".
#pragma once
#include <string>

#include "log/log_sink.h"
#include "tasks/task_list.h"

namespace lentora {

// Writes every row to the XML file at `path`, replacing it only once the new file is complete.
// False when it cannot be written (logged).
bool SaveTaskList(const std::wstring& path, const TaskList& list, const std::wstring& programVersion,
                  ILogSink& log);

// Appends the tasks of the XML file at `path`, then runs CheckTaskList. False when the file could
// not be read or a task in it stopped the reading (logged).
bool LoadTaskList(const std::wstring& path, TaskList& list, ILogSink& log);

// Empties the list and reads the older "|"-separated file, then runs CheckTaskList.
// False when the file could not be read or a line stopped the reading (logged).
bool LoadLegacyTaskList(const std::wstring& legacyPath, TaskList& list, ILogSink& log);

// The validation pass: delays that are not whole numbers of at least 1 become the row's position,
// rows without a command line are disabled.
void CheckTaskList(TaskList& list, ILogSink& log);

// Start-up conversion of the older file into the XML file. The older file is deleted only when it
// was read without error and the XML file was written; true in that case.
bool ConvertLegacyTaskList(const std::wstring& legacyPath, const std::wstring& xmlPath, TaskList& list,
                           const std::wstring& programVersion, ILogSink& log);

}  // namespace lentora
