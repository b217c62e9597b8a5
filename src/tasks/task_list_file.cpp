#include "tasks/task_list_file.h"

#include <pugixml.hpp>

#include <optional>
#include <string_view>

#include "tasks/whole_number.h"
#include "tasks/xml_codepage.h"
#include "util/codepage.h"
#include "util/format.h"
#include "util/platform.h"

namespace lentora {
namespace {

constexpr unsigned kFileCodePage = 1251;

struct StringWriter : pugi::xml_writer {
    std::string bytes;
    void write(const void* data, size_t size) override { bytes.append(static_cast<const char*>(data), size); }
};

void Put(pugi::xml_node node, const char* name, const std::string& value) {
    node.append_attribute(name).set_value(value.c_str());
}

// A child of "TASKSLIST" as a row; nothing when it is not an element, lacks a required attribute or
// has an "enable" that is neither a Boolean word nor a number. Such a row is dropped rather than
// kept half-filled, so every row in the list carries all of its sub-items.
std::optional<TTaskItem> ReadTask(pugi::xml_node node) {
    if (node.type() != pugi::node_element) return std::nullopt;
    pugi::xml_attribute name = node.attribute("name");
    pugi::xml_attribute time = node.attribute("time");
    pugi::xml_attribute enable = node.attribute("enable");
    if (!name || !time || !enable) return std::nullopt;
    TTaskItem item;
    if (!ReadFlag(DecodeUtf8(enable.value()), item.enabled)) return std::nullopt;
    item.caption = DecodeUtf8(name.value());
    item.delay = DecodeUtf8(time.value());
    if (pugi::xml_attribute reg = node.attribute("reg")) item.reg = DecodeUtf8(reg.value());
    return item;
}

pugi::xml_node FirstElementNamed(pugi::xml_node parent, std::string_view name) {
    for (pugi::xml_node child : parent.children()) {
        if (child.type() == pugi::node_element && name == child.name()) return child;
    }
    return {};
}

// Appends the tasks of the parsed document; false when a task stops the reading.
bool ReadTasks(const pugi::xml_document& doc, TaskList& list) {
    for (pugi::xml_node child : FirstElementNamed(doc.document_element(), "TASKSLIST").children()) {
        std::optional<TTaskItem> item = ReadTask(child);
        if (!item) return false;
        list.Append(std::move(*item));
    }
    return true;
}

// Reads and parses the file; the document points into `buffer`.
bool ParseTaskFile(const std::wstring& path, std::string& buffer, pugi::xml_document& doc) {
    std::string bytes;
    if (!platform::ReadWholeFile(path, bytes)) return false;
    std::optional<std::string> utf8 = XmlToUtf8(std::move(bytes));
    if (!utf8) return false;
    buffer = std::move(*utf8);
    // Comments and processing instructions are kept as nodes: inside "TASKSLIST" they are children
    // that are not elements and stop the reading. Whitespace between elements is dropped.
    constexpr unsigned kParse = pugi::parse_default | pugi::parse_comments | pugi::parse_pi;
    return doc.load_buffer_inplace(buffer.data(), buffer.size(), kParse, pugi::encoding_utf8);
}

}  // namespace

bool SaveTaskList(const std::wstring& path, const TaskList& list, const std::wstring& programVersion,
                  ILogSink& log) {
    log.Log(L"Saving of task list...");
    pugi::xml_document doc;
    pugi::xml_node decl = doc.append_child(pugi::node_declaration);
    decl.append_attribute("version").set_value("1.0");
    decl.append_attribute("encoding").set_value("windows-1251");
    decl.append_attribute("standalone").set_value("yes");
    pugi::xml_node root = doc.append_child("ROOT");
    root.append_attribute("progname").set_value("Lentora");
    Put(root, "version", EncodeUtf8(programVersion));
    pugi::xml_node tasks = root.append_child("TASKSLIST");
    for (size_t i = 0; i < list.Count(); ++i) {
        const TTaskItem& item = list.Item(i);
        pugi::xml_node task = tasks.append_child("TASK");
        Put(task, "id", std::to_string(i));
        Put(task, "name", EncodeUtf8(item.caption));
        Put(task, "time", EncodeUtf8(item.delay));
        task.append_attribute("enable").set_value(item.enabled ? "true" : "false");
        Put(task, "reg", EncodeUtf8(item.reg));
    }
    StringWriter utf8;
    doc.save(utf8, "", pugi::format_raw, pugi::encoding_utf8);

    if (!platform::WriteFileAtomic(path, Utf8ToSingleByteXml(utf8.bytes, kFileCodePage))) {
        log.Log(FormatText(L"Error at a saving file \"%s\"", {path}));
        return false;
    }
    log.Log(FormatText(L"Task list is saved as \"%s\"", {path}));
    return true;
}

bool LoadTaskList(const std::wstring& path, TaskList& list, ILogSink& log) {
    log.Log(FormatText(L"Loading task list from \"%s\"", {path}));
    bool loaded = false;
    {
        TaskList::UpdateBlock block(list);
        std::string buffer;
        pugi::xml_document doc;
        loaded = ParseTaskFile(path, buffer, doc) && ReadTasks(doc, list);
        log.Log(loaded ? std::wstring(L"Task list is loaded")
                       : FormatText(L"Error of loading of a file \"%s\"", {path}));
    }
    CheckTaskList(list, log);
    return loaded;
}

void CheckTaskList(TaskList& list, ILogSink& log) {
    if (list.Empty()) return;
    TaskList::UpdateBlock block(list);
    for (size_t index = 0; index < list.Count(); ++index) {
        std::wstring line = std::to_wstring(index + 1);
        // A delay that is no whole number could never be reached by the walk either.
        WholeNumber delay = ReadWholeNumber(list.Item(index).delay);
        if (!delay.valid || delay.value < 1) {
            list.SetDelay(index, line);
            log.Log(FormatText(L"Find incorrect time of start in %s line %s line. Corrected.",
                               {list.Item(index).caption, line}));
        }
        if (list.Item(index).caption.empty()) {
            list.SetEnabled(index, false);
            log.Log(FormatText(L"Find empty Name of start in %s line. Disabled.", {line}));
        }
    }
}

}  // namespace lentora
