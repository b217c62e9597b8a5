// The history of starts as the window's readers see it: read from its file when first asked for (a
// start at log-on that nobody opens never reads it), again when the data folder moved, and kept up
// to date as walks are added.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "measure/start_history.h"

namespace lentora {

class StartHistoryStore {
public:
    // `path` is the file's full path, or empty while the data folder is not known yet.
    explicit StartHistoryStore(std::function<std::wstring()> path) : path_(std::move(path)) {}

    // Oldest first; empty while the data folder is not known.
    const std::vector<StartRecord>& Starts();
    HistoryWrite Add(const StartRecord& start);
    // The full path of the file, empty while the data folder is not known.
    std::wstring Path() const { return path_(); }

    // Called after a start was added.
    std::function<void()> onChanged;

private:
    std::function<std::wstring()> path_;
    std::wstring readFrom_;
    std::optional<std::vector<StartRecord>> starts_;
};

}  // namespace lentora
