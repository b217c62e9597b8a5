// The history of measured starts: the last walks, each with what its launches cost, in one XML file
// of the data folder. Reading never blocks a walk: a file that cannot be read is set aside.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "measure/start_record.h"

namespace lentora {

inline constexpr wchar_t kStartHistoryFileName[] = L"starthistory.xml";
// The starts a history keeps; adding one more drops the oldest.
inline constexpr size_t kKeptStarts = 20;

// The document, UTF-8, oldest start first. Only the last kKeptStarts are written.
std::string StartHistoryToBytes(const std::vector<StartRecord>& starts);
// Nothing when the bytes are no history: not XML, another root, another version. A start or a
// launch that lacks what it must have is passed over; a figure that cannot be read is unknown.
std::optional<std::vector<StartRecord>> StartHistoryFromBytes(std::string bytes);

enum class HistoryState { Read, Missing, Unreadable };
struct HistoryRead {
    HistoryState state = HistoryState::Missing;
    std::vector<StartRecord> starts;  // oldest first; empty unless Read
};
HistoryRead ReadStartHistory(const std::wstring& path);

enum class HistoryWrite {
    Added,
    AddedToANewHistory,  // the old file could not be read and was kept as "<path>.bak"
    NotWritten,
};
// Adds `start` as the newest and writes the file atomically: a failure leaves the old file whole.
HistoryWrite AddToStartHistory(const std::wstring& path, const StartRecord& start);

}  // namespace lentora
