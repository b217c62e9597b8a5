// Loading and saving a task list beside bare pugixml on the same file: a plain parse or save, and the
// least work any reader or writer of the file does with pugixml (visit the parsed attributes, decode
// the texts, build and save), so the cost of the encoding, the model, validation and the durable
// replace reads as a ratio. Target: load and save of 1,000 tasks well under one frame (16 ms); the
// 10,000-task case only shows that a list far beyond real use stays sane.
#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "tasks/task_list_file.h"
#include "util/codepage.h"

using namespace lentora;

namespace {

// Lists of a realistic size and one far larger.
constexpr int kTaskCounts[] = {1000, 10000};

struct NullLog : ILogSink {
    void Log(const std::wstring&) override {}
};

// A folder of startlist files, one per script and size: the first argument 0 for ASCII command
// lines, 1 for Cyrillic ones; the second the number of tasks.
class Files {
public:
    Files() {
        std::random_device seed;
        dir_ = std::filesystem::temp_directory_path() / ("lentora-bench-" + std::to_string(seed()));
        std::filesystem::create_directories(dir_);
        NullLog log;
        for (int cyrillic = 0; cyrillic < 2; ++cyrillic) {
            std::wstring folder = cyrillic ? L"\u041F\u0440\u043E\u0433\u0440\u0430\u043C\u043C\u044B" : L"Programs";
            for (int count : kTaskCounts) {
                TaskList list;
                for (int i = 0; i < count; ++i) {
                    std::wstring n = std::to_wstring(i);
                    list.Append({L"C:\\" + folder + L"\\Vendor " + n + L"\\tool" + n + L".exe /silent --profile=" + n,
                                 std::to_wstring(i % 3600 + 1), L"", i % 7 ? L"0" : L"1", i % 5 != 0});
                }
                SaveTaskList(Source(cyrillic, count), list, L"1.4.1.250", log);
            }
        }
    }
    ~Files() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    std::wstring Source(int64_t cyrillic, int64_t count) const {
        return Path((cyrillic ? "cyrillic-" : "ascii-") + std::to_string(count) + ".xml");
    }
    std::wstring Source(const benchmark::State& state) const { return Source(state.range(0), state.range(1)); }
    std::wstring Path(const std::string& name) const { return (dir_ / name).wstring(); }

private:
    std::filesystem::path dir_;
};

const Files& TheFiles() {
    static const Files files;
    return files;
}

std::string Narrow(const std::wstring& path) { return std::filesystem::path(path).string(); }

void BM_LoadTaskList(benchmark::State& state) {
    std::wstring path = TheFiles().Source(state);
    NullLog log;
    for (auto _ : state) {
        TaskList list;
        LoadTaskList(path, list, log);
        benchmark::DoNotOptimize(list.Count());
    }
}

void BM_PugixmlLoadFile(benchmark::State& state) {
    std::string path = Narrow(TheFiles().Source(state));
    for (auto _ : state) {
        pugi::xml_document doc;
        benchmark::DoNotOptimize(doc.load_file(path.c_str()).status);
    }
}

// The parse plus a look at the first byte of every attribute of every task, building nothing: the
// least any reader of the parsed document pays before it has read a single value.
void BM_PugixmlLoadAndVisitAttributes(benchmark::State& state) {
    std::string path = Narrow(TheFiles().Source(state));
    for (auto _ : state) {
        pugi::xml_document doc;
        doc.load_file(path.c_str());
        unsigned sum = 0;
        for (pugi::xml_node task : doc.document_element().child("TASKSLIST").children()) {
            for (pugi::xml_attribute attribute : task.attributes()) sum += static_cast<unsigned char>(attribute.value()[0]);
        }
        benchmark::DoNotOptimize(sum);
    }
}

// The parse plus decoding the texts of every task into one buffer, with no code page, rows or
// validation: what any reader that hands out the tasks' texts has to do at least.
void BM_PugixmlLoadAndDecodeTexts(benchmark::State& state) {
    std::string path = Narrow(TheFiles().Source(state));
    for (auto _ : state) {
        pugi::xml_document doc;
        doc.load_file(path.c_str());
        std::wstring texts;
        for (pugi::xml_node task : doc.document_element().child("TASKSLIST").children()) {
            for (const char* name : {"name", "time", "reg"}) AppendDecodedUtf8(task.attribute(name).value(), texts);
        }
        benchmark::DoNotOptimize(texts.size());
    }
}

void BM_SaveTaskList(benchmark::State& state) {
    NullLog log;
    TaskList list;
    LoadTaskList(TheFiles().Source(state), list, log);
    std::wstring path = TheFiles().Path("saved.xml");
    for (auto _ : state) benchmark::DoNotOptimize(SaveTaskList(path, list, L"1.4.1.250", log));
}

void BM_PugixmlSaveFile(benchmark::State& state) {
    pugi::xml_document doc;
    doc.load_file(Narrow(TheFiles().Source(state)).c_str());
    std::string path = Narrow(TheFiles().Path("pugixml.xml"));
    for (auto _ : state) benchmark::DoNotOptimize(doc.save_file(path.c_str(), "", pugi::format_raw));
}

// Building the same document from the rows with pugixml and saving it, with no encoding or
// durable replace: what any writer of the file has to do at least.
void BM_PugixmlBuildAndSave(benchmark::State& state) {
    NullLog log;
    TaskList list;
    LoadTaskList(TheFiles().Source(state), list, log);
    std::string path = Narrow(TheFiles().Path("pugixml-built.xml"));
    for (auto _ : state) {
        pugi::xml_document doc;
        pugi::xml_node tasks = doc.append_child("ROOT").append_child("TASKSLIST");
        int id = 0;
        for (const Task& task : list.Items()) {
            pugi::xml_node element = tasks.append_child("TASK");
            element.append_attribute("id").set_value(id++);
            element.append_attribute("name").set_value(EncodeUtf8(task.commandLine).c_str());
            element.append_attribute("time").set_value(EncodeUtf8(task.delay.Text()).c_str());
            element.append_attribute("enable").set_value(task.enabled);
            element.append_attribute("reg").set_value(EncodeUtf8(task.importedFromSystem).c_str());
        }
        benchmark::DoNotOptimize(doc.save_file(path.c_str(), "", pugi::format_raw));
    }
}

void ScriptsAndSizes(benchmark::internal::Benchmark* bench) {
    for (int count : kTaskCounts) {
        for (int cyrillic = 0; cyrillic < 2; ++cyrillic) bench->Args({cyrillic, count});
    }
}

}  // namespace

BENCHMARK(BM_LoadTaskList)->Apply(ScriptsAndSizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PugixmlLoadFile)->Apply(ScriptsAndSizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PugixmlLoadAndVisitAttributes)->Apply(ScriptsAndSizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PugixmlLoadAndDecodeTexts)->Apply(ScriptsAndSizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SaveTaskList)->Apply(ScriptsAndSizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PugixmlSaveFile)->Apply(ScriptsAndSizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PugixmlBuildAndSave)->Apply(ScriptsAndSizes)->Unit(benchmark::kMicrosecond);
