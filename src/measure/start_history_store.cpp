#include "measure/start_history_store.h"

namespace lentora {

const std::vector<StartRecord>& StartHistoryStore::Starts() {
    const std::wstring path = path_();
    if (!starts_ || path != readFrom_) {
        starts_ = path.empty() ? std::vector<StartRecord>{} : ReadStartHistory(path).starts;
        readFrom_ = path;
    }
    return *starts_;
}

HistoryWrite StartHistoryStore::Add(const StartRecord& start) {
    const HistoryWrite written = AddToStartHistory(path_(), start);
    starts_.reset();
    if (onChanged) onChanged();
    return written;
}

}  // namespace lentora
