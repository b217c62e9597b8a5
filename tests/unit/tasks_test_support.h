// Shared pieces of the task list tests: a log that records its lines and a temporary folder.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "log/log_sink.h"
#include "tasks/task.h"
#include "util/codepage.h"

namespace lentora {

inline void PrintTo(const Task& t, std::ostream* os) {
    *os << '{' << EncodeUtf8(t.commandLine) << " | " << EncodeUtf8(t.delay.Text()) << " | " << EncodeUtf8(t.status)
        << " | reg " << EncodeUtf8(t.importedFromSystem) << " | " << (t.enabled ? "on" : "off") << '}';
}

}  // namespace lentora

namespace lentora::testing {

struct RecordingLog : ILogSink {
    std::vector<std::wstring> lines;
    void Log(const std::wstring& line) override { lines.push_back(line); }
};

// A fresh folder for one test, removed with everything in it afterwards.
class TempFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device seed;
        dir_ = std::filesystem::temp_directory_path() / ("lentora-tasks-" + std::to_string(seed()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }

    std::wstring PathOf(const std::string& name) const { return (dir_ / name).wstring(); }
    void WriteBytes(const std::string& name, const std::string& bytes) const {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
    }
    std::string ReadBytes(const std::string& name) const {
        std::ifstream in(dir_ / name, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();  // in blocks: some files are many megabytes
        return bytes.str();
    }
    bool Exists(const std::string& name) const { return std::filesystem::exists(dir_ / name); }

    std::filesystem::path dir_;
};

}  // namespace lentora::testing
