// Finding the repository's shipped data folders (languages, License) from the tests.
#pragma once
#include <cstdlib>
#include <filesystem>
#include <string>

namespace lentora::testing {

// <repo>/<relative>: the test data folder is <repo>/tests/data.
inline std::wstring RepoPath(const std::string& relative) {
    const char* data = std::getenv("LENTORA_TEST_DATA");
    std::filesystem::path repo = std::filesystem::path(data && *data ? data : LENTORA_TEST_DATA_DIR) / ".." / "..";
    return (repo / relative).lexically_normal().wstring();
}

}  // namespace lentora::testing
