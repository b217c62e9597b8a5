// The task list files: "startlist.xml" (XML in Windows-1251) and the older "startlist.lst".
#pragma once
#include <string>
#include <string_view>

#include "log/log_sink.h"
#include "tasks/task_list.h"

namespace lentora {

// Writes every row to the XML file at `path`, replacing it only once the new file is complete.
// False when it cannot be written (logged).
bool SaveTaskList(const std::wstring& path, const TaskList& list, const std::wstring& programVersion,
                  ILogSink& log);

// Appends the tasks of the XML file at `path`, then runs CheckTaskList. False when the file could
// not be read (or is over 16 MiB) or a task in it stopped the reading (logged); such a file is copied
// to `path` + ".bak" before the list read from it can be saved over it.
bool LoadTaskList(const std::wstring& path, TaskList& list, ILogSink& log);

// The reading part of LoadTaskList on the file's bytes: appends the tasks, no log, no check.
// False when the bytes are no readable document or a task stops the reading; the rows before stay.
bool LoadTaskListFromBytes(std::string bytes, TaskList& list);

// The bytes SaveTaskList writes.
std::string TaskListToBytes(const TaskList& list, const std::wstring& programVersion);

// Empties the list and reads the older "|"-separated file, then runs CheckTaskList.
// False when the file could not be read or a line stopped the reading (logged).
bool LoadLegacyTaskList(const std::wstring& legacyPath, TaskList& list, ILogSink& log);

// The reading part of LoadLegacyTaskList on the file's bytes (decoded by their byte-order mark, else
// in `ansiCodePage`): appends a row per line. False when a line stops the reading.
bool LoadLegacyTaskListFromBytes(std::string_view bytes, unsigned ansiCodePage, TaskList& list);

// The validation pass: delays that are not whole numbers of at least 1 become the row's position,
// rows without a command line are disabled.
void CheckTaskList(TaskList& list, ILogSink& log);

// Start-up conversion of the older file into the XML file. The older file is deleted only when it
// was read without error and the XML file was written; true in that case.
bool ConvertLegacyTaskList(const std::wstring& legacyPath, const std::wstring& xmlPath, TaskList& list,
                           const std::wstring& programVersion, ILogSink& log);

}  // namespace lentora
