// A fresh temporary folder per test, removed with everything in it afterwards.
#pragma once
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

namespace lentora::test {

class TempDir {
public:
    TempDir() {
        std::random_device random;
        auto base = std::filesystem::temp_directory_path();
        do {
            path_ = base / ("lentora-test-" + std::to_string(random()));
        } while (!std::filesystem::create_directory(path_));
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // Full path of `name` inside the folder, in the form the platform functions take.
    std::wstring File(std::wstring_view name) const { return (path_ / std::wstring(name)).wstring(); }

private:
    std::filesystem::path path_;
};

inline void WriteBytes(const std::wstring& path, std::string_view bytes) {
    std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The file's bytes, or "<missing>" when it cannot be read.
inline std::string ReadBytes(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    if (!in) return "<missing>";
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace lentora::test
