// The older "|"-separated task list "startlist.lst" and its one-time conversion to XML.
#include <string_view>

#include "tasks/task_list_file.h"
#include "util/whole_number.h"
#include "util/codepage.h"
#include "util/format.h"
#include "util/platform.h"

namespace lentora {
namespace {

// Cuts the next line off `text`; a line ends at CR LF, CR or LF.
std::wstring_view TakeLine(std::wstring_view& text) {
    size_t end = text.find_first_of(L"\r\n");
    std::wstring_view line = text.substr(0, end);
    if (end == std::wstring_view::npos) {
        text = {};
    } else {
        size_t next = end + 1;
        if (text[end] == L'\r' && next < text.size() && text[next] == L'\n') ++next;
        text.remove_prefix(next);
    }
    return line;
}

// The text before the next "|", removed with it; "" and nothing removed when no "|" is left.
std::wstring TakeField(std::wstring_view& rest) {
    size_t bar = rest.find(L'|');
    if (bar == std::wstring_view::npos) return {};
    std::wstring field(rest.substr(0, bar));
    rest.remove_prefix(bar + 1);
    return field;
}

// Appends a row per line; a line whose flag field is unreadable is kept with its check box clear
// and ends the reading.
bool ReadLegacyLines(std::wstring_view text, TaskList& list) {
    while (!text.empty()) {
        std::wstring_view rest = TakeLine(text);
        Task task;
        task.commandLine = TakeField(rest);
        task.delay = TaskDelay(TakeField(rest));
        task.status = TakeField(rest);
        bool readable = ReadFlag(rest, task.enabled);
        list.Append(std::move(task));
        if (!readable) return false;
    }
    return true;
}

}  // namespace

bool LoadLegacyTaskListFromBytes(std::string_view bytes, unsigned ansiCodePage, TaskList& list) {
    return ReadLegacyLines(DecodeTextFile(bytes, ansiCodePage), list);
}

bool LoadLegacyTaskList(const std::wstring& legacyPath, TaskList& list, ILogSink& log) {
    log.Log(FormatText(L"Loading task list from \"%s\"", {legacyPath}));
    bool loaded = false;
    {
        TaskList::UpdateBlock block(list);
        list.Clear();
        std::string bytes;
        loaded = platform::ReadWholeFile(legacyPath, bytes) &&
                 LoadLegacyTaskListFromBytes(bytes, platform::AnsiCodePage(), list);
        log.Log(loaded ? L"Task list is loaded" : L"Error of loading of a file \"startlist.lst\"");
    }
    CheckTaskList(list, log);
    return loaded;
}

bool ConvertLegacyTaskList(const std::wstring& legacyPath, const std::wstring& xmlPath, TaskList& list,
                           const std::wstring& programVersion, ILogSink& log) {
    log.Log(FormatText(L"Find task-list file \"%s\" oldest format", {legacyPath}));
    bool read = LoadLegacyTaskList(legacyPath, list, log);
    log.Log(FormatText(L"Save task-list as new format in file \"%s\"", {xmlPath}));
    bool saved = SaveTaskList(xmlPath, list, programVersion, log);
    // The older file may hold the only complete copy of the list: it goes only once both steps worked.
    // Otherwise it is set aside, so it is not converted again at every start over the newer list.
    if (!read || !saved) {
        std::wstring reason = read ? L"the new file could not be written" : L"its tasks could not all be read";
        std::wstring aside = legacyPath + L".bak";
        if (platform::MoveFileReplacing(legacyPath, aside))
            log.Log(FormatText(L"Task-list file \"%s\" oldest format is kept as \"%s\": %s", {legacyPath, aside, reason}));
        else
            log.Log(FormatText(L"Task-list file \"%s\" oldest format is kept: %s", {legacyPath, reason}));
        return false;
    }
    log.Log(FormatText(L"Delete task-list file \"%s\" oldest format", {legacyPath}));
    if (!platform::DeleteFileAt(legacyPath)) {
        log.Log(FormatText(L"Task-list file \"%s\" oldest format could not be deleted", {legacyPath}));
        return false;
    }
    return true;
}

}  // namespace lentora
