#include "tasks/task_list_file.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cstdint>
#include <iterator>
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

// "enable" is a short word or number: read it without building a string on the heap.
bool ReadEnable(const char* utf8, bool& flag) {
    std::string_view text(utf8);
    wchar_t wide[8];
    if (text.size() > std::size(wide) || AsciiRunEnd(text, 0) != text.size()) return ReadFlag(DecodeUtf8(text), flag);
    std::copy(text.begin(), text.end(), wide);
    return ReadFlag(std::wstring_view(wide, text.size()), flag);
}

// Room for the file in one piece: its texts, each task's markup, the declaration and root.
size_t EstimatedSize(const TaskList& list) {
    constexpr size_t kTaskMarkup = 64;
    size_t size = 256;
    for (size_t i = 0; i < list.Count(); ++i) size += list.Caption(i).size() + list.Delay(i).size() + list.Reg(i).size() + kTaskMarkup;
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

// Exact-case equality, compared in line: it runs for every attribute of every task. The comparison
// stops at the first difference, so it never reads past the end of `key`.
template <size_t N>
bool NameIs(const char* key, const char (&literal)[N]) {
    for (size_t i = 0; i < N; ++i) {
        if (key[i] != literal[i]) return false;
    }
    return true;
}

// Appends a child of "TASKSLIST" as a row; false when it is not an element, lacks a required
// attribute or has an "enable" that is neither a Boolean word nor a number. A row without its texts
// is dropped rather than kept half-filled; one with an unreadable "enable" has all of them, so it
// stays with its check box clear rather than vanish at the next save.
bool ReadTask(pugi::xml_node node, TaskList& list) {
    if (node.type() != pugi::node_element) return false;
    // One pass over the attributes; the first of a name counts.
    const char* name = nullptr;
    const char* time = nullptr;
    const char* enable = nullptr;
    const char* reg = nullptr;
    for (pugi::xml_attribute attribute = node.first_attribute(); attribute; attribute = attribute.next_attribute()) {
        const char* key = attribute.name();
        const char** slot = NameIs(key, "name")     ? &name
                            : NameIs(key, "time")   ? &time
                            : NameIs(key, "enable") ? &enable
                            : NameIs(key, "reg")    ? &reg
                                                    : nullptr;
        if (slot && !*slot) *slot = attribute.value();
    }
    if (!name || !time || !enable) return false;
    bool enabled = false;
    bool readable = ReadEnable(enable, enabled);
    list.AppendUtf8(name, time, reg ? reg : "0", readable && enabled);
    return readable;
}

pugi::xml_node FirstElementNamed(pugi::xml_node parent, std::string_view name) {
    for (pugi::xml_node child : parent.children()) {
        if (child.type() == pugi::node_element && name == child.name()) return child;
    }
    return {};
}

// Appends the tasks of the parsed document; false when a task stops the reading.
bool ReadTasks(const pugi::xml_document& doc, size_t documentSize, TaskList& list) {
    pugi::xml_node tasks = FirstElementNamed(doc.document_element(), "TASKSLIST");
    // The document's size bounds the characters of its texts.
    list.Reserve(static_cast<size_t>(std::distance(tasks.begin(), tasks.end())), documentSize);
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
        pugi::xml_node task = tasks.append_child("TASK");
        task.append_attribute("id").set_value(static_cast<unsigned long long>(i));
        values.Put(task, "name", list.Caption(i));
        values.Put(task, "time", list.Delay(i));
        task.append_attribute("enable").set_value(list.Enabled(i) ? "true" : "false");
        values.Put(task, "reg", list.Reg(i));
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
    return ParseTaskBytes(std::move(bytes), buffer, doc) && ReadTasks(doc, buffer.size(), list);
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
        // A delay that is no whole number could never be reached by the walk either.
        WholeNumber delay = ReadWholeNumber(list.Delay(index));
        if (!delay.valid || delay.value < 1) {
            list.SetDelay(index, line());
            log.Log(FormatText(L"Find incorrect time of start in %s line %s line. Corrected.",
                               {list.Caption(index), line()}));
        }
        if (list.Caption(index).empty()) {
            list.SetEnabled(index, false);
            log.Log(FormatText(L"Find empty Name of start in %s line. Disabled.", {line()}));
        }
    }
}

}  // namespace lentora
