#include "tasks/task_list_file.h"

#include <pugixml.hpp>

#include <cstdint>
#include <optional>
#include <string_view>

#include "util/whole_number.h"
#include "tasks/xml_codepage.h"
#include "util/codepage.h"
#include "util/format.h"
#include "util/platform.h"

namespace lentora {
namespace {

constexpr unsigned kFileCodePage = 1251;
// Far above any list a user keeps (100,000 tasks take about 9 MB), low enough that a stray huge file
// is never read into memory.
constexpr std::uint64_t kMaxFileSize = 16u << 20;

// Takes what pugixml writes straight into the file's code page, so the document is never held twice.
struct CodePageWriter : pugi::xml_writer {
    explicit CodePageWriter(unsigned codePage) : encoder(codePage) {}
    void write(const void* data, size_t size) override {
        encoder.Append(std::string_view(static_cast<const char*>(data), size), bytes);
    }
    SingleByteXmlEncoder encoder;
    std::string bytes;
};

// Room for the file in one piece: its texts, each task's markup, the declaration and root.
size_t EstimatedSize(const TaskList& list) {
    constexpr size_t kTaskMarkup = 64;
    size_t size = 256;
    for (const Task& task : list.Items())
        size += task.commandLine.size() + task.delay.Text().size() + task.importedFromSystem.size() + kTaskMarkup;
    return size;
}

// Attribute values go to pugixml as UTF-8; one buffer serves every value of a document.
class Utf8Values {
public:
    void Put(pugi::xml_node node, const char* name, std::wstring_view value) {
        buffer_.clear();
        AppendXmlUtf8(value, buffer_);
        node.append_attribute(name).set_value(buffer_.data(), buffer_.size());
    }

private:
    std::string buffer_;
};

// Appends a child of "TASKSLIST" as a row; false when it is not an element, lacks "name" or "time",
// or has no "enable" or one that is neither a Boolean word nor a number. A row without its texts is
// dropped rather than kept half-filled; one with a missing or unreadable "enable" has all of them,
// so it stays with its check box clear rather than vanish at the next save.
bool ReadTask(pugi::xml_node node, TaskList& list) {
    if (node.type() != pugi::node_element) return false;
    // Names are matched in their exact case; the first attribute of a name counts.
    pugi::xml_attribute name = node.attribute("name");
    pugi::xml_attribute time = node.attribute("time");
    pugi::xml_attribute enable = node.attribute("enable");
    pugi::xml_attribute reg = node.attribute("reg");
    if (!name || !time) return false;
    Task task;
    task.commandLine = DecodeUtf8(name.value());
    task.delay = TaskDelay(DecodeUtf8(time.value()));
    if (reg) task.importedFromSystem = DecodeUtf8(reg.value());
    bool enabled = false;
    const bool readable = enable && ReadFlag(DecodeUtf8(enable.value()), enabled);
    task.enabled = readable && enabled;
    list.Append(std::move(task));
    return readable;
}

pugi::xml_node FirstElementNamed(pugi::xml_node parent, std::string_view name) {
    for (pugi::xml_node child : parent.children()) {
        if (child.type() == pugi::node_element && name == child.name()) return child;
    }
    return {};
}

// Appends the tasks of the parsed document; false when a task stops the reading.
bool ReadTasks(const pugi::xml_document& doc, TaskList& list) {
    pugi::xml_node tasks = FirstElementNamed(doc.document_element(), "TASKSLIST");
    for (pugi::xml_node child : tasks.children()) {
        if (!ReadTask(child, list)) return false;
    }
    return true;
}

// Parses the bytes; the document points into `buffer`.
bool ParseTaskBytes(std::string bytes, std::string& buffer, pugi::xml_document& doc) {
    std::optional<std::string> utf8 = XmlToUtf8(std::move(bytes));
    if (!utf8) return false;
    buffer = std::move(*utf8);
    // Comments and processing instructions are kept as nodes: inside "TASKSLIST" they are children
    // that are not elements and stop the reading. Whitespace between elements is dropped.
    constexpr unsigned kParse = pugi::parse_default | pugi::parse_comments | pugi::parse_pi;
    return doc.load_buffer_inplace(buffer.data(), buffer.size(), kParse, pugi::encoding_utf8);
}

// The close would save the list that could be read over the file that could not: a copy of it is
// kept beside it first.
void KeepUnreadableFile(const std::wstring& path, ILogSink& log) {
    const std::wstring copy = path + L".bak";
    log.Log(FormatText(platform::CopyFileAtomic(path, copy) ? L"Task list \"%s\" could not be read and is kept as \"%s\""
                                                            : L"Task list \"%s\" could not be read nor kept as \"%s\"",
                       {path, copy}));
}

}  // namespace

std::string TaskListToBytes(const TaskList& list, const std::wstring& programVersion) {
    pugi::xml_document doc;
    pugi::xml_node decl = doc.append_child(pugi::node_declaration);
    decl.append_attribute("version").set_value("1.0");
    decl.append_attribute("encoding").set_value("windows-1251");
    decl.append_attribute("standalone").set_value("yes");
    pugi::xml_node root = doc.append_child("ROOT");
    root.append_attribute("progname").set_value("Lentora");
    Utf8Values values;
    values.Put(root, "version", programVersion);
    pugi::xml_node tasks = root.append_child("TASKSLIST");
    for (size_t i = 0; i < list.Count(); ++i) {
        const Task& task = list.Item(i);
        pugi::xml_node element = tasks.append_child("TASK");
        element.append_attribute("id").set_value(static_cast<unsigned long long>(i));
        values.Put(element, "name", task.commandLine);
        values.Put(element, "time", task.delay.Text());
        element.append_attribute("enable").set_value(task.enabled ? "true" : "false");
        values.Put(element, "reg", task.importedFromSystem);
    }
    CodePageWriter writer(kFileCodePage);
    writer.bytes.reserve(EstimatedSize(list));
    doc.save(writer, "", pugi::format_raw, pugi::encoding_utf8);
    writer.encoder.Finish(writer.bytes);
    return std::move(writer.bytes);
}

bool SaveTaskList(const std::wstring& path, const TaskList& list, const std::wstring& programVersion,
                  ILogSink& log) {
    log.Log(L"Saving of task list...");
    if (!platform::WriteFileAtomic(path, TaskListToBytes(list, programVersion))) {
        log.Log(FormatText(L"Error at a saving file \"%s\"", {path}));
        return false;
    }
    log.Log(FormatText(L"Task list is saved as \"%s\"", {path}));
    return true;
}

bool LoadTaskListFromBytes(std::string bytes, TaskList& list) {
    std::string buffer;
    pugi::xml_document doc;
    return ParseTaskBytes(std::move(bytes), buffer, doc) && ReadTasks(doc, list);
}

bool LoadTaskList(const std::wstring& path, TaskList& list, ILogSink& log) {
    log.Log(FormatText(L"Loading task list from \"%s\"", {path}));
    bool loaded = false;
    {
        TaskList::UpdateBlock block(list);
        std::string bytes;
        loaded = platform::ReadWholeFile(path, bytes, kMaxFileSize) && LoadTaskListFromBytes(std::move(bytes), list);
        log.Log(loaded ? std::wstring(L"Task list is loaded")
                       : FormatText(L"Error of loading of a file \"%s\"", {path}));
    }
    // A missing file is the first start, nothing to keep.
    if (!loaded && platform::FileExists(path)) KeepUnreadableFile(path, log);
    CheckTaskList(list, log);
    return loaded;
}

void CheckTaskList(TaskList& list, ILogSink& log) {
    if (list.Empty()) return;
    TaskList::UpdateBlock block(list);
    for (size_t index = 0; index < list.Count(); ++index) {
        auto line = [index] { return std::to_wstring(index + 1); };
        // A text that is no delay could never be reached by the walk either.
        if (!list.Item(index).delay.Seconds()) {
            list.SetDelay(index, line());
            log.Log(FormatText(L"Find incorrect time of start in %s line %s line. Corrected.",
                               {list.Item(index).commandLine, line()}));
        }
        if (list.Item(index).commandLine.empty()) {
            list.SetEnabled(index, false);
            log.Log(FormatText(L"Find empty Name of start in %s line. Disabled.", {line()}));
        }
    }
}

}  // namespace lentora
